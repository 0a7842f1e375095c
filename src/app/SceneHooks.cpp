#include "app/SceneHooks.h"

#include "app/MainWindow.h"

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

void DrawScene() {}
void DrawOverlays() {}

void KeyDown(WPARAM) {}
void KeyUp(WPARAM) {}
void Char(WPARAM) {}
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

void CameraFlightStep() {}
void WidgetTick() {}
void ClearTypeAhead() {}
void LayoutSwapStep() {}

void FolderChanged(WPARAM) {}
void ShellNotification(UINT, WPARAM, LPARAM) {}
void DeviceChange(WPARAM, LPARAM) {}
void LoadIcon(WPARAM) {}
void ForgetLoadedIcons() {}

bool CurrentFolderTexts(std::u16string&, std::u16string&, bool&) {
    return false;
}
void OpenAddress(PCIDLIST_ABSOLUTE) {}

void ShowHelp() {}
void ShowAbout() {}
void CheckForUpdate() {}

void ExplorerTeardown() {}

} // namespace SceneHooks
