// The Explorer pane in the real main window: it fills the strip and follows resizes, and
// without the browser the program runs alone with the pane's keys doing nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "base/BaseDefsWin.h"
#include "base/WinString.h"

namespace {

HWND FindDescendant(HWND parent, const wchar_t* className) {
    struct TSearch {
        const wchar_t* Name;
        HWND Found = nullptr;
    } search{className};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(lParam);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) != s->Name)
                return TRUE;
            s->Found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The pane's rectangle in the main window's client area.
RECT PaneRect(HWND window, HWND pane) {
    RECT bounds{};
    GetWindowRect(pane, &bounds);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

// The visible top-level windows of this thread other than the main window: a message box
// would be one.
std::vector<HWND> OtherShownWindows(HWND window) {
    struct TList {
        HWND Main;
        std::vector<HWND> Others;
    } list{window, {}};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND found, LPARAM lParam) -> BOOL {
            auto* l = reinterpret_cast<TList*>(lParam);
            if (found != l->Main && IsWindowVisible(found))
                l->Others.push_back(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&list));
    return list.Others;
}

class TPaneProbe final : public TMainWindowProbe {
public:
    explicit TPaneProbe(const CLSID& browserClass) : FClass(browserClass) {}
    CLSID ExplorerBrowserClass() const override { return FClass; }

    void Started(HWND window) override {
        Pane = FindDescendant(window, L"ExplorerBrowserControl");
        GetClientRect(window, &Client);
        if (Pane)
            Before = PaneRect(window, Pane);
        // A lower window: the pane follows the new client height.
        RECT outer{};
        GetWindowRect(window, &outer);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top - 40,
                     SWP_NOMOVE | SWP_NOZORDER);
        GetClientRect(window, &Resized);
        if (Pane)
            After = PaneRect(window, Pane);
        // The keys that work through the pane, with the main window's keyboard.
        for (WPARAM key : {VK_F2, VK_F5, VK_F7, VK_BACK})
            SendMessageW(window, WM_KEYDOWN, key, 0);
        SendMessageW(window, WM_SYSKEYDOWN, VK_LEFT, 1u << 29);
        SendMessageW(window, WM_SYSKEYDOWN, VK_RIGHT, 1u << 29);
        Shown = OtherShownWindows(window);
        PostMessageW(window, WM_CLOSE, 0, 0);
    }

    HWND Pane = nullptr;
    RECT Client{}, Before{}, Resized{}, After{};
    std::vector<HWND> Shown;

private:
    CLSID FClass;
};

} // namespace

TEST(ExplorerPane, FillsTheStripAndFollowsTheClientHeight) {
    // Each run saves the lower window it made: start from the default one, not from the last.
    DeleteFileW(AsWide(ProgramDirectory() + u"settings"));
    TPaneProbe probe(CLSID_ExplorerBrowser);
    EXPECT_EQ(RunMain(&probe), 0);
    ASSERT_NE(probe.Pane, nullptr);
    EXPECT_EQ(probe.Before.left, 0);
    EXPECT_EQ(probe.Before.top, 0);
    EXPECT_GE(probe.Before.right, 10) << "the strip is at least 10 pixels wide";
    EXPECT_EQ(probe.Before.bottom, probe.Client.bottom);
    EXPECT_EQ(probe.After.right, probe.Before.right);
    EXPECT_EQ(probe.After.bottom, probe.Resized.bottom);
    EXPECT_LT(probe.Resized.bottom, probe.Client.bottom);
    EXPECT_TRUE(probe.Shown.empty());
}

TEST(ExplorerPane, WithoutTheBrowserTheSceneRunsAloneAndShowsNothing) {
    TPaneProbe probe(CLSID_NULL);
    EXPECT_EQ(RunMain(&probe), 0);
    EXPECT_EQ(probe.Pane, nullptr);
    EXPECT_TRUE(probe.Shown.empty()) << "no box about the missing pane";
}
