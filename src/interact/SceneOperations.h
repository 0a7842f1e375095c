#pragma once
// The window's side of the scene's input: the input machine's host. Hit tests by OpenGL
// picking, the band's pass, the cursor and capture, the filter field, the info tooltip and the
// sort menu.
#include <windows.h>

#include <cstdint>

#include "base/MainWindowValues.h"
#include "interact/FilterEdit.h"
#include "interact/SceneCommands.h"
#include "interact/SceneInputMachine.h"
#include "interact/TooltipPhantom.h"
#include "model/LevelsScene.h"
#include "render/GUIWidgets.h"
#include "space/Camera.h"
#include "space/Viewports.h"

class TSceneOperationManager final : private TSceneInputHost {
public:
    // sceneViewport: the scene's viewport with the viewport manager.
    TSceneOperationManager(TLevelsScene& levels, TGeomCamera& camera,
                           const TViewportManager2& viewports, int32_t sceneViewport,
                           TMainWindowValues& window, TWidgetManager& widgets, TFilterEdit& filter,
                           TSceneCommands& commands);
    TSceneOperationManager(const TSceneOperationManager&) = delete;
    TSceneOperationManager& operator=(const TSceneOperationManager&) = delete;

    TSceneInputMachine& Machine() { return FMachine; }

    // For the drop target: the machine's drag states and the hit under a dragged cursor.
    void BeginDragOver() { FMachine.BeginDragOver(); }
    void EndDrag() { FMachine.EndDrag(); }
    void DragHover(int32_t x, int32_t y, uint32_t held) { FMachine.DragHover(x, y, held); }
    TFolderView* DragSourceView() const { return FMachine.DragSourceView(); }
    TSceneHit HitTestScene(int32_t x, int32_t y, uint32_t mask) {
        return HitTest(x, y, mask, false);
    }

    void DrawBand(int32_t split) const;
    bool Banding() const { return FMachine.Banding(); }
    TTooltipPhantom& Tooltip() { return FTooltip; }

private:
    // TSceneInputHost
    TSceneHit HitTest(int32_t x, int32_t y, uint32_t mask, bool shift) override;
    bool InScene(int32_t x, int32_t y) const override;
    std::vector<TFSEView*> ItemsInBand(const TBand& band, bool toggle, bool shift) override;
    void Redraw() override { FWindow.RequestRedraw(); }
    void ShowSplitCursor() override;
    void GripSplit() override;
    void ReleasePointer() override;
    int32_t Split() const override { return FWindow.Split(); }
    int32_t ClientWidth() const override { return FWindow.ClientWidth(); }
    void KeepPointerInWindow() override;
    void ShowSortMenu(const TLevelSortCaption& caption) override;
    bool ShowInfoTooltip(const TSceneHit& hit, int32_t x, int32_t y) override;
    void HideTooltip() override;
    bool FieldHasKeyboard() const override { return FWidgets.FocusedWidget() != nullptr; }
    void FieldChar(char16_t c) override { FWidgets.Char(c); }
    bool FilterActive() const override { return FFilter.IsActive(); }
    void ToggleFilter() override { FFilter.ToggleInput(); }
    void ClearFilter() override { FFilter.Clear(); }
    void RestartTypeAheadTimer() override;

    TLevelsScene& FLevels;
    const TViewportManager2& FViewports;
    int32_t FSceneViewport;
    TMainWindowValues& FWindow;
    TWidgetManager& FWidgets;
    TFilterEdit& FFilter;
    TTooltipPhantom FTooltip;
    TSceneInputMachine FMachine;
};
