#include "app/Main.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/AddressEdit.h"
#include "app/GLWindow.h"
#include "app/MainWindow.h"
#include "app/SceneHooks.h"
#include "app/SceneObjects.h"
#include "space/ScenePerspective.h"

namespace {

constexpr int MinimalDrawnSize = 100;

void DrawBackground() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
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

} // namespace

bool RenderFrame() {
    if (PaintSuspended || ClientWidth < MinimalDrawnSize || ClientHeight < MinimalDrawnSize ||
        !SceneBuilt())
        return false;
    PAINTSTRUCT paint;
    BeginPaint(MainWindow, &paint);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glScissor(0, 0, ClientWidth, ClientHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const int sceneWidth = ClientWidth - Split;
    glViewport(Split + 1, 0, sceneWidth, ClientHeight);
    glScissor(Split + 1, 0, sceneWidth, ClientHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawBackground();

    if (LoadScenePerspective())
        SceneHooks::DrawScene();

    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, sceneWidth, 0.0, ClientHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    SceneHooks::DrawOverlays();

    glFlush();
    SwapBuffers(DC);
    EndPaint(MainWindow, &paint);
    return true;
}

void ResizeClient(int width, int height) {
    ClientWidth = width;
    ClientHeight = height;
    if (Split <= 10)
        Split = 10;
    PlaceAddressEdit(Split, width);
    ResizeSceneViewports(width, height);
    RequestRedraw();
}
