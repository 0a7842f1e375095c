// Where the keyboard goes among the main window's parts: the Explorer pane, the address edit
// and the scene window. The main window itself never keeps it.
#include "app/MainWindow.h"

namespace {

bool IsEditClass(HWND window) {
    wchar_t name[8] = {};
    GetClassNameW(window, name, 8);
    return lstrcmpiW(name, L"Edit") == 0;
}

} // namespace

bool TMainWindow::PaneHasFocus() const {
    return FScene && FScene->PaneHasFocus();
}

void TMainWindow::RememberFocus() {
    const HWND focus = GetFocus();
    if (focus && IsChild(MainWindow(), focus))
        FLastFocus = focus;
}

// The part that had the keyboard when the window was left gets it back, else the scene.
void TMainWindow::RestoreFocus() {
    if (FLastFocus && IsWindow(FLastFocus) && IsChild(MainWindow(), FLastFocus) &&
        IsWindowVisible(FLastFocus))
        SetFocus(FLastFocus);
    else if (SceneWindow())
        SetFocus(SceneWindow());
}

// The order is the parts' order on screen: pane, address edit, scene. A name being edited in
// the pane keeps Tab for itself (the shell moves on to the next name).
bool TMainWindow::TabBetweenParts(const MSG& message) {
    // Ctrl+Tab is the scene's own key.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 ||
        !FScene || !FAddressEdit)
        return false;
    const HWND focus = GetFocus();
    const HWND edit = FAddressEdit->Handle();
    const HWND scene = SceneWindow();
    const bool inPane = PaneHasFocus();
    if (inPane && IsEditClass(focus))
        return false;
    if (focus != edit && focus != scene && !inPane)
        return false;
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const int part = inPane ? 0 : focus == edit ? 1 : 2;
    const int next = (part + (back ? 2 : 1)) % 3;
    if (next == 0 && FScene->FocusPane())
        return true;
    const int target = next == 0 ? (back ? 2 : 1) : next;
    SetFocus(target == 1 ? edit : scene);
    return true;
}
