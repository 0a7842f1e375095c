#include "render/PassState.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void CommonPassState() {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.1f);
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glLineWidth(1.0f);
    glDisable(GL_LINE_SMOOTH);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

} // namespace

void BeginScenePass() {
    CommonPassState();
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

void BeginOverlayPass(int sceneWidth, int sceneHeight) {
    CommonPassState();
    glDisable(GL_DEPTH_TEST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, sceneWidth, 0.0, sceneHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
