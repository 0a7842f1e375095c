#pragma once
// A thread per open folder that waits for names in it to change and tells the main window.
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "base/Handles.h"
#include "model/FolderWatch.h"

class TWinFolderWatch final : public TFolderWatch {
public:
    // Watches path (names of files and folders directly in it, not sizes or times) and posts
    // the folder-changed message with report as its wParam to window. None when the path
    // cannot be watched.
    static std::unique_ptr<TWinFolderWatch> Start(HWND window, WPARAM report,
                                                  const std::u16string& path);
    // Stops the thread and waits for it.
    ~TWinFolderWatch() override;
    void Acknowledge() override { FPending = false; }

private:
    TWinFolderWatch(HWND window, WPARAM report, TChangeNotificationHandle change,
                    TKernelHandle stop);
    void Run();

    HWND FWindow;
    WPARAM FReport;
    TChangeNotificationHandle FChange;
    TKernelHandle FStop;
    // A report is on its way and not yet taken: no second one is posted.
    std::atomic<bool> FPending{false};
    std::thread FThread;
};
