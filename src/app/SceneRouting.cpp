// What the main window routes to the scene objects: input events to the widgets, then to the
// scene's input machine; timers, private messages and notifications.
#include "app/SceneObjects.h"

#include <dbt.h>

#include <cstddef>

#include "services/IDListWin.h"

void TSceneObjects::DrawScene() {
    FLevels->Render(PassFrame);
}

void TSceneObjects::DrawOverlays() {
    if (FSceneOps->Banding())
        FSceneOps->DrawBand(FWindow.Split());
    if (FDropTarget && FDropTarget->PhantomVisible())
        FDropTarget->Phantom().Draw();
    if (FSceneOps->Tooltip().Visible())
        FSceneOps->Tooltip().Draw();
    FWidgets->Draw(FSceneViewport);
}

void TSceneObjects::Input(const TInputEvent& event) {
    TSceneInputMachine& machine = FSceneOps->Machine();
    switch (event.Kind) {
    case TInputKind::Move:
        if (machine.Moves(event))
            FWidgets->MouseMove(event.X, event.Y);
        break;
    case TInputKind::LeftDown:
        FWidgets->MouseDown(event.X, event.Y);
        break;
    case TInputKind::LeftUp:
        FWidgets->MouseUp(event.X, event.Y);
        break;
    default:
        break;
    }
    machine.Input(event);
}

void TSceneObjects::CameraFlightStep() {
    FLevels->Levels().StepCameraAnimation();
}

void TSceneObjects::WidgetTick() {
    FWidgets->Tick();
}

void TSceneObjects::ClearTypeAhead() {
    KillTimer(FWindow.MainWindow(), TimerId(TMainTimer::TypeAhead));
    FLevels->Levels().ClearTypeAhead();
}

void TSceneObjects::LayoutSwapStep() {
    FLevels->Levels().StepLayoutSwap();
}

void TSceneObjects::FolderChanged(WPARAM folderView) {
    FLevels->Levels().OnFolderChanged(reinterpret_cast<const TFolderView*>(folderView));
}

void TSceneObjects::ShellNotification(UINT message, WPARAM, LPARAM) {
    TShellChangeKind kind;
    if (ShellChangeKindOf(message, kind))
        FLevels->Levels().OnShellChange(kind);
}

void TSceneObjects::DeviceChange(WPARAM event, LPARAM data) {
    // The header comes from whoever broadcast the event: read only what its size covers.
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (!header || header->dbch_size < sizeof(DEV_BROADCAST_HDR))
        return;
    if (event == DBT_DEVICEQUERYREMOVE && header->dbch_devicetype == DBT_DEVTYP_HANDLE &&
        header->dbch_size >= offsetof(DEV_BROADCAST_HANDLE, dbch_hdevnotify)) {
        const auto* handle = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(header);
        FLevels->Levels().OnDeviceQueryRemove(reinterpret_cast<TVolumeToken>(handle->dbch_handle));
    } else if (event == DBT_DEVICEREMOVECOMPLETE && header->dbch_devicetype == DBT_DEVTYP_VOLUME &&
               header->dbch_size >= offsetof(DEV_BROADCAST_VOLUME, dbcv_flags)) {
        const auto* volume = reinterpret_cast<const DEV_BROADCAST_VOLUME*>(header);
        FLevels->Levels().OnVolumeRemoved(volume->dbcv_unitmask);
        FWindow.RequestRedraw();
    }
}

void TSceneObjects::LoadIcon(WPARAM entryIndex) {
    OnLoadIconMessage(&FLevels->Icons(), entryIndex);
}

void TSceneObjects::ForgetLoadedIcons() {
    FLevels->Icons().ResetIcons();
}

bool TSceneObjects::CurrentFolderTexts(std::u16string& path, std::u16string& displayName,
                                       bool& isFileSystem) {
    TFolderView* current = FLevels->Levels().Current();
    if (!current)
        return false;
    path = current->Path();
    displayName = current->DisplayName();
    isFileSystem = current->IsFileSystem();
    return true;
}

void TSceneObjects::OpenAddress(PCIDLIST_ABSOLUTE item) {
    FLevels->Levels().OpenOrActivate(FromShell(item), TOpenFlight::Fly);
}
