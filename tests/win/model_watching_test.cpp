// Change watching over the real system: the watcher thread of a folder and the drive test.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/WinString.h"
#include "base/WindowIds.h"
#include "model/DriveWatchesWin.h"
#include "model/FolderWatchWin.h"
#include "model/ShellChangesWin.h"
#include "model_temp_folder.h"
#include "services/OwnedIDList.h"

namespace {

constexpr WPARAM Report = 0x1234;

// A window that only records: the messages it receives, posted or sent (the shell sends its
// reports within the reporting thread), wait here to be counted.
class TMessageWindow {
public:
    TMessageWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Record;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimmeraWatchTest";
        RegisterClassW(&windowClass);
        FWindow = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                  nullptr, windowClass.hInstance, nullptr);
        Received().clear();
    }
    ~TMessageWindow() { DestroyWindow(FWindow); }
    HWND Get() const { return FWindow; }

    // Reports of the folder watch received so far, taken.
    int TakeReports() {
        Pump();
        int count = 0;
        for (const MSG& message : Take(WM_GM_FOLDER_CHANGED, WM_GM_FOLDER_CHANGED)) {
            EXPECT_EQ(message.wParam, Report);
            ++count;
        }
        return count;
    }
    // Waits up to the time for a first report; the count then received.
    int WaitForReports(DWORD milliseconds) {
        WaitFor(WM_GM_FOLDER_CHANGED, WM_GM_FOLDER_CHANGED, milliseconds);
        return TakeReports();
    }
    // The first message in the range to arrive within the time, 0 for none.
    UINT WaitForMessage(UINT first, UINT last, DWORD milliseconds) {
        WaitFor(first, last, milliseconds);
        const std::vector<MSG> taken = Take(first, last);
        return taken.empty() ? 0 : taken.front().message;
    }

private:
    static std::vector<MSG>& Received() {
        static std::vector<MSG> received;
        return received;
    }
    static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        Received().push_back(MSG{window, message, wParam, lParam, 0, {}});
        return DefWindowProcW(window, message, wParam, lParam);
    }
    static void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    static bool Has(UINT first, UINT last) {
        for (const MSG& message : Received())
            if (message.message >= first && message.message <= last)
                return true;
        return false;
    }
    static void WaitFor(UINT first, UINT last, DWORD milliseconds) {
        const ULONGLONG deadline = GetTickCount64() + milliseconds;
        Pump();
        while (!Has(first, last) && GetTickCount64() < deadline) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
    }
    static std::vector<MSG> Take(UINT first, UINT last) {
        std::vector<MSG> taken, kept;
        for (const MSG& message : Received())
            (message.message >= first && message.message <= last ? taken : kept).push_back(message);
        Received() = kept;
        return taken;
    }

    HWND FWindow = nullptr;
};

} // namespace

TEST(FolderWatch, ABurstIsReportedOnceUntilTheReportIsTaken) {
    TTempFolder folder;
    TMessageWindow window;
    auto watch = TWinFolderWatch::Start(window.Get(), Report, FromWide(folder.Path()));
    ASSERT_NE(watch, nullptr);

    for (int i = 0; i < 200; ++i)
        TTempFolder::WriteFileBytes(folder / (L"f" + std::to_wstring(i)), "x", 1);
    EXPECT_EQ(window.WaitForReports(5000), 1);
    // Until the window thread takes it, further changes add no report.
    TTempFolder::WriteFileBytes(folder / L"later", "x", 1);
    EXPECT_EQ(window.WaitForReports(300), 0);
    watch->Acknowledge();
    TTempFolder::WriteFileBytes(folder / L"after", "x", 1);
    EXPECT_EQ(window.WaitForReports(5000), 1) << "a change after the report was taken";

    // Contents alone are no change of names.
    watch->Acknowledge();
    TTempFolder::WriteFileBytes(folder / L"after", "longer contents", 15);
    EXPECT_EQ(window.WaitForReports(300), 0);
}

TEST(FolderWatch, StopsPromptlyAndCannotWatchWhatIsNoFolder) {
    TTempFolder folder;
    TMessageWindow window;
    auto watch = TWinFolderWatch::Start(window.Get(), Report, FromWide(folder.Path()));
    ASSERT_NE(watch, nullptr);
    const ULONGLONG before = GetTickCount64();
    watch.reset();
    EXPECT_LT(GetTickCount64() - before, 2000u);
    TTempFolder::WriteFileBytes(folder / L"unwatched", "x", 1);
    EXPECT_EQ(window.WaitForReports(300), 0);

    EXPECT_EQ(TWinFolderWatch::Start(window.Get(), Report, FromWide(folder / L"unwatched")),
              nullptr);
    EXPECT_EQ(
        TWinFolderWatch::Start(window.Get(), Report, u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
        nullptr);
}

TEST(DriveWatches, FixedDisksAndOtherPathsGetNoVolume) {
    TMessageWindow window;
    TDriveWatches drives(window.Get());
    EXPECT_FALSE(DriveCanGoAway(u"C:\\"));
    EXPECT_EQ(drives.Register(u"C:\\"), 0u);
    EXPECT_EQ(drives.Register(u"C:"), 0u);
    EXPECT_EQ(drives.Register(u"C:\\Data"), 0u);
    EXPECT_EQ(drives.Register(u"\\\\server\\share\\"), 0u);
    drives.Release(0); // nothing registered: nothing happens
}

// Wine matches a non-recursive registration only to events about the folder itself, so the
// events here name the folders themselves.
TEST(ShellChanges, EachFolderReportsWithItsOwnMessage) {
    TMessageWindow window;
    TShellChangeRegistrations registrations(window.Get());
    TOwnedIDList desktop, drives;
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(
        nullptr, CSIDL_DESKTOP, reinterpret_cast<LPITEMIDLIST*>(desktop.Receive()))));
    ASSERT_TRUE(SUCCEEDED(SHGetSpecialFolderLocation(
        nullptr, CSIDL_DRIVES, reinterpret_cast<LPITEMIDLIST*>(drives.Receive()))));
    const auto arrived = [&](DWORD milliseconds = 5000) {
        TShellChangeKind kind = TShellChangeKind::RecycleBin;
        return ShellChangeKindOf(
                   window.WaitForMessage(WM_GM_SHELL_DESKTOP, WM_GM_SHELL_COMPUTER, milliseconds),
                   kind)
                   ? std::optional<TShellChangeKind>(kind)
                   : std::nullopt;
    };

    SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_IDLIST | SHCNF_FLUSH, desktop.Get(), nullptr);
    EXPECT_EQ(arrived(), TShellChangeKind::Desktop);
    SHChangeNotify(SHCNE_RENAMEFOLDER, SHCNF_IDLIST | SHCNF_FLUSH, drives.Get(), drives.Get());
    EXPECT_EQ(arrived(), TShellChangeKind::Drives);
    // An event the drives folder did not ask for reaches nobody.
    SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_IDLIST | SHCNF_FLUSH, drives.Get(), nullptr);
    EXPECT_EQ(arrived(500), std::nullopt);

    TShellChangeKind kind;
    EXPECT_FALSE(ShellChangeKindOf(WM_GM_FOLDER_CHANGED, kind));
}
