#include "app/SceneObjects.h"

#include <functional>
#include <vector>

#include "app/Errors.h"
#include "app/MainWindow.h"

std::unique_ptr<TViewportManager2> ViewportManager;
std::unique_ptr<TGeomCamera> SceneCamera;
int32_t ExplorerViewport = -1;
int32_t SceneViewport = -1;

namespace {

// Each entry destroys one object and clears its variable.
std::vector<std::function<void()>> OwnedObjects;
bool Built = false;

template <class T> void Own(std::unique_ptr<T>& variable, std::unique_ptr<T> object) {
    GMAssert(!variable, "Main");
    variable = std::move(object);
    OwnedObjects.push_back([&variable] { variable.reset(); });
}

// Where the camera stands when the program starts.
constexpr float InitialCameraX = 1.25f;
constexpr float InitialCameraY = -0.75f;
constexpr float InitialCameraZ = 5.0f;

} // namespace

void CreateSceneObjects() {
    Own(ViewportManager, std::make_unique<TViewportManager2>(ClientHeight));
    RECT client;
    GetClientRect(MainWindow, &client);
    ClientWidth = client.right;
    ClientHeight = client.bottom;
    ExplorerViewport = ViewportManager->Add(TViewport{0, 0, 1, ClientHeight});
    SceneViewport = ViewportManager->Add(TViewport{Split, 0, ClientWidth - Split, ClientHeight});
    Own(SceneCamera, std::make_unique<TGeomCamera>(InitialCameraX, InitialCameraY, InitialCameraZ));
    Built = true;
}

void DestroySceneObjects() {
    Built = false;
    while (!OwnedObjects.empty()) {
        OwnedObjects.back()();
        OwnedObjects.pop_back();
    }
}

bool SceneBuilt() {
    return Built;
}

void ResizeSceneViewports(int width, int height) {
    if (!ViewportManager)
        return;
    ViewportManager->SetSize(ExplorerViewport, Split, height);
    ViewportManager->SetViewport(SceneViewport, TViewport{Split, 0, width - Split, height});
}
