#include "app/MainWindow.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/MenuCaptions.h"
#include "base/PendingException.h"
#include "app/Requirements.h"
#include "app/ScreenPlacement.h"
#include "app/TestHooks.h"
#include "app/WindowPlacement.h"
#include "base/BaseDefsWin.h"
#include "interact/ContextMenu.h"
#include "services/UpdaterWin.h"

namespace {

const wchar_t ClassName[] = L"Glimmera";
const wchar_t Title[] = L"Glimmera";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

// The frame clears the strip's edge and the scene each through its own scissor box; the rest
// of the state each pass sets itself.
void SetInitialGLState() {
    glEnable(GL_SCISSOR_TEST);
}

} // namespace

TMainWindow::TMainWindow(TMainWindowProbe* probe) : FProbe(probe) {}

TMainWindow::~TMainWindow() {
    Teardown();
}

int32_t TMainWindow::SceneViewport() const {
    return FScene ? FScene->SceneViewport() : -1;
}

void TMainWindow::RequestRedraw() {
    if (HWND window = SceneWindow()) {
        InvalidateRect(window, nullptr, FALSE);
        UpdateWindow(window);
    }
}

int TMainWindow::Run() {
    DeleteLeftoverUpdate();
    FSettings = LoadWindowPlacement();
    FSplit = FSettings.Split;
    if (!CreateMainWindow())
        return 0;
    RethrowPendingException();
    SetRussianMenuCaptions(MainWindow());
    if (!CreateGLContext())
        return 0;
    wglMakeCurrent(FDC.Get(), FRC.Get());
    ReadGLLoaderFlags();
    CheckGLError("{7AAC264E-CE17-4A7D-8A5A-7CB2E17CD1F1}");
    FOle.emplace();
    CheckSystemRequirements();
    RECT client;
    GetClientRect(MainWindow(), &client);
    FClientWidth = client.right;
    FClientHeight = client.bottom;
    FSplit = SplitForClientWidth(FSplit, FClientWidth);
    if (!CreateParts())
        return 0;
    TSceneSite site;
    site.CurrentFolderChanged = [this] { FAddressEdit->ShowCurrentFolder(); };
    site.MoveSplit = [this](int32_t x) {
        FSplit = x;
        ResizeClient(FClientWidth, FClientHeight);
    };
    site.ObjectDestroyed = [this](const char* object) {
        if (FProbe)
            FProbe->SceneObjectDestroyed(object);
    };
    FScene = std::make_unique<TSceneObjects>(*this, FClientHeight, std::move(site));
    FScene->OpenStartLevels(FProbe ? FProbe->ExplorerBrowserClass() : CLSID_ExplorerBrowser);
    ShowWindow(MainWindow(), FSettings.Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow());
    SetFocus(SceneWindow());
    RethrowPendingException();
    SetInitialGLState();
    FPaintSuspended = false;
    RequestRedraw();
    if (FProbe)
        FProbe->Started(MainWindow());
    const int exitCode = MessageLoop();
    SaveWindowPlacement(MainWindow(), FSplit, FSettings);
    return exitCode;
}

int TMainWindow::MessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TabBetweenParts(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
        RethrowPendingException();
    }
    RethrowPendingException();
    return static_cast<int>(message.wParam);
}

bool TMainWindow::CreateMainWindow() {
    FClass.emplace(ClassName, WindowProc);
    if (!FClass->Registered())
        return false;
    FClientWidth = FSettings.ClientWidth;
    FClientHeight = FSettings.ClientHeight;
    RECT outer{0, 0, FClientWidth, FClientHeight};
    AdjustWindowRectEx(&outer, WindowStyle, TRUE, WindowExStyle);
    // The saved left and top are the outer rectangle's.
    OffsetRect(&outer, FSettings.Left - outer.left, FSettings.Top - outer.top);
    const POINT at = VisibleWindowPosition(outer);
    // The window proc takes the handle at WM_NCCREATE.
    if (!CreateWindowExW(WindowExStyle, ClassName, Title, WindowStyle, at.x, at.y,
                         outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                         GetModuleHandleW(nullptr), this)) {
        // A creation refused after WM_NCCREATE has destroyed the window already.
        FWindow.Release();
        Teardown();
        ShowSetupError("Window creation error.");
        return false;
    }
    return true;
}

// The context lives on a hidden window: frames are drawn off screen where the driver can.
bool TMainWindow::CreateGLContext() {
    const char* failure = nullptr;
    FGLWindow.emplace();
    if (!FGLWindow->Handle() || !FDC.Open(FGLWindow->Handle()))
        failure = "Cant't create a GL device context.";
    else
        failure = CreateSceneContext(FDC.Get(), FRC);
    if (failure) {
        Teardown();
        ShowSetupError(failure);
        return false;
    }
    return true;
}

RECT TMainWindow::SceneBounds() const {
    return RECT{FSplit, 0, std::max(FClientWidth, FSplit), FClientHeight};
}

bool TMainWindow::CreateParts() {
    FSceneWindow = std::make_unique<TSceneWindow>(MainWindow(), SceneBounds(),
                                                  static_cast<TSceneWindowSite&>(*this));
    FAddressEdit = std::make_unique<TAddressEdit>(MainWindow(), FSplit, FClientWidth,
                                                  static_cast<TAddressEditSite&>(*this));
    // The edit lies over the scene's top rows.
    SetWindowPos(FAddressEdit->Handle(), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (TOffscreenFrame::Supported() && !WindowSurfaceRequested()) {
        FFrame = std::make_unique<TOffscreenFrame>();
        return true;
    }
    // A driver without framebuffer objects draws on the scene window itself, with the same
    // pixel format: right wherever GL and GDI windows stand side by side.
    const char* failure = nullptr;
    if (!FSceneDC.Open(SceneWindow()))
        failure = "Cant't create a GL device context.";
    else
        failure = SetScenePixelFormat(FSceneDC.Get());
    if (!failure && !wglMakeCurrent(FSceneDC.Get(), FRC.Get()))
        failure = "Cant't set PixelFormat.";
    if (failure) {
        Teardown();
        ShowSetupError(failure);
        return false;
    }
    return true;
}

void TMainWindow::Teardown() {
    // Late icon messages are ignored from here on, and no message reaches the scene while it
    // goes.
    FClosing = true;
    FPaintSuspended = true;
    FScene.reset();
    FFrame.reset();
    FAddressEdit.reset();
    ReleaseContextMenuSlots();
    FOle.reset();
    if (FRC) {
        if (!wglMakeCurrent(nullptr, nullptr))
            ShowShutdownError("Release of DC and RC failed.");
        if (!FRC.Close())
            ShowShutdownError("Release of Rendering Context failed.");
    }
    if (!FSceneDC.Close())
        ShowShutdownError("Release of Device Context failed.");
    FSceneWindow.reset();
    if (!FDC.Close())
        ShowShutdownError("Release of Device Context failed.");
    FGLWindow.reset();
    if (!FWindow.Close())
        ShowShutdownError("Could not release hWnd.");
    FClass.reset();
}

bool TMainWindow::CurrentFolderTexts(std::u16string& path, std::u16string& displayName,
                                     bool& isFileSystem) {
    return FScene && FScene->CurrentFolderTexts(path, displayName, isFileSystem);
}

void TMainWindow::OpenAddress(PCIDLIST_ABSOLUTE item) {
    if (FScene)
        FScene->OpenAddress(item);
}

int RunMain(TMainWindowProbe* probe) {
    TMainWindow window(probe);
    return window.Run();
}
