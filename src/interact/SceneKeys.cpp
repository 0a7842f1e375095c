// The scene's keys: the four modifier tables, the manager's own keys after them, system keys
// and characters; and the info tooltip that Ctrl shows.
#include "interact/SceneOperations.h"

#include <shlobj.h>
#include <wrl/client.h>

#include "base/Handles.h"
#include "base/WinString.h"
#include "base/WindowIds.h"
#include "interact/SceneRules.h"
#include "services/IDListWin.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr float CameraKeyStep = 0.1f;
constexpr float CameraCharStep = 0.2f;
constexpr UINT TypeAheadResetMs = 500;
constexpr char16_t CtrlA = 1;
constexpr char16_t CtrlC = 3;
constexpr char16_t CtrlP = 16;
constexpr char16_t CtrlV = 22;

bool Down(int key) {
    return GetKeyState(key) < 0;
}

// Left, Right, Up, Down as the directions 0 to 3; -1 for another key.
int32_t ArrowDirection(WPARAM key) {
    switch (key) {
    case VK_LEFT:
        return 0;
    case VK_RIGHT:
        return 1;
    case VK_UP:
        return 2;
    case VK_DOWN:
        return 3;
    }
    return -1;
}

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

void TSceneOperationManager::Resize(int32_t, int32_t height) {
    FSceneHeight = height;
}

void TSceneOperationManager::KeyDown(WPARAM key) {
    KeyTable(key);
    TLevelsCollection& levels = FLevels.Levels();
    switch (key) {
    case VK_SHIFT:
        HideTooltip();
        break;
    case VK_CONTROL:
        if (GetAsyncKeyState(VK_SHIFT) >= 0)
            ShowInfoTooltip();
        break;
    case VK_SPACE: {
        const TSceneHit hit = HitTestScene(FLastX, FLastY, PickLevel);
        TFolderView* view = hit.View;
        if (view) {
            levels.SetMarked(view);
            levels.SetCurrent(view);
        } else {
            view = levels.Current();
            levels.SetMarked(view);
        }
        FPressX = FLastX;
        FPressY = FLastY;
        if (view) {
            view->ResetLayout();
            levels.SetCurrentQuiet(view);
            levels.FlyTo(view, TAfterFlight::BrowsePane, TFlightPath::ToLevel);
        }
        break;
    }
    case VK_DELETE:
        if (TFolderView* current = levels.Current())
            FCommands.DeleteSelection(*current, !Down(VK_SHIFT));
        break;
    }
}

void TSceneOperationManager::KeyTable(WPARAM key) {
    TLevelsCollection& levels = FLevels.Levels();
    const int32_t direction = ArrowDirection(key);
    switch (ModifierTableOf(Down(VK_SHIFT), Down(VK_CONTROL))) {
    case TModifierTable::None:
        if (direction >= 0) {
            levels.MoveFocus(direction, false);
            return;
        }
        switch (key) {
        case VK_BACK:
            if (FCommands.ExplorerHasFocus()) {
                FCommands.ExplorerParent();
            } else if (!FFilter.IsActive() && levels.Current()) {
                levels.CloseView(*levels.Current(), false);
                // The level left current is framed as it was when it opened, wherever the
                // closed one had taken the camera.
                if (TFolderView* current = levels.Current()) {
                    levels.FlyTo(current, TAfterFlight::KeepPane, TFlightPath::ToLevel);
                    FCommands.ExplorerBrowse(current->AbsoluteIDList());
                }
            }
            return;
        case VK_RETURN:
            if (levels.FocusedItem() && levels.Current()) {
                RECT window{};
                POINT cursor{};
                GetWindowRect(FWindow.MainWindow(), &window);
                GetCursorPos(&cursor);
                if (!PtInRect(&window, cursor))
                    SetCursorPos((window.left + window.right) / 2,
                                 (window.top + window.bottom) / 2);
                levels.ActivateItem(*levels.Current());
            }
            return;
        case VK_PRIOR:
            levels.PrevPage();
            Redraw();
            return;
        case VK_NEXT:
            levels.NextPage();
            Redraw();
            return;
        case VK_F1:
            FCommands.ShowHelp();
            return;
        case VK_F2:
            FCommands.ExplorerRenameFocused();
            return;
        case VK_F3:
            FFilter.ToggleInput();
            return;
        case VK_F5:
            FCommands.ExplorerRefresh();
            if (TFolderView* current = levels.Current())
                levels.OnFolderChanged(current);
            return;
        case VK_F7:
            if (levels.Current())
                FCommands.ExplorerNewFolder();
            return;
        }
        if (key >= '0' && key <= '9' && levels.TypeAheadText().empty() && !FWidgets.FocusedWidget())
            levels.SetCurrentByIndex(static_cast<int32_t>(key - '0'));
        return;
    case TModifierTable::Shift:
        if (direction >= 0)
            levels.NavigateLevels(direction);
        return;
    case TModifierTable::Ctrl:
        if (direction >= 0)
            levels.MoveFocus(direction, true);
        else if (key == VK_BACK && FFilter.IsActive())
            FFilter.Clear();
        else if (key == VK_TAB)
            levels.ToggleLevelLayout();
        return;
    case TModifierTable::CtrlShift:
        switch (key) {
        case VK_LEFT:
            FCamera.MoveX(CameraKeyStep);
            break;
        case VK_RIGHT:
            FCamera.MoveX(-CameraKeyStep);
            break;
        case VK_UP:
            FCamera.MoveY(-CameraKeyStep);
            break;
        case VK_DOWN:
            FCamera.MoveY(CameraKeyStep);
            break;
        default:
            return;
        }
        Redraw();
        return;
    }
}

