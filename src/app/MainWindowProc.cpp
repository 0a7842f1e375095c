// The main window's message routing: every message reaches the part that handles it.
#include "app/MainWindow.h"

#include <commctrl.h>
#include <dbt.h>
#include <shellapi.h>
#include <windowsx.h>

#include "app/AboutBox.h"
#include "app/MenuCaptions.h"
#include "app/FaultReport.h"
#include "app/InputEvents.h"
#include "base/PendingException.h"
#include "app/ScreenPlacement.h"
#include "base/Errors.h"
#include "base/WindowIds.h"
#include "interact/ContextMenu.h"
#include "render/IconTextureManager.h"
#include "services/HelpWin.h"
#include "services/LocalizedStrings.h"
#include "services/ProductLinks.h"
#include "services/UpdaterWin.h"

LRESULT CALLBACK TMainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (ProgramFaulted())
        return DefWindowProcW(window, message, wParam, lParam);
    // While the shell's context menu is up, its owner-drawn entries and submenus are its own.
    LRESULT menuResult = 0;
    if (ContextMenuHandleMessage(message, wParam, lParam, menuResult))
        return menuResult;
    if (message == WM_NCCREATE) {
        auto* created = static_cast<TMainWindow*>(
            reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
        // Known from the first message on: the messages of creation (WM_SIZE, WM_PAINT) use it.
        created->FWindow.Reset(window);
    }
    auto* owner = reinterpret_cast<TMainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (owner && KeepingExceptions(
                     true, [&] { return owner->HandleMessage(message, wParam, lParam, result); }))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

void TMainWindow::MenuCommand(WORD command) {
    switch (command) {
    case IDM_EXIT:
        PostQuitMessage(0);
        break;
    case IDM_HOME_PAGE:
        ShellExecuteW(MainWindow(), L"open", HomePageUrl, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case IDM_HELP:
        ShowHelp(MainWindow(), RussianUI);
        break;
    case IDM_ABOUT:
        ShowAboutBox(MainWindow());
        break;
    case IDM_CHECK_FOR_UPDATE:
        CheckForUpdate(MainWindow());
        break;
    }
}

void TMainWindow::TimerTick(UINT_PTR id) {
    GMAssert(id == TimerId(TMainTimer::CameraFlight) || id == TimerId(TMainTimer::WidgetCaret) ||
                 id == TimerId(TMainTimer::TypeAhead) || id == TimerId(TMainTimer::LayoutSwap),
             "Main");
    if (!FScene)
        return;
    switch (static_cast<TMainTimer>(id)) {
    case TMainTimer::CameraFlight:
        FScene->CameraFlightStep();
        break;
    case TMainTimer::WidgetCaret:
        FScene->WidgetTick();
        break;
    case TMainTimer::TypeAhead:
        FScene->ClearTypeAhead();
        break;
    case TMainTimer::LayoutSwap:
        FScene->LayoutSwapStep();
        break;
    }
}

bool TMainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_SIZE:
        ResizeClient(LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_PAINT: {
        // Only where no part covers the window, as when the pane could not be made.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(MainWindow(), &paint);
        FillRect(dc, &paint.rcPaint, GetSysColorBrush(COLOR_3DFACE));
        EndPaint(MainWindow(), &paint);
        return true;
    }
    case WM_GM_REPAINT:
        RequestRedraw();
        return false;
    case WM_CLOSE:
        FClosing = true;
        PostQuitMessage(0);
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            RememberFocus();
        return false;
    case WM_SETFOCUS:
        RestoreFocus();
        return true;
    case WM_WININICHANGE:
        CallFileIconInit(true);
        return true;
    case WM_ACTIVATEAPP:
        if (wParam != 0 && FScene)
            FScene->ForgetLoadedIcons();
        return true;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize =
            POINT{FSplit + MinimalSceneWidth, 180};
        return true;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TTN_POP))
            RequestRedraw();
        return false;
    case WM_COMMAND:
        MenuCommand(LOWORD(wParam));
        return true;
    case WM_TIMER:
        TimerTick(wParam);
        return true;
    case WM_CTLCOLOREDIT:
        result = reinterpret_cast<LRESULT>(FAddressEdit ? FAddressEdit->Brush() : nullptr);
        return true;
    case WM_GM_LOAD_ICON:
        if (!Closing() && FScene)
            FScene->LoadIcon(wParam);
        return true;
    }
    if (!FScene)
        return false;
    switch (message) {
    case WM_DEVICECHANGE:
        FScene->DeviceChange(wParam, lParam);
        result = 1;
        return true;
    case WM_GM_FOLDER_CHANGED:
        FScene->FolderChanged(wParam);
        return true;
    case WM_GM_SHELL_DESKTOP:
    case WM_GM_SHELL_RECYCLE_BIN:
    case WM_GM_SHELL_COMPUTER:
        FScene->ShellNotification(message, wParam, lParam);
        return true;
    }
    return false;
}

bool TMainWindow::SceneMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_PAINT:
        PaintScene();
        return true;
    case WM_ERASEBKGND:
        // Every pixel comes from the frame.
        result = 1;
        return true;
    case WM_GETDLGCODE:
        result = DLGC_WANTALLKEYS | DLGC_WANTCHARS;
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // A click in the scene gives it the keyboard.
        SetFocus(SceneWindow());
        break;
    }
    return FScene && SceneInput(message, wParam, lParam);
}

// The scene's parts know positions in the main window's client area, where the scene window
// starts at the strip's edge.
bool TMainWindow::SceneInput(UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<TInputEvent> event =
        SceneInputEvent(SceneWindow(), message, wParam, lParam, FSplit);
    if (!event)
        return false;
    FScene->Input(*event);
    return IsButtonEvent(*event);
}
