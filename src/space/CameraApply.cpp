#include "space/Camera.h"

#include <windows.h>
#include <GL/gl.h>

void TGeomCamera::Apply() const {
    TMatrix4 view;
    GetViewMatrix(view);
    glMatrixMode(GL_MODELVIEW);
    glMultMatrixf(view.data());
}
