#include "space/ScenePerspective.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>

bool MultScenePerspective(int32_t sceneWidth, int32_t sceneHeight) {
    if (sceneHeight <= 0)
        return false;
    gluPerspective(SceneFieldOfView, double(sceneWidth) / double(sceneHeight), SceneNearPlane,
                   SceneFarPlane);
    return true;
}

bool LoadScenePerspective(int32_t sceneWidth, int32_t sceneHeight) {
    if (sceneHeight <= 0)
        return false;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    return MultScenePerspective(sceneWidth, sceneHeight);
}
