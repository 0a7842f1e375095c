#include "app/SceneObjects.h"

#include <functional>
#include <vector>

#include "app/Errors.h"
#include "app/AddressEdit.h"
#include "app/MainWindow.h"
#include "app/WinString.h"
#include "space/MainWindowAnimationTimer.h"

#include <shellapi.h>

std::unique_ptr<TViewportManager2> ViewportManager;
std::unique_ptr<TGeomCamera> SceneCamera;
std::unique_ptr<TWinShellNamespace> SceneShell;
std::unique_ptr<TLevelsScene> Levels;
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

TLevelsHooks MainWindowLevelsHooks() {
    TLevelsHooks hooks;
    hooks.Redraw = [] { RequestRedraw(); };
    hooks.CurrentChanged = [](TFolderView&) {
        if (MainWindow)
            SetFocus(MainWindow);
        ShowCurrentFolderInAddressEdit();
    };
    hooks.ShowLimit = [](const std::u16string& title, const std::u16string& text) {
        MessageBoxW(MainWindow, AsWide(text), AsWide(title), MB_ICONERROR);
    };
    hooks.WaitCursor = [] {
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return std::function<void()>([previous] { SetCursor(previous); });
    };
    return hooks;
}

// The folder named by the first command-line argument, when it parses.
TOwnedIDList CommandLineFolder() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments)
        return {};
    TOwnedIDList folder;
    if (count > 1 && arguments[1][0] != 0)
        folder = SceneShell->ParseName(FromWide(arguments[1]));
    LocalFree(arguments);
    return folder;
}

// The desktop as the root level, the Computer folder beside it, the command-line folder on
// top; the camera looks at the last of them.
void OpenStartLevels() {
    TLevelsCollection& levels = Levels->Levels();
    levels.OpenOrActivate(levels.DesktopIDList(), false, true);
    TFolderView* top = levels.OpenOrActivate(levels.DrivesIDList(), false, true);
    if (TOwnedIDList folder = CommandLineFolder())
        if (TFolderView* opened = levels.OpenOrActivate(folder.Get(), false, true))
            top = opened;
    levels.PlaceCamera(top);
}

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
    Own(SceneShell, std::make_unique<TWinShellNamespace>());
    SceneShell->OwnerWindow = MainWindow;
    Own(Levels,
        std::make_unique<TLevelsScene>(*SceneShell, SceneCamera.get(), MainWindowAnimationTimer(),
                                       MainWindowLevelsHooks()));
    OpenStartLevels();
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
