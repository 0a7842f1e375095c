// The scene's keys: the command table's shortcuts, the four modifier tables, the machine's own
// keys after them, system keys and characters.
#include "interact/SceneInputMachine.h"

#include "interact/SceneCommandTable.h"
#include "interact/SceneCommands.h"
#include "interact/SceneRules.h"
#include "model/FolderItem.h"
#include "model/FolderView.h"
#include "model/LevelsCollection.h"
#include "space/Camera.h"

namespace {

constexpr float CameraKeyStep = 0.1f;
constexpr float CameraCharStep = 0.2f;

// Left, Right, Up, Down as the directions 0 to 3; -1 for another key.
int32_t ArrowDirection(uint32_t key) {
    switch (key) {
    case Key::Left:
        return 0;
    case Key::Right:
        return 1;
    case Key::Up:
        return 2;
    case Key::Down:
        return 3;
    }
    return -1;
}

} // namespace

void TSceneInputMachine::KeyDown(const TInputEvent& event) {
    if (Shortcut(event))
        return;
    KeyTable(event);
    switch (event.Key) {
    case Key::Shift:
        FHost.HideTooltip();
        break;
    case Key::Control:
        if (!event.Shift())
            ShowInfoTooltip(false);
        break;
    case Key::Space:
        FlyToMarkedUnderPointer(event.Shift());
        break;
    case Key::Delete:
        if (TFolderView* current = FLevels.Current())
            FCommands.DeleteSelection(*current, !event.Shift());
        break;
    }
}

bool TSceneInputMachine::Shortcut(const TInputEvent& event) {
    const TSceneCommandRow* row = CommandOfShortcut(event.Held, event.Key);
    if (!row)
        return false;
    // The field's own shortcut reaches it as its control character.
    if (!(row->FieldTakesShortcut && FHost.FieldHasKeyboard()))
        RunSceneCommand(row->Command,
                        TCommandContext{FLevels, FCommands, [this] { return PathAtPointer(); },
                                        [this] { FHost.Redraw(); }});
    return true;
}

// A sort caption has no path to copy; empty space stands for an empty one.
std::optional<std::u16string> TSceneInputMachine::PathAtPointer() {
    const TSceneHit hit = FHost.HitTest(FLastX, FLastY, PickRightPress, false);
    if (hit.Item)
        return hit.Item->Path();
    if (hit.View)
        return hit.View->Path();
    if (hit.Empty())
        return std::u16string();
    return std::nullopt;
}

void TSceneInputMachine::FlyToMarkedUnderPointer(bool shift) {
    const TSceneHit hit = FHost.HitTest(FLastX, FLastY, PickLevel, shift);
    TFolderView* view = hit.View;
    if (view) {
        FLevels.SetMarked(view);
        FLevels.SetCurrent(view);
    } else {
        view = FLevels.Current();
        FLevels.SetMarked(view);
    }
    FPressX = FLastX;
    FPressY = FLastY;
    if (view) {
        view->ResetLayout();
        FLevels.SetCurrentQuiet(view);
        FLevels.FlyTo(view, TAfterFlight::BrowsePane, TFlightPath::ToLevel);
    }
}

void TSceneInputMachine::CloseCurrentLevel() {
    if (FCommands.ExplorerHasFocus()) {
        FCommands.ExplorerParent();
        return;
    }
    if (FHost.FilterActive() || !FLevels.Current())
        return;
    FLevels.CloseView(*FLevels.Current(), false);
    // The level left current is framed as it was when it opened, wherever the closed one had
    // taken the camera.
    if (TFolderView* current = FLevels.Current()) {
        FLevels.FlyTo(current, TAfterFlight::KeepPane, TFlightPath::ToLevel);
        FCommands.ExplorerBrowse(current->AbsoluteIDList());
    }
}

