#include "app/Main.h"

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>

#include "app/AddressEdit.h"
#include "app/Errors.h"
#include "app/MainWindow.h"
#include "app/MenuCaptions.h"
#include "app/PendingException.h"
#include "app/SceneHooks.h"

namespace {

const wchar_t HomePage[] = L"https://www.glimmera.net/";

int LowX(LPARAM lParam) {
    return LOWORD(lParam);
}
int HighY(LPARAM lParam) {
    return HIWORD(lParam);
}

void RebuildSystemImageList() {
    // Shell32 ordinal 660 (FileIconInit) makes the shell rebuild its system image list.
    using TFileIconInit = BOOL(WINAPI*)(BOOL);
    HMODULE shell = GetModuleHandleW(L"shell32.dll");
    auto fileIconInit = reinterpret_cast<TFileIconInit>(
        reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(660))));
    if (fileIconInit)
        fileIconInit(TRUE);
}

void MenuCommand(WORD command) {
    switch (command) {
    case CmdExit:
        PostQuitMessage(0);
        break;
    case CmdHelp:
        SceneHooks::ShowHelp();
        break;
    case CmdAbout:
        SceneHooks::ShowAbout();
        break;
    case CmdHomePage:
        ShellExecuteW(nullptr, L"open", HomePage, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case CmdCheckForUpdate:
        SceneHooks::CheckForUpdate();
        break;
    }
}

void TimerTick(UINT_PTR id) {
    switch (id) {
    case TIMER_CAMERA_FLIGHT:
        SceneHooks::CameraFlightStep();
        break;
    case TIMER_WIDGET_CARET:
        SceneHooks::WidgetTick();
        break;
    case TIMER_TYPE_AHEAD:
        SceneHooks::ClearTypeAhead();
        break;
    case TIMER_LAYOUT_SWAP:
        SceneHooks::LayoutSwapStep();
        break;
    default:
        GMAssert(false, "Main");
    }
}

// Returns true when the message is answered with result, without default processing.
bool Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    if (SceneHooks::ContextMenuMessage(window, message, wParam, lParam, result))
        return true;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MAXIMIZED) {
            // Re-showing the window after a maximise makes some drivers repaint the GL surface.
            SetForegroundWindow(GetDesktopWindow());
            ShowWindow(window, SW_HIDE);
            ShowWindow(window, SW_SHOW);
        }
        ResizeClient(LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_PAINT:
    case WM_GM_REPAINT:
        RenderFrame();
        return false;
    case WM_CLOSE:
        Closing = 1;
        PostQuitMessage(0);
        return true;
    case WM_WININICHANGE:
        RebuildSystemImageList();
        return true;
    case WM_ACTIVATEAPP:
        if (wParam != 0)
            SceneHooks::ForgetLoadedIcons();
        return true;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{Split + 50, 180};
        return true;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TTN_POP))
            RequestRedraw();
        return false;
    case WM_KEYDOWN:
        SceneHooks::KeyDown(wParam);
        return false;
    case WM_KEYUP:
        SceneHooks::KeyUp(wParam);
        return false;
    case WM_CHAR:
        SceneHooks::Char(wParam);
        return false;
    case WM_SYSKEYDOWN:
        SceneHooks::SysKeyDown(wParam);
        return false;
    case WM_COMMAND:
        MenuCommand(LOWORD(wParam));
        return true;
    case WM_TIMER:
        TimerTick(wParam);
        return true;
    case WM_CTLCOLOREDIT:
        result = reinterpret_cast<LRESULT>(AddressEditBrush);
        return true;
    case WM_MOUSEMOVE:
        SceneHooks::MouseMove(LowX(lParam), HighY(lParam), wParam);
        return false;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        SceneHooks::LButtonDown(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_LBUTTONUP:
        SceneHooks::LButtonUp(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_RBUTTONDOWN:
        SceneHooks::RButtonDown(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_RBUTTONUP:
        SceneHooks::RButtonUp(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_MBUTTONDOWN:
        SceneHooks::MButtonDown(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_MBUTTONUP:
        SceneHooks::MButtonUp(LowX(lParam), HighY(lParam), wParam);
        return true;
    case WM_MOUSEWHEEL:
        SceneHooks::MouseWheel(LowX(lParam), HighY(lParam), wParam);
        return false;
    case WM_DEVICECHANGE:
        SceneHooks::DeviceChange(wParam, lParam);
        result = 1;
        return true;
    case WM_GM_FOLDER_CHANGED:
        SceneHooks::FolderChanged(wParam);
        return true;
    case WM_GM_LOAD_ICON:
        if (Closing == 0)
            SceneHooks::LoadIcon(wParam);
        return true;
    case WM_GM_SHELL_DESKTOP:
    case WM_GM_SHELL_RECYCLE_BIN:
    case WM_GM_SHELL_COMPUTER:
        SceneHooks::ShellNotification(message, wParam, lParam);
        return true;
    }
    return false;
}

} // namespace

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        LRESULT result = 0;
        if (Dispatch(window, message, wParam, lParam, result))
            return result;
    } catch (...) {
        KeepPendingException();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
