#pragma once
// The scene objects the main routine owns, created in a fixed order and destroyed in the
// reverse order while the GL context is still current.
#include <cstdint>
#include <memory>

#include "model/LevelsScene.h"
#include "model/ShellNamespaceWin.h"
#include "space/Camera.h"
#include "space/Viewports.h"

extern std::unique_ptr<TViewportManager2> ViewportManager;
extern std::unique_ptr<TGeomCamera> SceneCamera;
// The shell namespace the folder model reads through.
extern std::unique_ptr<TWinShellNamespace> SceneShell;
// The folder model: every open level, drawn through the camera.
extern std::unique_ptr<TLevelsScene> Levels;
extern int32_t ExplorerViewport;
extern int32_t SceneViewport;

void CreateSceneObjects();
// Pops the owned-object stack until it is empty, destroying each object.
void DestroySceneObjects();
// True from the end of CreateSceneObjects until DestroySceneObjects.
bool SceneBuilt();

// The Explorer strip and the scene viewport after a resize of the client area.
void ResizeSceneViewports(int width, int height);
