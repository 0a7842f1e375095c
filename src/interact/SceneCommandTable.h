#pragma once
// The scene's own commands, each once: its number in the context menu, its text there, its
// shortcut and what it does. The context menu's entries, the Ctrl shortcuts' dispatch and the
// "[Ctrl+P]" suffix of a menu text all come from here.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>

class TLevelsCollection;
class TSceneCommands;

enum class TSceneCommand : uint8_t { CopyFullPath, CloseAllButThis, SelectAll, Copy, Paste };

// Menu numbers: the shell's entries take FirstShellCommand .. LastShellCommand, the scene's
// own commands follow from FirstSceneCommand in the table's order.
constexpr uint32_t FirstShellCommand = 1;
constexpr uint32_t LastShellCommand = 0x6FFF;
constexpr uint32_t FirstSceneCommand = 0x7000;

// A key with modifiers (HeldCtrl, HeldShift, HeldAlt); Key 0 for none.
struct TShortcut {
    uint32_t Held = 0;
    uint32_t Key = 0;
};

// What a command works on.
struct TCommandContext {
    TLevelsCollection& Levels;
    TSceneCommands& Commands;
    // The path of the item the command is about: the menu's item, or what lies under the
    // pointer for a shortcut (empty over empty space); none over something without a path.
    std::function<std::optional<std::u16string>()> TargetPath;
    std::function<void()> Redraw;
};

struct TSceneCommandRow {
    TSceneCommand Command;
    // The context menu's text; none for a command the menu does not offer.
    const std::u16string* MenuText;
    TShortcut Shortcut;
    // While the filter field has the keyboard, its shortcut is the field's.
    bool FieldTakesShortcut;
    void (*Run)(const TCommandContext&);
};

std::span<const TSceneCommandRow> SceneCommandRows();

uint32_t MenuIdOf(TSceneCommand command);
std::optional<TSceneCommand> CommandOfMenuId(uint32_t id);
// The command whose shortcut is the key with exactly these modifiers (other held bits are
// ignored).
const TSceneCommandRow* CommandOfShortcut(uint32_t held, uint32_t key);
// The command whose Ctrl+letter shortcut types the control character c (1 for Ctrl+A).
const TSceneCommandRow* CommandOfControlCharacter(char16_t c);

// "Ctrl+P"; empty for none.
std::u16string ShortcutText(const TShortcut& shortcut);
// The menu text with its shortcut: "Copy full path [Ctrl+P]".
std::u16string MenuEntryText(const TSceneCommandRow& row);

void RunSceneCommand(TSceneCommand command, const TCommandContext& context);
