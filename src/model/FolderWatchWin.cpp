#include "model/FolderWatchWin.h"

#include "base/WinString.h"
#include "base/WindowIds.h"
#include "services/WStrUtils.h"

namespace {
// A change rarely comes alone (a copy creates, then renames): let a burst settle first.
constexpr DWORD SettleMs = 50;
constexpr DWORD NamesOnly = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
} // namespace

std::unique_ptr<TWinFolderWatch> TWinFolderWatch::Start(HWND window, WPARAM report,
                                                        const std::u16string& path) {
    // The long form lifts the MAX_PATH limit; shell names (::{...}) have none and fail here.
    const std::u16string longPath = ExtendedLengthPath(path);
    TChangeNotificationHandle change(
        FindFirstChangeNotificationW(AsWide(longPath.empty() ? path : longPath), FALSE, NamesOnly));
    TKernelHandle stop(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!change || !stop)
        return nullptr;
    return std::unique_ptr<TWinFolderWatch>(
        new TWinFolderWatch(window, report, std::move(change), std::move(stop)));
}

TWinFolderWatch::TWinFolderWatch(HWND window, WPARAM report, TChangeNotificationHandle change,
                                 TKernelHandle stop)
    : FWindow(window), FReport(report), FChange(std::move(change)), FStop(std::move(stop)),
      FThread([this] { Run(); }) {}

TWinFolderWatch::~TWinFolderWatch() {
    SetEvent(FStop.Get());
    FThread.join();
}

void TWinFolderWatch::Run() {
    const HANDLE waitFor[2] = {FStop.Get(), FChange.Get()};
    for (;;) {
        if (WaitForMultipleObjects(2, waitFor, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return; // stopped, or the handle broke
        if (WaitForSingleObject(FStop.Get(), SettleMs) == WAIT_OBJECT_0)
            return;
        if (!FPending.exchange(true) && !PostMessageW(FWindow, WM_GM_FOLDER_CHANGED, FReport, 0))
            FPending = false;
        if (!FindNextChangeNotification(FChange.Get()))
            return;
    }
}
