#include "interact/SceneInputMachine.h"

#include "interact/SceneCommands.h"
#include "interact/SceneRules.h"
#include "model/FolderView.h"
#include "model/LevelsCollection.h"
#include "space/Camera.h"
#include "space/RectangularLattice.h"

namespace {

constexpr float PanStep = 0.01f;
constexpr float DollyStep = 0.04f;
constexpr float OrbitStep = 0.02f;
constexpr float GridStep = 0.01f;
constexpr float GridTurnStep = 0.02f;
// The strip's edge stops this close to either side of the window.
constexpr int32_t SplitMargin = 10;

// The buttons and modifiers a press is dispatched by: the middle and X buttons do not count.
constexpr uint32_t PressBits = HeldLeft | HeldRight | HeldShift | HeldCtrl;

} // namespace

TSceneInputMachine::TSceneInputMachine(TLevelsCollection& levels, TGeomCamera& camera,
                                       TSceneCommands& commands, TSceneInputHost& host)
    : FLevels(levels), FCamera(camera), FCommands(commands), FHost(host) {}

void TSceneInputMachine::Input(const TInputEvent& event) {
    switch (event.Kind) {
    case TInputKind::LeftDown:
        LeftDown(event);
        return;
    case TInputKind::LeftUp:
        LeftUp(event);
        return;
    case TInputKind::RightDown:
        FLastX = event.X;
        FLastY = event.Y;
        Press(event, FHost.HitTest(event.X, event.Y, PickRightPress, event.Shift()));
        return;
    case TInputKind::MiddleDown:
        FLastX = event.X;
        FLastY = event.Y;
        Press(event, FHost.HitTest(event.X, event.Y, PickRelease, event.Shift()));
        return;
    case TInputKind::RightUp:
        ResetState();
        return;
    case TInputKind::MiddleUp:
        ResetState();
        FHost.Redraw();
        return;
    case TInputKind::Move: {
        const int32_t dx = event.X - FMouseX;
        const int32_t dy = event.Y - FMouseY;
        Track(event);
        Move(event, dx, dy);
        return;
    }
    case TInputKind::Wheel:
        Wheel(event);
        return;
    case TInputKind::KeyDown:
        KeyDown(event);
        return;
    case TInputKind::KeyUp:
        KeyUp(event);
        return;
    case TInputKind::SysKeyDown:
        SysKeyDown(event);
        return;
    case TInputKind::Char:
        Char(event);
        return;
    }
}

void TSceneInputMachine::Track(const TInputEvent& event) {
    FMouseX = event.X;
    FMouseY = event.Y;
}

// --- Presses ----------------------------------------------------------------------------------

void TSceneInputMachine::LeftDown(const TInputEvent& event) {
    Track(event);
    FLastX = event.X;
    FLastY = event.Y;
    ++FToggleStamp;
    const TSceneHit hit = FHost.HitTest(event.X, event.Y, PickLeftPress, event.Shift());
    switch (FState) {
    case TSceneState::Idle:
    // The menu's loop took the right release: the first press after it is a press like any.
    case TSceneState::ContextMenuShown:
    case TSceneState::CameraPan:
    case TSceneState::CameraOrbit:
    case TSceneState::GridMove:
    case TSceneState::GridTilt:
        Press(event, hit);
        break;
    default:
        break;
    }
}

void TSceneInputMachine::LeftUp(const TInputEvent& event) {
    FLastX = event.X;
    FLastY = event.Y;
    const TSceneHit hit = FHost.HitTest(event.X, event.Y, PickRelease, event.Shift());
    if (FState == TSceneState::ItemPressed) {
        // A plain click opens; Shift, Ctrl or another button held at the release opens nothing.
        constexpr uint32_t Spoilers =
            HeldRight | HeldMiddle | HeldX1 | HeldX2 | HeldShift | HeldCtrl;
        if ((event.Held & Spoilers) == 0 && hit.Item) {
            FState = TSceneState::Idle;
            FLevels.ActivateItem(hit.Item->Owner());
        }
    } else {
        Press(event, hit);
    }
    ResetState();
}

