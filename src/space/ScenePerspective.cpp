#include "space/ScenePerspective.h"

#include "app/MainWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool MultScenePerspective() {
    if (ClientHeight <= 0)
        return false;
    const double aspect = double(ClientWidth - Split) / double(ClientHeight);
    gluPerspective(SceneFieldOfView, aspect, SceneNearPlane, SceneFarPlane);
    return true;
}

bool LoadScenePerspective() {
    if (ClientHeight <= 0)
        return false;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    return MultScenePerspective();
}
