// Drawing a frame of the main window, and laying out its parts after a resize.
#include "app/MainWindow.h"

#include <GL/gl.h>

#include <cmath>
#include <string>
#include <utility>

#include "app/ScreenPlacement.h"
#include "base/ProcessClock.h"
#include "render/PassState.h"
#include "space/ScenePerspective.h"

namespace {

constexpr int MinimalDrawnSize = 100;

void DrawBackground() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    // A hit test draws the levels between frames and leaves their texturing on.
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUADS);
    glColor3f(0.32549f, 0.396078f, 0.470588f);
    glVertex3f(-1.0f, -1.0f, -1.0f);
    glVertex3f(1.0f, -1.0f, -1.0f);
    glColor3f(0.520784f, 0.633725f, 0.752941f);
    glVertex3f(1.0f, 1.0f, -1.0f);
    glVertex3f(-1.0f, 1.0f, -1.0f);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
}

// The benchmark reads the start-up time off this line.
void TraceStartUp() {
    const std::wstring line = L"first frame " +
                              std::to_wstring(std::lround(MillisecondsSinceProcessStart())) +
                              L" ms after the process started";
    OutputDebugStringW(line.c_str());
}

} // namespace

bool TMainWindow::RenderFrame(HDC dc) {
    if (FPaintSuspended || FClientWidth < MinimalDrawnSize || FClientHeight < MinimalDrawnSize ||
        !FScene)
        return false;
    // The frame covers the scene window, whose left edge is the strip's: the scene's viewport
    // starts one pixel right of it.
    const int sceneWidth = FClientWidth - FSplit;
    if (FFrame && !FFrame->Begin(sceneWidth, FClientHeight))
        return false;
    // The strip's edge, the one column left of the scene's viewport, is black.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glScissor(0, 0, 1, FClientHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(1, 0, sceneWidth, FClientHeight);
    glScissor(1, 0, sceneWidth, FClientHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawBackground();

    if (LoadScenePerspective(sceneWidth, FClientHeight))
        FScene->DrawScene();

    BeginOverlayPass(sceneWidth, FClientHeight);
    FScene->DrawOverlays();

    glFlush();
    if (FFrame) {
        FFrame->Finish();
        FFrame->Paint(dc);
    } else {
        SwapBuffers(FSceneDC.Get());
    }
    if (!std::exchange(FFirstFrameDrawn, true))
        TraceStartUp();
    return true;
}

// The scene window's WM_PAINT: a new frame, or the last one again while none can be drawn.
void TMainWindow::PaintScene() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(SceneWindow(), &paint);
    if (!RenderFrame(dc) && FFrame)
        FFrame->Paint(dc);
    EndPaint(SceneWindow(), &paint);
}

void TMainWindow::ResizeClient(int width, int height) {
    FClientWidth = width;
    FClientHeight = height;
    FSplit = SplitForClientWidth(FSplit, width);
    if (FSceneWindow)
        FSceneWindow->Place(SceneBounds());
    if (FAddressEdit)
        FAddressEdit->Place(FSplit, width);
    if (FScene)
        FScene->Resize(width, height, FSplit);
    RequestRedraw();
}
