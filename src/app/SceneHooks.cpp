#include "app/SceneHooks.h"

#include "app/MainWindow.h"
#include "app/SceneObjects.h"
#include "services/IDListWin.h"

namespace SceneHooks {

namespace {
bool Built = false;
}

void CreateSceneObjects() {
    Built = true;
}
void DestroySceneObjects() {
    Built = false;
}
bool SceneBuilt() {
    return Built;
}

void ClientResized(int, int) {}

void DrawScene() {
    if (Levels)
        Levels->Render(PassFrame);
}
void DrawOverlays() {}

void KeyDown(WPARAM) {}
void KeyUp(WPARAM) {}
void Char(WPARAM character) {
    if (!Levels || character < 0x20)
        return;
    Levels->Levels().TypeAhead(static_cast<char16_t>(character));
    SetTimer(MainWindow, TIMER_TYPE_AHEAD, 500, nullptr);
}
void SysKeyDown(WPARAM) {}
void MouseMove(int, int, WPARAM) {}
void LButtonDown(int, int, WPARAM) {}
void LButtonUp(int, int, WPARAM) {}
void RButtonDown(int, int, WPARAM) {}
void RButtonUp(int, int, WPARAM) {}
void MButtonDown(int, int, WPARAM) {}
void MButtonUp(int, int, WPARAM) {}
void MouseWheel(int, int, WPARAM) {}
bool ContextMenuMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void CameraFlightStep() {
    if (Levels)
        Levels->Levels().StepCameraAnimation();
}
void WidgetTick() {}
void ClearTypeAhead() {
    KillTimer(MainWindow, TIMER_TYPE_AHEAD);
    if (Levels)
        Levels->Levels().ClearTypeAhead();
}
void LayoutSwapStep() {
    if (Levels)
        Levels->Levels().StepLayoutSwap();
}

void FolderChanged(WPARAM) {}
void ShellNotification(UINT, WPARAM, LPARAM) {}
void DeviceChange(WPARAM, LPARAM) {}
void LoadIcon(WPARAM entryIndex) {
    OnLoadIconMessage(Levels ? &Levels->Icons() : nullptr, entryIndex);
}
void ForgetLoadedIcons() {
    if (Levels)
        Levels->Icons().ResetIcons();
}

bool CurrentFolderTexts(std::u16string& path, std::u16string& displayName, bool& isFileSystem) {
    TFolderView* current = Levels ? Levels->Levels().Current() : nullptr;
    if (!current)
        return false;
    path = current->Path();
    displayName = current->DisplayName();
    isFileSystem = current->IsFileSystem();
    return true;
}

void OpenAddress(PCIDLIST_ABSOLUTE item) {
    if (Levels)
        Levels->Levels().OpenOrActivate(FromShell(item), false, false);
}

void ShowHelp() {}
void ShowAbout() {}
void CheckForUpdate() {}

void ExplorerTeardown() {}

} // namespace SceneHooks
