#include "interact/SceneOperations.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cstdlib>

#include "interact/SceneRules.h"
#include "interact/SortMenu.h"
#include "model/FolderView.h"
#include "render/SelectionNames.h"
#include "space/Picking.h"
#include "space/ScenePerspective.h"
#include "space/SelectionHits.h"

namespace {

constexpr float PanStep = 0.01f;
constexpr float DollyStep = 0.04f;
constexpr float OrbitStep = 0.02f;
constexpr float GridStep = 0.01f;
constexpr float GridTurnStep = 0.02f;
// A band pass names each tile of the current page twice, its icon and its caption.
constexpr GLsizei BandBufferSize = ItemsPerPage * 2 * OneNameRecordWords;

bool Has(WPARAM keys, WPARAM flag) {
    return (keys & flag) != 0;
}

// The mouse buttons and modifiers of a message, without the middle button and the X buttons.
WPARAM PressFlags(WPARAM keys) {
    return keys & (MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL);
}

} // namespace

TSceneOperationManager::TSceneOperationManager(TLevelsScene& levels, TGeomCamera& camera,
                                               const TViewportManager2& viewports,
                                               int32_t sceneViewport, TMainWindowValues& window,
                                               TWidgetManager& widgets, TFilterEdit& filter,
                                               TSceneCommands& commands)
    : FLevels(levels), FCamera(camera), FViewports(viewports), FSceneViewport(sceneViewport),
      FWindow(window), FWidgets(widgets), FFilter(filter), FCommands(commands),
      FTooltip(viewports, sceneViewport), FSceneHeight(window.ClientHeight()) {}

bool TSceneOperationManager::InScene(int32_t x, int32_t y) const {
    return FViewports.HitTest(x, y) == FSceneViewport;
}

std::optional<uint32_t> TSceneOperationManager::Pick(int32_t x, int32_t y, uint32_t mask) {
    TViewport scene;
    FViewports.GetViewport(FSceneViewport, scene);
    // While items are dragged, a level under a stack is no target: Shift must not reach it.
    FLevels.SetAllLevelsWithShift(FState != TSceneState::DraggingItems);
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    return PickAt(
        x, y, FWindow.ClientHeight(), scene,
        [this, shift](uint32_t flags) { FLevels.Render(flags, shift); }, mask);
}

TSceneHit TSceneOperationManager::HitTestScene(int32_t x, int32_t y, uint32_t mask) {
    TSceneHit hit;
    if (!InScene(x, y))
        return hit;
    const std::optional<uint32_t> name = Pick(x, y, mask);
    if (!name)
        return hit;
    hit.Item = ObjectOfSelectionName<TFSEView>(*name);
    hit.View = ObjectOfSelectionName<TFolderView>(*name);
    hit.SortCaption = ObjectOfSelectionName<TLevelSortCaption>(*name);
    return hit;
}

// --- Presses ----------------------------------------------------------------------------------

void TSceneOperationManager::MouseDown(int32_t x, int32_t y, WPARAM keys) {
    FLastX = x;
    FLastY = y;
    ++FToggleStamp;
    const TSceneHit hit = HitTestScene(x, y, PickLeftPress);
    switch (FState) {
    case TSceneState::Idle:
    // The menu's loop took the right release: the first press after it is a press like any.
    case TSceneState::ContextMenuShown:
    case TSceneState::CameraPan:
    case TSceneState::CameraOrbit:
    case TSceneState::GridMove:
    case TSceneState::GridTilt:
        Dispatch(keys, hit, InScene(x, y));
        break;
    default:
        break;
    }
}

void TSceneOperationManager::MouseUp(int32_t x, int32_t y, WPARAM keys) {
    FLastX = x;
    FLastY = y;
    const TSceneHit hit = HitTestScene(x, y, PickRelease);
    if (FState == TSceneState::ItemPressed) {
        // A plain click opens; Shift, Ctrl or another button held at the release opens nothing.
        if ((keys &
             (MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2 | MK_SHIFT | MK_CONTROL)) == 0 &&
            hit.Item) {
            FState = TSceneState::Idle;
            FLevels.Levels().ActivateItem(hit.Item->Owner());
        }
    } else {
        Dispatch(keys, hit, InScene(x, y));
    }
    ResetState();
}

void TSceneOperationManager::MiddleDown(int32_t x, int32_t y, WPARAM keys) {
    FLastX = x;
    FLastY = y;
    Dispatch(keys, HitTestScene(x, y, PickRelease), InScene(x, y));
}

