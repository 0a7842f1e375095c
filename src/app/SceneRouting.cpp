// The messages the main window routes to the scene objects. What the interaction parts will
// handle arrives here already and is passed on once those parts exist.
#include "app/SceneObjects.h"

#include <dbt.h>

#include <cstddef>

#include "services/IDListWin.h"

namespace {
constexpr UINT TypeAheadResetMs = 500;
} // namespace

void TSceneObjects::DrawScene() {
    FLevels->Render(PassFrame);
}

void TSceneObjects::DrawOverlays() {}

void TSceneObjects::KeyDown(WPARAM) {}
void TSceneObjects::KeyUp(WPARAM) {}

void TSceneObjects::Char(WPARAM character) {
    if (character < 0x20)
        return;
    FLevels->Levels().TypeAhead(static_cast<char16_t>(character));
    SetTimer(FWindow.MainWindow(), TimerId(TMainTimer::TypeAhead), TypeAheadResetMs, nullptr);
}

void TSceneObjects::SysKeyDown(WPARAM) {}
void TSceneObjects::MouseMove(int, int, WPARAM) {}
void TSceneObjects::LButtonDown(int, int, WPARAM) {}
void TSceneObjects::LButtonUp(int, int, WPARAM) {}
void TSceneObjects::RButtonDown(int, int, WPARAM) {}
void TSceneObjects::RButtonUp(int, int, WPARAM) {}
void TSceneObjects::MButtonDown(int, int, WPARAM) {}
void TSceneObjects::MButtonUp(int, int, WPARAM) {}
void TSceneObjects::MouseWheel(int, int, WPARAM) {}

void TSceneObjects::CameraFlightStep() {
    FLevels->Levels().StepCameraAnimation();
}

void TSceneObjects::WidgetTick() {}

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
    FLevels->Levels().OpenOrActivate(FromShell(item), false, false);
}