void TSceneInputMachine::Press(const TInputEvent& event, const TSceneHit& hit) {
    const bool inScene = FHost.InScene(event.X, event.Y);
    switch (event.Held & PressBits) {
    case HeldLeft:
        FPressX = FLastX;
        FPressY = FLastY;
        LeftPressAction(hit, inScene);
        return;
    case HeldRight:
        RightPressAction(hit);
        return;
    case HeldLeft | HeldRight:
    case HeldLeft | HeldShift | HeldCtrl:
        return;
    case HeldLeft | HeldShift:
        FHitObject = hit;
        if (hit.View) {
            FState = TSceneState::GridMove;
        } else if (hit.Empty()) {
            FState = TSceneState::CameraOrbit;
            FLevels.TurnToCurrent();
        }
        return;
    case HeldRight | HeldShift:
        FHitObject = hit;
        if (hit.View)
            FState = TSceneState::GridTilt;
        else if (hit.Empty())
            FState = TSceneState::CameraPan;
        return;
    case HeldLeft | HeldRight | HeldShift:
        FHitObject = hit;
        if (hit.View)
            FState = TSceneState::GridDepth;
        else if (hit.Empty())
            FState = TSceneState::CameraDolly;
        return;
    case HeldLeft | HeldCtrl:
        FState = TSceneState::BandToggle;
        StartBand();
        if (hit.Item) {
            ++FToggleStamp;
            hit.Item->ToggleSelect(FToggleStamp);
            FHost.Redraw();
        }
        return;
    case HeldRight | HeldShift | HeldCtrl:
        FState = TSceneState::CameraPan;
        return;
    case HeldLeft | HeldRight | HeldShift | HeldCtrl:
        FState = TSceneState::CameraDolly;
        return;
    default:
        FHitObject = hit;
        return;
    }
}

void TSceneInputMachine::LeftPressAction(const TSceneHit& hit, bool inScene) {
    if (NearSplit(FLastX, FHost.Split())) {
        FState = TSceneState::MovingSplit;
        FHost.GripSplit();
        return;
    }
    FHitObject = hit;
    if (!inScene)
        return;
    if (hit.SortCaption) {
        FHost.ShowSortMenu(*hit.SortCaption);
        FState = TSceneState::Idle;
        return;
    }
    if (hit.Item) {
        FState = TSceneState::ItemPressed;
        FDragSourceView = &hit.Item->Owner();
        if (!hit.Item->Selected())
            hit.Item->SelectOnly();
        FHost.Redraw();
        return;
    }
    if (hit.View) {
        FCommands.ExplorerBrowse(hit.View->AbsoluteIDList());
        if (FLevels.Current() != hit.View)
            FLevels.SetCurrent(hit.View);
    }
    FState = TSceneState::BandReplace;
    StartBand();
}

void TSceneInputMachine::RightPressAction(const TSceneHit& hit) {
    std::u16string path;
    if (hit.View) {
        path = hit.View->Path();
    } else if (hit.Item) {
        hit.Item->SelectOnly();
        FHost.Redraw();
        path = hit.Item->Path();
    }
    if (!path.empty() && FCommands.ShowContextMenu(path, FLastX, FLastY))
        FState = TSceneState::ContextMenuShown;
    else
        FState = TSceneState::Idle;
}

void TSceneInputMachine::StartBand() {
    FHitObject = TSceneHit{};
    FBand = TBand{FLastX, FLastY, FLastX, FLastY};
}

void TSceneInputMachine::ResetState() {
    FHitObject = TSceneHit{};
    if (FState == TSceneState::DraggingItems)
        FHost.Redraw();
    // A release ends the press: a later drag from another program has no source here, and
    // the view may be gone by then.
    FDragSourceView = nullptr;
    FState = TSceneState::Idle;
    FHost.ReleasePointer();
}

void TSceneInputMachine::EndDrag() {
    FDragSourceView = nullptr;
    FState = TSceneState::Idle;
    FHost.Redraw();
}

// --- Moves ------------------------------------------------------------------------------------

