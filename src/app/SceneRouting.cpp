// The messages the main window routes to the scene objects: the mouse to the widgets, then to
// the scene's operations; keys and characters to the scene's operations.
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

void TSceneObjects::KeyDown(WPARAM key) {
    FSceneOps->KeyDown(key);
}

void TSceneObjects::KeyUp(WPARAM key) {
    FSceneOps->KeyUp(key);
}

void TSceneObjects::Char(WPARAM character) {
    FSceneOps->Char(character);
}

void TSceneObjects::SysKeyDown(WPARAM key) {
    FSceneOps->SysKeyDown(key);
}

void TSceneObjects::TrackMouse(int x, int y, int& dx, int& dy) {
    dx = x - FMouseX;
    dy = y - FMouseY;
    FMouseX = x;
    FMouseY = y;
}

void TSceneObjects::MouseMove(int x, int y, WPARAM keys) {
    int dx = 0, dy = 0;
    TrackMouse(x, y, dx, dy);
    if (dx != 0 || dy != 0)
        FWidgets->MouseMove(x, y);
    FSceneOps->MouseMove(x, y, keys, dx, dy);
}

void TSceneObjects::LButtonDown(int x, int y, WPARAM keys) {
    int dx = 0, dy = 0;
    TrackMouse(x, y, dx, dy);
    FWidgets->MouseDown(x, y);
    FSceneOps->MouseDown(x, y, keys);
}

void TSceneObjects::LButtonUp(int x, int y, WPARAM keys) {
    FWidgets->MouseUp(x, y);
    FSceneOps->MouseUp(x, y, keys);
}

void TSceneObjects::RButtonDown(int x, int y, WPARAM keys) {
    FSceneOps->RightDown(x, y, keys);
}

void TSceneObjects::RButtonUp(int, int, WPARAM) {
    FSceneOps->RightUp();
}

void TSceneObjects::MButtonDown(int x, int y, WPARAM keys) {
    FSceneOps->MiddleDown(x, y, keys);
}

void TSceneObjects::MButtonUp(int, int, WPARAM) {
    FSceneOps->MiddleUp();
}

void TSceneObjects::MouseWheel(int, int, WPARAM wParam) {
    // The position is the last client mouse position, not the message's screen point.
    FSceneOps->Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
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
