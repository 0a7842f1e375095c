#include "interact/SceneOperations.h"

#include <GL/gl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "base/Handles.h"
#include "base/WinString.h"
#include "base/WindowIds.h"
#include "interact/SortMenu.h"
#include "model/FolderView.h"
#include "render/SelectionNames.h"
#include "services/IDListWin.h"
#include "space/Picking.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr UINT TypeAheadResetMs = 500;
// A band pass names each tile of the current page twice, its icon and its caption.
constexpr int32_t BandNames = ItemsPerPage * 2;

// The shell's info tip of an item ("Type: ..., Size: ..."), empty when it has none.
std::u16string InfoTip(const TIDList* absolute) {
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (!absolute || FAILED(SHBindToParent(AsAbsolute(absolute), IID_PPV_ARGS(&parent), &child)))
        return {};
    ComPtr<IQueryInfo> info;
    if (FAILED(parent->GetUIObjectOf(nullptr, 1, &child, IID_IQueryInfo, nullptr,
                                     reinterpret_cast<void**>(info.GetAddressOf()))))
        return {};
    TCoTaskMem<wchar_t> tip;
    if (FAILED(info->GetInfoTip(0, tip.Receive())) || !tip)
        return {};
    return FromWide(tip.Get());
}

} // namespace

TSceneOperationManager::TSceneOperationManager(TLevelsScene& levels, TGeomCamera& camera,
                                               const TViewportManager2& viewports,
                                               int32_t sceneViewport, TMainWindowValues& window,
                                               TWidgetManager& widgets, TFilterEdit& filter,
                                               TSceneCommands& commands)
    : FLevels(levels), FViewports(viewports), FSceneViewport(sceneViewport), FWindow(window),
      FWidgets(widgets), FFilter(filter), FTooltip(viewports, sceneViewport),
      FMachine(levels.Levels(), camera, commands, *this) {}

bool TSceneOperationManager::InScene(int32_t x, int32_t y) const {
    return FViewports.HitTest(x, y) == FSceneViewport;
}

TSceneHit TSceneOperationManager::HitTest(int32_t x, int32_t y, uint32_t mask, bool shift) {
    TSceneHit hit;
    if (!InScene(x, y))
        return hit;
    TViewport scene;
    FViewports.GetViewport(FSceneViewport, scene);
    // While items are dragged, a level under a stack is no target: Shift must not reach it.
    FLevels.SetAllLevelsWithShift(FMachine.State() != TSceneState::DraggingItems);
    const std::optional<uint32_t> name = PickAt(
        x, y, FWindow.ClientHeight(), scene,
        [this, shift](uint32_t flags) { FLevels.Render(flags, shift); }, mask);
    if (!name)
        return hit;
    hit.Item = ObjectOfSelectionName<TFSEView>(*name);
    hit.View = ObjectOfSelectionName<TFolderView>(*name);
    hit.SortCaption = ObjectOfSelectionName<TLevelSortCaption>(*name);
    return hit;
}

std::vector<TFSEView*> TSceneOperationManager::ItemsInBand(const TBand& band, bool toggle,
                                                           bool shift) {
    TViewport scene;
    FViewports.GetViewport(FSceneViewport, scene);
    const std::vector<uint32_t> names = PickInRectangle(
        band.StartX, band.StartY, band.EndX, band.EndY, FWindow.ClientHeight(), scene,
        [this, shift](uint32_t flags) { FLevels.Render(flags, shift); },
        PassItems | (toggle ? PassBandToggle : PassBandReplace), BandNames);
    std::vector<TFSEView*> items;
    for (const uint32_t name : names)
        if (TFSEView* item = ObjectOfSelectionName<TFSEView>(name))
            items.push_back(item);
    return items;
}

void TSceneOperationManager::DrawBand(int32_t split) const {
    const TBand& band = FMachine.Band();
    const int32_t height = FWindow.ClientHeight();
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(0.8f, 0.8f, 0.8f, 0.1f);
    glBegin(GL_QUADS);
    glVertex2i(band.EndX - split, height - band.EndY);
    glVertex2i(band.EndX - split, height - band.StartY);
    glVertex2i(band.StartX - split, height - band.StartY);
    glVertex2i(band.StartX - split, height - band.EndY);
    glEnd();
    glEnable(GL_ALPHA_TEST);
}

void TSceneOperationManager::ShowSplitCursor() {
    SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
}

void TSceneOperationManager::GripSplit() {
    ShowSplitCursor();
    SetCapture(FWindow.SceneWindow());
}

void TSceneOperationManager::ReleasePointer() {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    ReleaseCapture();
}

void TSceneOperationManager::KeepPointerInWindow() {
    RECT window{};
    POINT cursor{};
    GetWindowRect(FWindow.MainWindow(), &window);
    GetCursorPos(&cursor);
    if (!PtInRect(&window, cursor))
        SetCursorPos((window.left + window.right) / 2, (window.top + window.bottom) / 2);
}

void TSceneOperationManager::RestartTypeAheadTimer() {
    SetTimer(FWindow.MainWindow(), TimerId(TMainTimer::TypeAhead), TypeAheadResetMs, nullptr);
}

bool TSceneOperationManager::ShowInfoTooltip(const TSceneHit& hit, int32_t x, int32_t y) {
    std::u16string text;
    if (hit.Item) {
        const TOwnedIDList absolute = hit.Item->AbsoluteIDList();
        text = hit.Item->Path() + u"\n" + InfoTip(absolute.Get());
    } else if (hit.View) {
        text = hit.View->Path() + u"\n" + InfoTip(hit.View->AbsoluteIDList());
    } else {
        return false;
    }
    int32_t viewportX = 0, viewportY = 0;
    if (FViewports.HitTest(x, y) >= 0)
        FViewports.WindowToViewport(FSceneViewport, x, y, viewportX, viewportY);
    FTooltip.SetText(text);
    FTooltip.ShowAt(viewportX, viewportY);
    return true;
}

void TSceneOperationManager::HideTooltip() {
    if (!FTooltip.Visible())
        return;
    FTooltip.Hide();
    Redraw();
}
void TSceneOperationManager::ShowSortMenu(const TLevelSortCaption& caption) {
    ::ShowSortMenu(FWindow.MainWindow(), caption);
    Redraw();
}
