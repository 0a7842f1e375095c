#include "model/IconJob.h"

TIconJob::TIconJob(std::vector<TIconJobItem> items, TFetchProc fetch, TRepaintProc repaint,
                   TPumpProc pump, TThreadScopeProc threadScope)
    : FItems(std::move(items)), FFetch(std::move(fetch)), FRepaint(std::move(repaint)),
      FPump(std::move(pump)), FThreadScope(std::move(threadScope)) {
    FThread = std::thread([this] { Run(); });
}

TIconJob::~TIconJob() {
    Cancel();
}

void TIconJob::Cancel() {
    FCancelled = true;
    if (!FThread.joinable())
        return;
    // The worker may be blocked in a synchronous request to this thread: keep answering until
    // it has left its loop.
    while (!FDone.load()) {
        if (FPump)
            FPump();
        else
            std::this_thread::yield();
    }
    FThread.join();
}

void TIconJob::Run() {
    FetchAll();
    FDone = true;
}

void TIconJob::FetchAll() {
    const std::shared_ptr<void> scope = FThreadScope ? FThreadScope() : nullptr;
    for (TIconJobItem& entry : FItems) {
        if (FCancelled.load())
            break;
        if (entry.Item == nullptr || !entry.IDList)
            continue;
        const TItemIcon icon = FFetch(entry.IDList.Get());
        if (FCancelled.load())
            break;
        entry.Item->SetIcon(icon);
        if (FRepaint)
            FRepaint();
    }
}