void TSceneInputMachine::KeyTable(const TInputEvent& event) {
    const uint32_t key = event.Key;
    const int32_t direction = ArrowDirection(key);
    switch (ModifierTableOf(event.Shift(), event.Ctrl())) {
    case TModifierTable::None:
        if (direction >= 0) {
            FLevels.MoveFocus(direction, false);
            return;
        }
        switch (key) {
        case Key::Back:
            CloseCurrentLevel();
            return;
        case Key::Return:
            if (FLevels.FocusedItem() && FLevels.Current()) {
                FHost.KeepPointerInWindow();
                FLevels.ActivateItem(*FLevels.Current());
            }
            return;
        case Key::PageUp:
            FLevels.PrevPage();
            FHost.Redraw();
            return;
        case Key::PageDown:
            FLevels.NextPage();
            FHost.Redraw();
            return;
        case Key::F1:
            FCommands.ShowHelp();
            return;
        case Key::F2:
            FCommands.ExplorerRenameFocused();
            return;
        case Key::F3:
            FHost.ToggleFilter();
            return;
        case Key::F5:
            FCommands.ExplorerRefresh();
            if (TFolderView* current = FLevels.Current())
                FLevels.OnFolderChanged(current);
            return;
        case Key::F7:
            if (FLevels.Current())
                FCommands.ExplorerNewFolder();
            return;
        }
        if (key >= '0' && key <= '9' && FLevels.TypeAheadText().empty() &&
            !FHost.FieldHasKeyboard())
            FLevels.SetCurrentByIndex(static_cast<int32_t>(key - '0'));
        return;
    case TModifierTable::Shift:
        if (direction >= 0)
            FLevels.NavigateLevels(direction);
        return;
    case TModifierTable::Ctrl:
        if (direction >= 0)
            FLevels.MoveFocus(direction, true);
        else if (key == Key::Back && FHost.FilterActive())
            FHost.ClearFilter();
        else if (key == Key::Tab)
            FLevels.ToggleLevelLayout();
        return;
    case TModifierTable::CtrlShift:
        switch (key) {
        case Key::Left:
            FCamera.MoveX(CameraKeyStep);
            break;
        case Key::Right:
            FCamera.MoveX(-CameraKeyStep);
            break;
        case Key::Up:
            FCamera.MoveY(-CameraKeyStep);
            break;
        case Key::Down:
            FCamera.MoveY(CameraKeyStep);
            break;
        default:
            return;
        }
        FHost.Redraw();
        return;
    }
}

void TSceneInputMachine::KeyUp(const TInputEvent& event) {
    if (event.Key == Key::Control)
        FHost.HideTooltip();
}

void TSceneInputMachine::SysKeyDown(const TInputEvent& event) {
    if (event.Key == Key::Left)
        FCommands.ExplorerBack();
    else if (event.Key == Key::Right)
        FCommands.ExplorerForward();
}

void TSceneInputMachine::Char(const TInputEvent& event) {
    const char16_t c = static_cast<char16_t>(event.Key);
    if (const TSceneCommandRow* row = CommandOfControlCharacter(c)) {
        // The key's press ran the command; the field takes the ones that are its own.
        if (row->FieldTakesShortcut && FHost.FieldHasKeyboard())
            FHost.FieldChar(c);
    } else {
        FHost.FieldChar(c);
    }
    // While the field has the keyboard, they are its characters alone.
    if ((c == u'-' || c == u'=') && !FHost.FieldHasKeyboard()) {
        FCamera.MoveForward(c == u'-' ? -CameraCharStep : CameraCharStep);
        FHost.Redraw();
    }
    FHost.RestartTypeAheadTimer();
    // The field takes the characters while it has the keyboard; the rest are typed ahead.
    if (!FHost.FieldHasKeyboard() && c >= 0x20)
        FLevels.TypeAhead(c);
}

void TSceneInputMachine::ShowInfoTooltip(bool shift) {
    const TSceneHit hit = FHost.HitTest(FLastX, FLastY, PickInfo, shift);
    if (FHost.ShowInfoTooltip(hit, FLastX, FLastY))
        FHost.Redraw();
}
