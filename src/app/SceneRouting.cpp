// The messages the main window routes to the scene objects. What the interaction parts will
// handle arrives here already and is passed on once those parts exist.
#include "app/SceneObjects.h"

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

void TSceneObjects::FolderChanged(WPARAM) {}
void TSceneObjects::ShellNotification(UINT, WPARAM, LPARAM) {}
void TSceneObjects::DeviceChange(WPARAM, LPARAM) {}

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
