#include "interact/SceneCommandTable.h"

#include <iterator>

#include "interact/InputEvent.h"
#include "interact/SceneCommands.h"
#include "model/FolderView.h"
#include "model/LevelsCollection.h"
#include "services/LocalizedStrings.h"

namespace {

void CopyFullPath(const TCommandContext& context) {
    if (const std::optional<std::u16string> path = context.TargetPath())
        context.Commands.CopyFullPath(*path);
}

void CloseAllButThis(const TCommandContext& context) {
    if (TFolderView* marked = context.Levels.Marked())
        context.Levels.CloseAllBut(*marked);
}

void SelectAll(const TCommandContext& context) {
    if (TFolderView* current = context.Levels.Current()) {
        current->SelectAll();
        context.Redraw();
    }
}

void Copy(const TCommandContext& context) {
    context.Commands.CopySelection();
}

void Paste(const TCommandContext& context) {
    context.Commands.Paste();
}

constexpr uint32_t Ctrl = HeldCtrl;

// In the order of the commands' enumeration; the menu shows its entries in this order.
constexpr TSceneCommandRow Rows[] = {
    {TSceneCommand::CopyFullPath, &sCopyFullPath, {Ctrl, 'P'}, false, CopyFullPath},
    {TSceneCommand::CloseAllButThis, &sCloseAllButThis, {}, false, CloseAllButThis},
    {TSceneCommand::SelectAll, nullptr, {Ctrl, 'A'}, true, SelectAll},
    {TSceneCommand::Copy, nullptr, {Ctrl, 'C'}, false, Copy},
    {TSceneCommand::Paste, nullptr, {Ctrl, 'V'}, false, Paste},
};

constexpr bool RowsInCommandOrder() {
    for (size_t i = 0; i < std::size(Rows); ++i)
        if (static_cast<size_t>(Rows[i].Command) != i)
            return false;
    return true;
}
static_assert(RowsInCommandOrder(), "a command's row sits at its number");

constexpr uint32_t ModifierBits = HeldShift | HeldCtrl | HeldAlt;
constexpr char16_t ControlOfA = 1;

} // namespace

std::span<const TSceneCommandRow> SceneCommandRows() {
    return Rows;
}

uint32_t MenuIdOf(TSceneCommand command) {
    return FirstSceneCommand + static_cast<uint32_t>(command);
}

std::optional<TSceneCommand> CommandOfMenuId(uint32_t id) {
    if (id < FirstSceneCommand || id - FirstSceneCommand >= std::size(Rows))
        return std::nullopt;
    return Rows[id - FirstSceneCommand].Command;
}

const TSceneCommandRow* CommandOfShortcut(uint32_t held, uint32_t key) {
    if (key == 0)
        return nullptr;
    for (const TSceneCommandRow& row : Rows)
        if (row.Shortcut.Key == key && row.Shortcut.Held == (held & ModifierBits))
            return &row;
    return nullptr;
}

const TSceneCommandRow* CommandOfControlCharacter(char16_t c) {
    if (c < ControlOfA || c > ControlOfA + (u'Z' - u'A'))
        return nullptr;
    return CommandOfShortcut(HeldCtrl, u'A' + (c - ControlOfA));
}

std::u16string ShortcutText(const TShortcut& shortcut) {
    if (shortcut.Key == 0)
        return {};
    std::u16string text;
    if (shortcut.Held & HeldCtrl)
        text += u"Ctrl+";
    if (shortcut.Held & HeldShift)
        text += u"Shift+";
    if (shortcut.Held & HeldAlt)
        text += u"Alt+";
    text += static_cast<char16_t>(shortcut.Key);
    return text;
}

std::u16string MenuEntryText(const TSceneCommandRow& row) {
    std::u16string text = row.MenuText ? *row.MenuText : std::u16string();
    if (const std::u16string shortcut = ShortcutText(row.Shortcut); !shortcut.empty())
        text += u" [" + shortcut + u"]";
    return text;
}

void RunSceneCommand(TSceneCommand command, const TCommandContext& context) {
    Rows[static_cast<size_t>(command)].Run(context);
}
