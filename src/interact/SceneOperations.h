#pragma once
// The scene's mouse and keyboard: hit tests by OpenGL picking, a small state machine for
// presses and drags (rubber band, outgoing drag, the strip's edge, the camera, a level's
// grid), the sort menu, the info tooltip and the key tables.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "base/MainWindowValues.h"
#include "interact/FilterEdit.h"
#include "interact/SceneCommands.h"
#include "interact/TooltipPhantom.h"
#include "model/LevelsScene.h"
#include "render/GUIWidgets.h"
#include "space/Camera.h"
#include "space/Viewports.h"

enum class TSceneState : uint8_t {
    Idle = 0,
    CameraPan = 1,
    CameraDolly = 2,
    CameraOrbit = 3,
    ItemPressed = 4,
    DraggingItems = 5,
    MovingSplit = 6,
    GridMove = 7,
    GridDepth = 8,
    GridTilt = 9,
    BandReplace = 10,
    BandToggle = 11,
    ContextMenuShown = 12,
};

// Pass masks of the hit tests.
constexpr uint32_t PickLeftPress = 0x1B0;
constexpr uint32_t PickRelease = 0x180;
constexpr uint32_t PickRightPress = 0x190;
constexpr uint32_t PickLevel = 0x10;
constexpr uint32_t PickInfo = 0x1D0;

// What a hit test found: an item (its caption stands for it), a level (its frame or title),
// a sort caption, or nothing.
struct TSceneHit {
    TFSEView* Item = nullptr;
    TFolderView* View = nullptr;
    TLevelSortCaption* SortCaption = nullptr;
    bool Empty() const { return !Item && !View && !SortCaption; }
};

class TSceneOperationManager {
public:
    // sceneViewport: the scene's viewport with the viewport manager.
    TSceneOperationManager(TLevelsScene& levels, TGeomCamera& camera,
                           const TViewportManager2& viewports, int32_t sceneViewport,
                           TMainWindowValues& window, TWidgetManager& widgets, TFilterEdit& filter,
                           TSceneCommands& commands);
    TSceneOperationManager(const TSceneOperationManager&) = delete;
    TSceneOperationManager& operator=(const TSceneOperationManager&) = delete;

    // Client coordinates; keys are the MK_ flags of the message.
    void MouseDown(int32_t x, int32_t y, WPARAM keys);
    void MouseUp(int32_t x, int32_t y, WPARAM keys);
    void MiddleDown(int32_t x, int32_t y, WPARAM keys);
    void MiddleUp();
    void RightDown(int32_t x, int32_t y, WPARAM keys);
    void RightUp();
    // dx, dy: the movement since the last mouse message.
    void MouseMove(int32_t x, int32_t y, WPARAM keys, int32_t dx, int32_t dy);
    // Delta as the message gives it: positive away from the user.
    void Wheel(int32_t delta);
    // WM_KEYDOWN through the modifier tables, then the manager's own keys.
    void KeyDown(WPARAM key);
    void KeyUp(WPARAM key);
    void SysKeyDown(WPARAM key);
    void Char(WPARAM character);
    void Resize(int32_t width, int32_t height);

    // For the drop target.
    void BeginDragOver() { FState = TSceneState::DraggingItems; }
    void EndDrag();
    // The level under a dragged cursor becomes the marked one, as under a moving mouse.
    void DragHover(int32_t x, int32_t y, WPARAM keys);
    TSceneHit HitTestScene(int32_t x, int32_t y, uint32_t mask);

    void DrawBand(int32_t split) const;
    TSceneState State() const { return FState; }
    bool Banding() const {
        return FState == TSceneState::BandReplace || FState == TSceneState::BandToggle;
    }
    TTooltipPhantom& Tooltip() { return FTooltip; }
    TFolderView* DragSourceView() const { return FDragSourceView; }

private:
    void Dispatch(WPARAM keys, const TSceneHit& hit, bool inScene);
    void LeftPressAction(const TSceneHit& hit, bool inScene);
    void RightPressAction(const TSceneHit& hit);
    void StartBand();
    void SelectInBand(bool toggle);
    void UpdateHover(WPARAM keys);
    void ShowSortMenu(const TLevelSortCaption& caption);
    void ShowInfoTooltip();
    void HideTooltip();
    void ResetState();
    void KeyTable(WPARAM key);
    void Redraw() { FWindow.RequestRedraw(); }
    bool InScene(int32_t x, int32_t y) const;
    std::optional<uint32_t> Pick(int32_t x, int32_t y, uint32_t mask);

    TLevelsScene& FLevels;
    TGeomCamera& FCamera;
    const TViewportManager2& FViewports;
    int32_t FSceneViewport;
    TMainWindowValues& FWindow;
    TWidgetManager& FWidgets;
    TFilterEdit& FFilter;
    TSceneCommands& FCommands;
    TTooltipPhantom FTooltip;

    TSceneState FState = TSceneState::Idle;
    TSceneHit FHitObject;
    int32_t FPressX = 0;
    int32_t FPressY = 0;
    int32_t FLastX = 0;
    int32_t FLastY = 0;
    int32_t FSceneHeight = 0;
    int32_t FBandStartX = 0;
    int32_t FBandStartY = 0;
    int32_t FBandEndX = 0;
    int32_t FBandEndY = 0;
    int32_t FToggleStamp = 1;
    TFolderView* FDragSourceView = nullptr;
};
