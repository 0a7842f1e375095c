#pragma once
// The scene's mouse and keyboard as a state machine fed with input events: presses and drags
// (rubber band, outgoing drag, the strip's edge, the camera, a level's grid), the wheel and the
// key tables. What needs the window (picking, cursor, capture, the field, the tooltip, the sort
// menu) it asks of its host, so it runs and is tested apart from the window.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "interact/InputEvent.h"
#include "render/PassFlags.h"

class TFSEView;
class TFolderView;
class TGeomCamera;
class TLevelSortCaption;
class TLevelsCollection;
class TSceneCommands;

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

// The passes a hit test draws: which objects carry their names.
constexpr uint32_t PickLevel = PassLevels;
constexpr uint32_t PickRelease = PassItems | PassMarkedB;
constexpr uint32_t PickRightPress = PickRelease | PassLevels;
constexpr uint32_t PickLeftPress = PickRightPress; // sort captions are drawn with the levels
constexpr uint32_t PickInfo = PickRightPress | PassMarkedA;

// What a hit test found: an item (its caption stands for it), a level (its frame or title),
// a sort caption, or nothing.
struct TSceneHit {
    TFSEView* Item = nullptr;
    TFolderView* View = nullptr;
    TLevelSortCaption* SortCaption = nullptr;
    bool Empty() const { return !Item && !View && !SortCaption; }
};

// The rubber band's corners in client coordinates.
struct TBand {
    int32_t StartX = 0;
    int32_t StartY = 0;
    int32_t EndX = 0;
    int32_t EndY = 0;
};

// What the machine asks of the window around the scene.
class TSceneInputHost {
public:
    // The object under the client point when the scene is drawn with the passes of mask, nothing
    // outside the scene's viewport; shift: whether Shift is held, which shows every level.
    virtual TSceneHit HitTest(int32_t x, int32_t y, uint32_t mask, bool shift) = 0;
    // Whether the client point lies in the scene's viewport.
    virtual bool InScene(int32_t x, int32_t y) const = 0;
    // Draws the current level's items through the band with the band pass (toggle: Ctrl's;
    // else the one replacing the selection, which clears the levels' selections) and returns
    // the items it names.
    virtual std::vector<TFSEView*> ItemsInBand(const TBand& band, bool toggle, bool shift) = 0;
    virtual void Redraw() = 0;
    // The strip's edge: its cursor under the pointer; with the mouse captured while it moves.
    virtual void ShowSplitCursor() = 0;
    virtual void GripSplit() = 0;
    // The arrow cursor back and the mouse released.
    virtual void ReleasePointer() = 0;
    virtual int32_t Split() const = 0;
    virtual int32_t ClientWidth() const = 0;
    // Return activates with the pointer in the window, where the shell's verbs look for it.
    virtual void KeepPointerInWindow() = 0;
    virtual void ShowSortMenu(const TLevelSortCaption& caption) = 0;
    // The info tip of the item or level a hit found, at client (x, y); true when one was shown.
    virtual bool ShowInfoTooltip(const TSceneHit& hit, int32_t x, int32_t y) = 0;
    virtual void HideTooltip() = 0;
    // The filter field: whether it has the keyboard, a character typed into it, its input.
    virtual bool FieldHasKeyboard() const = 0;
    virtual void FieldChar(char16_t c) = 0;
    virtual bool FilterActive() const = 0;
    virtual void ToggleFilter() = 0;
    virtual void ClearFilter() = 0;
    // Typed-ahead characters are forgotten a while after the last one.
    virtual void RestartTypeAheadTimer() = 0;

protected:
    ~TSceneInputHost() = default;
};

class TSceneInputMachine {
public:
    TSceneInputMachine(TLevelsCollection& levels, TGeomCamera& camera, TSceneCommands& commands,
                       TSceneInputHost& host);
    TSceneInputMachine(const TSceneInputMachine&) = delete;
    TSceneInputMachine& operator=(const TSceneInputMachine&) = delete;

    void Input(const TInputEvent& event);
    // Whether a move event goes anywhere new since the last mouse event.
    bool Moves(const TInputEvent& event) const { return event.X != FMouseX || event.Y != FMouseY; }

    // For the drop target.
    void BeginDragOver() { FState = TSceneState::DraggingItems; }
    void EndDrag();
    // The level under a dragged cursor becomes the marked one, as under a moving mouse.
    void DragHover(int32_t x, int32_t y, uint32_t held);

    TSceneState State() const { return FState; }
    bool Banding() const {
        return FState == TSceneState::BandReplace || FState == TSceneState::BandToggle;
    }
    const TBand& Band() const { return FBand; }
    TFolderView* DragSourceView() const { return FDragSourceView; }

private:
    // Mouse.
    void LeftDown(const TInputEvent& event);
    void LeftUp(const TInputEvent& event);
    void Press(const TInputEvent& event, const TSceneHit& hit);
    void LeftPressAction(const TSceneHit& hit, bool inScene);
    void RightPressAction(const TSceneHit& hit);
    void Move(const TInputEvent& event, int32_t dx, int32_t dy);
    void Wheel(const TInputEvent& event);
    void StartBand();
    void SelectInBand(bool toggle, bool shift);
    void UpdateHover(uint32_t held, bool shift);
    void ResetState();
    void Track(const TInputEvent& event);
    // Keys.
    void KeyDown(const TInputEvent& event);
    void KeyTable(const TInputEvent& event);
    void KeyUp(const TInputEvent& event);
    void SysKeyDown(const TInputEvent& event);
    void Char(const TInputEvent& event);
    void FlyToMarkedUnderPointer(bool shift);
    void CloseCurrentLevel();
    void ShowInfoTooltip(bool shift);
    bool Shortcut(const TInputEvent& event);
    std::optional<std::u16string> PathAtPointer();

    TLevelsCollection& FLevels;
    TGeomCamera& FCamera;
    TSceneCommands& FCommands;
    TSceneInputHost& FHost;

    TSceneState FState = TSceneState::Idle;
    TSceneHit FHitObject;
    int32_t FPressX = 0;
    int32_t FPressY = 0;
    int32_t FLastX = 0;
    int32_t FLastY = 0;
    int32_t FMouseX = 0;
    int32_t FMouseY = 0;
    TBand FBand;
    int32_t FToggleStamp = 1;
    TFolderView* FDragSourceView = nullptr;
};