void TSceneOperationManager::KeyUp(WPARAM key) {
    if (key == VK_CONTROL)
        HideTooltip();
}

void TSceneOperationManager::SysKeyDown(WPARAM key) {
    if (key == VK_LEFT)
        FCommands.ExplorerBack();
    else if (key == VK_RIGHT)
        FCommands.ExplorerForward();
}

void TSceneOperationManager::Char(WPARAM character) {
    const char16_t c = static_cast<char16_t>(character);
    TLevelsCollection& levels = FLevels.Levels();
    switch (c) {
    case CtrlA:
        if (FWidgets.FocusedWidget()) {
            FWidgets.Char(c);
        } else if (TFolderView* current = levels.Current()) {
            current->SelectAll();
            Redraw();
        }
        break;
    case CtrlC:
        FCommands.CopySelection();
        break;
    case CtrlP: {
        // A sort caption copies nothing; empty space copies an empty text.
        const TSceneHit hit = HitTestScene(FLastX, FLastY, PickRightPress);
        if (hit.Item)
            FCommands.CopyFullPath(hit.Item->Path());
        else if (hit.View)
            FCommands.CopyFullPath(hit.View->Path());
        else if (hit.Empty())
            FCommands.CopyFullPath(std::u16string());
        break;
    }
    case CtrlV:
        FCommands.Paste();
        break;
    default:
        FWidgets.Char(c);
    }
    // While the field has the keyboard, they are its characters alone.
    if ((c == u'-' || c == u'=') && !FWidgets.FocusedWidget()) {
        FCamera.MoveForward(c == u'-' ? -CameraCharStep : CameraCharStep);
        Redraw();
    }
    SetTimer(FWindow.MainWindow(), TimerId(TMainTimer::TypeAhead), TypeAheadResetMs, nullptr);
    // The field takes the characters while it has the keyboard; the rest are typed ahead.
    if (!FWidgets.FocusedWidget() && c >= 0x20)
        levels.TypeAhead(c);
}

void TSceneOperationManager::ShowInfoTooltip() {
    const TSceneHit hit = HitTestScene(FLastX, FLastY, PickInfo);
    std::u16string text;
    if (hit.Item) {
        const TOwnedIDList absolute = hit.Item->AbsoluteIDList();
        text = hit.Item->Path() + u"\n" + InfoTip(absolute.Get());
    } else if (hit.View) {
        text = hit.View->Path() + u"\n" + InfoTip(hit.View->AbsoluteIDList());
    } else {
        return;
    }
    int32_t x = 0, y = 0;
    if (FViewports.HitTest(FLastX, FLastY) >= 0)
        FViewports.WindowToViewport(FSceneViewport, FLastX, FLastY, x, y);
    FTooltip.SetText(text);
    FTooltip.ShowAt(x, y);
    Redraw();
}

void TSceneOperationManager::HideTooltip() {
    if (!FTooltip.Visible())
        return;
    FTooltip.Hide();
    Redraw();
}