void TSceneInputMachine::Move(const TInputEvent& event, int32_t dx, int32_t dy) {
    const int32_t x = event.X;
    const int32_t y = event.Y;
    FLastX = x;
    FLastY = y;
    TRectangularLattice* grid = FHitObject.View ? FHitObject.View->LayoutManager() : nullptr;
    switch (FState) {
    case TSceneState::Idle:
        if (NearSplit(x, FHost.Split())) {
            FHost.ShowSplitCursor();
        } else if (FHost.InScene(x, y) && BeyondDragThreshold(FPressX, FPressY, x, y)) {
            UpdateHover(event.Held, event.Shift());
            FHost.Redraw();
        }
        return;
    case TSceneState::CameraPan:
        FCamera.MoveUp(dy * PanStep);
        FCamera.MoveSideways(dx * PanStep);
        break;
    case TSceneState::CameraDolly:
        FCamera.MoveForward(dy * DollyStep);
        break;
    case TSceneState::CameraOrbit:
        FCamera.OrbitAroundSide(dy * OrbitStep);
        FCamera.OrbitAroundVertical(dx * OrbitStep);
        break;
    case TSceneState::ItemPressed:
        if (BeyondDragThreshold(FPressX, FPressY, x, y) && FDragSourceView) {
            FState = TSceneState::DraggingItems;
            FCommands.StartDrag(*FDragSourceView);
            // The drag loop took the release.
            ResetState();
        }
        return;
    case TSceneState::MovingSplit:
        if ((FHost.Split() <= SplitMargin && dx < 0) ||
            (x >= FHost.ClientWidth() - SplitMargin && dx > 0))
            ResetState();
        else
            FCommands.MoveSplit(x);
        return;
    case TSceneState::GridMove:
        if (!grid) {
            FState = TSceneState::Idle;
            return;
        }
        grid->TranslateX(dx * GridStep);
        grid->TranslateY(-dy * GridStep);
        break;
    case TSceneState::GridDepth:
        if (!grid) {
            FState = TSceneState::Idle;
            return;
        }
        grid->TranslateZ(dy * GridStep);
        break;
    case TSceneState::GridTilt:
        if (!grid) {
            FState = TSceneState::Idle;
            return;
        }
        grid->RotateAroundX(-dy * GridTurnStep);
        grid->RotateAroundY(-dx * GridTurnStep);
        break;
    case TSceneState::BandReplace:
        if (!BeyondDragThreshold(FPressX, FPressY, x, y))
            return;
        FBand.EndX = x;
        FBand.EndY = y;
        // The band's kind was set by its press: Ctrl pressed on the way changes nothing.
        SelectInBand(false, event.Shift());
        break;
    case TSceneState::BandToggle:
        FBand.EndX = x;
        FBand.EndY = y;
        SelectInBand(true, event.Shift());
        break;
    case TSceneState::DraggingItems:
    case TSceneState::ContextMenuShown:
        return;
    }
    FHost.Redraw();
}

void TSceneInputMachine::DragHover(int32_t x, int32_t y, uint32_t held) {
    FLastX = x;
    FLastY = y;
    UpdateHover(held, (held & HeldShift) != 0);
}

void TSceneInputMachine::UpdateHover(uint32_t held, bool shift) {
    if ((held & (HeldShift | HeldCtrl)) == (HeldShift | HeldCtrl))
        return;
    const TSceneHit hit = FHost.HitTest(FLastX, FLastY, PickLevel, shift);
    if (hit.View) {
        FLevels.SetMarked(hit.View);
        FHitObject = hit;
    } else if (hit.Empty()) {
        FLevels.SetMarked(nullptr);
    }
}

void TSceneInputMachine::SelectInBand(bool toggle, bool shift) {
    for (TFSEView* item : FHost.ItemsInBand(FBand, toggle, shift)) {
        if (toggle)
            item->ToggleSelect(FToggleStamp);
        else
            item->Select();
    }
}

// --- Wheel ------------------------------------------------------------------------------------

void TSceneInputMachine::Wheel(const TInputEvent& event) {
    // The position is the last mouse position, not the message's.
    const TSceneHit hit = FHost.HitTest(FLastX, FLastY, PickLevel, event.Shift());
    if (hit.Empty()) {
        FLevels.SetMarked(nullptr);
        FLevels.FlyTo(event.WheelDelta > 0 ? FLevels.NextView() : FLevels.PrevView(),
                      TAfterFlight::BrowsePane, TFlightPath::ToLevel);
    } else if (hit.View && FLevels.Marked()) {
        if (event.WheelDelta < 0)
            FLevels.NextPage();
        else
            FLevels.PrevPage();
        FHost.Redraw();
    }
}
