#include "app/Main.h"

#include <ole2.h>
#include <GL/gl.h>

#include <exception>

#include "app/AddressEdit.h"
#include "app/BaseDefsWin.h"
#include "app/GLWindow.h"
#include "app/MainWindow.h"
#include "app/MenuCaptions.h"
#include "app/PendingException.h"
#include "app/SceneHooks.h"
#include "app/SceneObjects.h"
#include "app/WindowPlacement.h"

namespace {

void SetInitialGLState() {
    glClearStencil(0);
    glStencilMask(1);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.23f, 0.33f, 0.53f, 0.0f);
    glColor3f(1.0f, 0.0f, 0.5f);
    glEnable(GL_DEPTH_TEST);
}

int MessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        RethrowPendingException();
    }
    RethrowPendingException();
    return static_cast<int>(message.wParam);
}

void Shutdown() {
    SaveWindowPlacement();
    DestroySceneObjects();
    SceneHooks::ExplorerTeardown();
    OleUninitialize();
    DestroyGLWindow();
}

} // namespace

int RunMain() {
    DeleteLeftoverUpdate();
    const TSettings placement = LoadWindowPlacement();
    Split = placement.Split;
    if (!CreateGLWindow(L"Glimmera", placement.ClientWidth, placement.ClientHeight, placement.Left,
                        placement.Top))
        return 0;
    RethrowPendingException();
    SetRussianMenuCaptions(MainWindow);
    if (!CreateGLContext())
        return 0;
    wglMakeCurrent(DC, RC);
    ReadGLLoaderFlags();
    CheckGLError("{7AAC264E-CE17-4A7D-8A5A-7CB2E17CD1F1}");
    OleInitialize(nullptr);
    CheckSystemRequirements();
    CreateSceneObjects();
    ShowWindow(MainWindow, placement.Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
    SetForegroundWindow(MainWindow);
    SetFocus(MainWindow);
    RethrowPendingException();
    SetInitialGLState();
    PaintSuspended = false;
    RequestRedraw();
    const int exitCode = MessageLoop();
    Shutdown();
    return exitCode;
}