void TSceneOperationManager::MiddleUp() {
    ResetState();
    Redraw();
}

void TSceneOperationManager::RightDown(int32_t x, int32_t y, WPARAM keys) {
    FLastX = x;
    FLastY = y;
    Dispatch(keys, HitTestScene(x, y, PickRightPress), InScene(x, y));
}

void TSceneOperationManager::RightUp() {
    ResetState();
}

void TSceneOperationManager::Dispatch(WPARAM keys, const TSceneHit& hit, bool inScene) {
    const WPARAM flags = PressFlags(keys);
    switch (flags) {
    case MK_LBUTTON:
        FPressX = FLastX;
        FPressY = FLastY;
        LeftPressAction(hit, inScene);
        return;
    case MK_RBUTTON:
        RightPressAction(hit);
        return;
    case MK_LBUTTON | MK_RBUTTON:
    case MK_LBUTTON | MK_SHIFT | MK_CONTROL:
        return;
    case MK_LBUTTON | MK_SHIFT:
        FHitObject = hit;
        if (hit.View) {
            FState = TSceneState::GridMove;
        } else if (hit.Empty()) {
            FState = TSceneState::CameraOrbit;
            FLevels.Levels().TurnToCurrent();
        }
        return;
    case MK_RBUTTON | MK_SHIFT:
        FHitObject = hit;
        if (hit.View)
            FState = TSceneState::GridTilt;
        else if (hit.Empty())
            FState = TSceneState::CameraPan;
        return;
    case MK_LBUTTON | MK_RBUTTON | MK_SHIFT:
        FHitObject = hit;
        if (hit.View)
            FState = TSceneState::GridDepth;
        else if (hit.Empty())
            FState = TSceneState::CameraDolly;
        return;
    case MK_LBUTTON | MK_CONTROL:
        FState = TSceneState::BandToggle;
        StartBand();
        if (hit.Item) {
            ++FToggleStamp;
            hit.Item->ToggleSelect(FToggleStamp);
            Redraw();
        }
        return;
    case MK_RBUTTON | MK_SHIFT | MK_CONTROL:
        FState = TSceneState::CameraPan;
        return;
    case MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL:
        FState = TSceneState::CameraDolly;
        return;
    default:
        FHitObject = hit;
        return;
    }
}

void TSceneOperationManager::LeftPressAction(const TSceneHit& hit, bool inScene) {
    if (NearSplit(FLastX, FWindow.Split())) {
        FState = TSceneState::MovingSplit;
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        SetCapture(FWindow.SceneWindow());
        return;
    }
    FHitObject = hit;
    if (!inScene)
        return;
    if (hit.SortCaption) {
        ShowSortMenu(*hit.SortCaption);
        FState = TSceneState::Idle;
        return;
    }
    if (hit.Item) {
        FState = TSceneState::ItemPressed;
        FDragSourceView = &hit.Item->Owner();
        if (!hit.Item->Selected())
            hit.Item->SelectOnly();
        Redraw();
        return;
    }
    if (hit.View) {
        FCommands.ExplorerBrowse(hit.View->AbsoluteIDList());
        if (FLevels.Levels().Current() != hit.View)
            FLevels.Levels().SetCurrent(hit.View);
    }
    FState = TSceneState::BandReplace;
    StartBand();
}

void TSceneOperationManager::RightPressAction(const TSceneHit& hit) {
    std::u16string path;
    if (hit.View) {
        path = hit.View->Path();
    } else if (hit.Item) {
        hit.Item->SelectOnly();
        Redraw();
        path = hit.Item->Path();
    }
    if (!path.empty() && FCommands.ShowContextMenu(path, FLastX, FLastY))
        FState = TSceneState::ContextMenuShown;
    else
        FState = TSceneState::Idle;
}

void TSceneOperationManager::StartBand() {
    FHitObject = TSceneHit{};
    FBandStartX = FBandEndX = FLastX;
    FBandStartY = FBandEndY = FLastY;
}

void TSceneOperationManager::ResetState() {
    FHitObject = TSceneHit{};
    if (FState == TSceneState::DraggingItems)
        Redraw();
    // A release ends the press: a later drag from another program has no source here, and
    // the view may be gone by then.
    FDragSourceView = nullptr;
    FState = TSceneState::Idle;
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    ReleaseCapture();
}

void TSceneOperationManager::EndDrag() {
    FDragSourceView = nullptr;
    FState = TSceneState::Idle;
    Redraw();
}

