#pragma once
// The exact icons of one page, fetched on a worker thread. Every item the job may write to is
// named when it starts, so the thread never reads the folder view's arrays. Destroying the job
// cancels it and waits for the thread, servicing the window thread's sent messages meanwhile
// (the thread asks the window thread to load icons), so once the destructor returns the
// thread can no longer touch any item.
#include "model/FolderItem.h"
#include "services/OwnedIDList.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

struct TIconJobItem {
    TFSEView* Item = nullptr;
    TOwnedIDList IDList; // absolute
};

class TIconJob {
public:
    // Fetch runs on the worker thread; Repaint after each icon stored; Pump lets the waiting
    // thread service what the worker sends it (nothing needed natively). ThreadScope, when
    // given, runs first on the worker; what it returns lives until the worker's last fetch is
    // done (an OLE scope, for instance).
    using TFetchProc = std::function<TItemIcon(const TIDList* absolute)>;
    using TRepaintProc = std::function<void()>;
    using TPumpProc = std::function<void()>;
    using TThreadScopeProc = std::function<std::shared_ptr<void>()>;

    TIconJob(std::vector<TIconJobItem> items, TFetchProc fetch, TRepaintProc repaint,
             TPumpProc pump, TThreadScopeProc threadScope = {});
    ~TIconJob();
    TIconJob(const TIconJob&) = delete;
    TIconJob& operator=(const TIconJob&) = delete;

    bool Running() const { return !FDone.load(); }
    // Asks the thread to stop and waits for it.
    void Cancel();

private:
    void Run();
    void FetchAll();

    std::vector<TIconJobItem> FItems;
    TFetchProc FFetch;
    TRepaintProc FRepaint;
    TPumpProc FPump;
    TThreadScopeProc FThreadScope;
    std::atomic<bool> FCancelled{false};
    std::atomic<bool> FDone{false};
    std::thread FThread;
};
