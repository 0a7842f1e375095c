#pragma once
// The scene objects the main routine owns, created in a fixed order and destroyed in the
// reverse order while the GL context is still current.
#include <cstdint>
#include <memory>

#include "space/Camera.h"
#include "space/Viewports.h"

extern std::unique_ptr<TViewportManager2> ViewportManager;
extern std::unique_ptr<TGeomCamera> SceneCamera;
extern int32_t ExplorerViewport;
extern int32_t SceneViewport;

void CreateSceneObjects();
// Pops the owned-object stack until it is empty, destroying each object.
void DestroySceneObjects();
// True from the end of CreateSceneObjects until DestroySceneObjects.
bool SceneBuilt();

// The Explorer strip and the scene viewport after a resize of the client area.
void ResizeSceneViewports(int width, int height);