// --- Moves ------------------------------------------------------------------------------------

void TSceneOperationManager::MouseMove(int32_t x, int32_t y, WPARAM keys, int32_t dx, int32_t dy) {
    FLastX = x;
    FLastY = y;
    TRectangularLattice* grid = FHitObject.View ? FHitObject.View->LayoutManager() : nullptr;
    switch (FState) {
    case TSceneState::Idle:
        if (NearSplit(x, FWindow.Split())) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        } else if (InScene(x, y) && BeyondDragThreshold(FPressX, FPressY, x, y)) {
            UpdateHover(keys);
            Redraw();
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
        if ((FWindow.Split() <= 10 && dx < 0) || (x >= FWindow.ClientWidth() - 10 && dx > 0))
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
        FBandEndX = x;
        FBandEndY = y;
        // The band's kind was set by its press: Ctrl pressed on the way changes nothing.
        SelectInBand(false);
        break;
    case TSceneState::BandToggle:
        FBandEndX = x;
        FBandEndY = y;
        SelectInBand(true);
        break;
    default:
        return;
    }
    Redraw();
}

void TSceneOperationManager::DragHover(int32_t x, int32_t y, WPARAM keys) {
    FLastX = x;
    FLastY = y;
    UpdateHover(keys);
}

void TSceneOperationManager::UpdateHover(WPARAM keys) {
    if (Has(keys, MK_SHIFT) && Has(keys, MK_CONTROL))
        return;
    const TSceneHit hit = HitTestScene(FLastX, FLastY, PickLevel);
    if (hit.View) {
        FLevels.Levels().SetMarked(hit.View);
        FHitObject = hit;
    } else if (hit.Empty()) {
        FLevels.Levels().SetMarked(nullptr);
    }
}

void TSceneOperationManager::SelectInBand(bool toggle) {
    TViewport scene;
    FViewports.GetViewport(FSceneViewport, scene);
    std::array<GLuint, BandBufferSize> buffer{};
    TSelectionMode selection(buffer.data(), BandBufferSize);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    GLint viewport[4] = {scene.X, scene.Y, scene.Width, scene.Height};
    const int32_t width = std::max(1, std::abs(FBandStartX - FBandEndX));
    const int32_t height = std::max(1, std::abs(FBandStartY - FBandEndY));
    gluPickMatrix((FBandStartX + FBandEndX) / 2, FSceneHeight - (FBandStartY + FBandEndY) / 2,
                  width, height, viewport);
    MultScenePerspective(scene.Width, scene.Height);
    glInitNames();
    FLevels.Render(toggle ? (PassItems | PassBandToggle) : (PassItems | PassBandReplace),
                   GetKeyState(VK_SHIFT) < 0);
    const GLint hits = selection.End();
    for (const uint32_t name : HitNames(buffer, hits)) {
        TFSEView* item = ObjectOfSelectionName<TFSEView>(name);
        if (!item)
            continue;
        if (toggle)
            item->ToggleSelect(FToggleStamp);
        else
            item->Select();
    }
}

void TSceneOperationManager::DrawBand(int32_t split) const {
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.8f, 0.8f, 0.8f, 0.1f);
    glBegin(GL_QUADS);
    glVertex2i(FBandEndX - split, FSceneHeight - FBandEndY);
    glVertex2i(FBandEndX - split, FSceneHeight - FBandStartY);
    glVertex2i(FBandStartX - split, FSceneHeight - FBandStartY);
    glVertex2i(FBandStartX - split, FSceneHeight - FBandEndY);
    glEnd();
    glEnable(GL_ALPHA_TEST);
}

// --- Wheel, sort menu, tooltip ----------------------------------------------------------------

void TSceneOperationManager::Wheel(int32_t delta) {
    TLevelsCollection& levels = FLevels.Levels();
    const TSceneHit hit = HitTestScene(FLastX, FLastY, PickLevel);
    if (hit.Empty()) {
        levels.SetMarked(nullptr);
        levels.FlyTo(delta > 0 ? levels.NextView() : levels.PrevView(), TAfterFlight::BrowsePane,
                     TFlightPath::ToLevel);
    } else if (hit.View && levels.Marked()) {
        if (delta < 0)
            levels.NextPage();
        else
            levels.PrevPage();
        Redraw();
    }
    FWidgets.Wheel(delta);
}

void TSceneOperationManager::ShowSortMenu(const TLevelSortCaption& caption) {
    ::ShowSortMenu(FWindow.MainWindow(), caption);
    Redraw();
}
