#pragma once
// The scene objects the main window owns, created in a fixed order and destroyed in the
// reverse order while the GL context is still current, and the messages routed to them.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/MainWindowValues.h"
#include <wrl/client.h>

#include "interact/DragDrop.h"
#include "interact/ExplorerWindow.h"
#include "interact/FilterEdit.h"
#include "interact/SceneCommands.h"
#include "interact/SceneOperations.h"
#include "model/LevelsScene.h"
#include "model/ShellNamespaceWin.h"
#include "space/Camera.h"
#include "space/Viewports.h"
#include "render/GUIWidgets.h"
#include "space/WindowAnimationTimer.h"

// What the scene objects ask of the window around them.
struct TSceneSite {
    // A folder became current: the address edit shows it.
    std::function<void()> CurrentFolderChanged;
    // Told the name of each scene object right after it is destroyed.
    std::function<void(const char* object)> ObjectDestroyed;
    // The strip's edge was dragged to x.
    std::function<void(int32_t x)> MoveSplit;
};

class TSceneObjects final : private TSceneCommands {
public:
    // Builds every object in order. Needs the GL context current; the window must outlive the
    // objects. clientHeight is the window's live client height, which the viewports read.
    TSceneObjects(TMainWindowValues& window, const int32_t& clientHeight, TSceneSite site);
    // Pops the owned-object stack until it is empty, destroying each object.
    ~TSceneObjects();
    TSceneObjects(const TSceneObjects&) = delete;
    TSceneObjects& operator=(const TSceneObjects&) = delete;

    // The desktop, the Computer folder and the command-line folder as the first levels, the
    // camera at the top one, and the Explorer pane (of that class) showing it. Once the window
    // routes messages here: opening a level waits for icon work that asks the window thread
    // for icons.
    void OpenStartLevels(REFCLSID browserClass);

    int32_t SceneViewport() const { return FSceneViewport; }
    TLevelsScene& Levels() { return *FLevels; }

    // The Explorer strip and the scene viewport after a resize of the client area.
    void Resize(int32_t width, int32_t height, int32_t split);

    // Drawing: the levels through the camera, then the overlays (rubber band, drag phantom,
    // tooltip, widgets).
    void DrawScene();
    void DrawOverlays();

    // A mouse, wheel, key or character event: the widgets see the mouse first.
    void Input(const TInputEvent& event);

    // Timers.
    void CameraFlightStep();
    void WidgetTick();
    void ClearTypeAhead();
    void LayoutSwapStep();

    // Private messages and system notifications.
    void FolderChanged(WPARAM folderView);
    void ShellNotification(UINT message, WPARAM wParam, LPARAM lParam);
    void DeviceChange(WPARAM event, LPARAM data);
    void LoadIcon(WPARAM entryIndex);
    void ForgetLoadedIcons();

    // The keyboard in the Explorer pane: whether it is there, and putting it there (false
    // without a pane).
    bool PaneHasFocus() const { return ExplorerHasFocus(); }
    bool FocusPane() { return FExplorer && FExplorer->Focus(); }

    // The address edit: the current folder's texts, and opening a parsed item.
    bool CurrentFolderTexts(std::u16string& path, std::u16string& displayName, bool& isFileSystem);
    void OpenAddress(PCIDLIST_ABSOLUTE item);

private:
    // TSceneCommands
    void MoveSplit(int32_t x) override;
    void ExplorerBrowse(const TIDList* folder) override;
    void ExplorerParent() override;
    void ExplorerBack() override;
    void ExplorerForward() override;
    void ExplorerRenameFocused() override;
    void ExplorerRefresh() override;
    void ExplorerNewFolder() override;
    bool ExplorerHasFocus() const override;
    void DeleteSelection(TFolderView& view, bool allowUndo) override;
    void CopySelection() override;
    void CopyFullPath(const std::u16string& path) override;
    void Paste() override;
    bool ShowContextMenu(const std::u16string& path, int32_t x, int32_t y) override;
    void StartDrag(TFolderView& view) override;
    void ShowHelp() override;

    template <class T>
    T& Own(std::unique_ptr<T>& variable, std::unique_ptr<T> object, const char* name);
    void DestroyOwned();
    TLevelsHooks LevelsHooks();
    // The scene takes the keyboard unless the pane has it: the user's navigation there moved
    // the scene, and the user goes on in the pane.
    void FocusSceneUnlessInPane();

    TMainWindowValues& FWindow;
    TSceneSite FSite;
    // Each entry destroys one object and clears its variable; popped in reverse order.
    std::vector<std::function<void()>> FOwnedObjects;
    std::unique_ptr<TViewportManager2> FViewportManager;
    std::unique_ptr<TWidgetManager> FWidgets;
    std::unique_ptr<TGeomCamera> FSceneCamera;
    std::unique_ptr<TWindowAnimationTimer> FAnimationTimer;
    std::unique_ptr<TWinShellNamespace> FShell;
    std::unique_ptr<TLevelsScene> FLevels;
    std::unique_ptr<TFilterEdit> FFilterEdit;
    std::unique_ptr<TSceneOperationManager> FSceneOps;
    Microsoft::WRL::ComPtr<TDropTarget> FDropTarget;
    // Made once the first levels are open; goes before the levels it reports to.
    std::unique_ptr<TExplorerWindow> FExplorer;
    int32_t FExplorerViewport = -1;
    int32_t FSceneViewport = -1;
};
