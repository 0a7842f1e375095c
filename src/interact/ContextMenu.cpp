#include "interact/ContextMenu.h"

#include <shellapi.h>
#include <shlobj.h>

#include "base/WinString.h"
#include "interact/MenuTrace.h"
#include "services/WStrUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

// The shell's menu objects while their menu is up: the window procedure passes them the
// messages of the modal menu loop.
ComPtr<IContextMenu> MenuSlot;
ComPtr<IContextMenu2> Menu2Slot;
ComPtr<IContextMenu3> Menu3Slot;

// Fills the slots for the scope of one menu and empties them on every way out.
class TSlotsScope {
public:
    explicit TSlotsScope(const ComPtr<IContextMenu>& menu) {
        MenuSlot = menu;
        menu.As(&Menu2Slot);
        menu.As(&Menu3Slot);
    }
    ~TSlotsScope() { ReleaseContextMenuSlots(); }
    TSlotsScope(const TSlotsScope&) = delete;
    TSlotsScope& operator=(const TSlotsScope&) = delete;
};

void InsertEntry(HMENU menu, UINT position, UINT id, const std::u16string& text) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING;
    item.wID = id;
    item.dwTypeData = const_cast<wchar_t*>(AsWide(text));
    InsertMenuItemW(menu, position, TRUE, &item);
}

void InsertSeparator(HMENU menu, UINT position) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_TYPE;
    item.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu, position, TRUE, &item);
}

void InvokeShellCommand(IContextMenu& shell, HWND window, UINT id, POINT screen) {
    CMINVOKECOMMANDINFOEX invoke{};
    invoke.cbSize = sizeof(invoke);
    invoke.fMask = CMIC_MASK_UNICODE | CMIC_MASK_PTINVOKE;
    // The shell reads the modifiers from here: Shift makes its delete permanent.
    if (GetKeyState(VK_CONTROL) < 0)
        invoke.fMask |= CMIC_MASK_CONTROL_DOWN;
    if (GetKeyState(VK_SHIFT) < 0)
        invoke.fMask |= CMIC_MASK_SHIFT_DOWN;
    invoke.hwnd = window;
    invoke.lpVerb = MAKEINTRESOURCEA(id - FirstShellCommand);
    invoke.lpVerbW = MAKEINTRESOURCEW(id - FirstShellCommand);
    invoke.nShow = SW_SHOWNORMAL;
    invoke.ptInvoke = screen;
    shell.InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&invoke));
}

} // namespace

HRESULT GetItemUIObject(HWND window, const std::u16string& path, REFIID iid, void** object) {
    *object = nullptr;
    TCoTaskMem<ITEMIDLIST> absolute;
    SFGAOF attributes = 0;
    HRESULT result = SHParseDisplayName(AsWide(path), nullptr, absolute.Receive(), 0, &attributes);
    if (FAILED(result))
        return result;
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    result = SHBindToParent(absolute.Get(), IID_PPV_ARGS(&parent), &child);
    if (SUCCEEDED(result))
        result = parent->GetUIObjectOf(window, 1, &child, iid, nullptr, object);
    return result;
}

TItemMenu BuildItemMenu(HWND window, const std::u16string& path) {
    TItemMenu built;
    if (path.empty())
        return built;
    // An item's path ends in one backslash, as the shell's folders are named; should a shell
    // refuse that for a file, the path as given is tried.
    std::u16string normalized = path;
    NormalizeTrailingBackslash(normalized);
    if (FAILED(GetItemUIObject(window, normalized, IID_PPV_ARGS(&built.Shell))) &&
        (normalized == path || FAILED(GetItemUIObject(window, path, IID_PPV_ARGS(&built.Shell)))))
        return built;
    TMenuHandle menu(CreatePopupMenu());
    if (!menu || FAILED(built.Shell->QueryContextMenu(menu.Get(), 1, FirstShellCommand,
                                                      LastShellCommand, CMF_NORMAL)))
        return built;
    // The scene's entries go after the shell's first one, between separators.
    UINT position = 1;
    for (const TSceneCommandRow& row : SceneCommandRows())
        if (row.MenuText)
            InsertEntry(menu.Get(), position++, MenuIdOf(row.Command), MenuEntryText(row));
    InsertSeparator(menu.Get(), position);
    InsertSeparator(menu.Get(), 1);
    built.Menu = std::move(menu);
    return built;
}

bool ShowItemContextMenu(HWND window, int32_t x, int32_t y, const std::u16string& path,
                         const TRunSceneCommand& run) {
    POINT screen{x, y};
    if (x == -1 && y == -1)
        screen = POINT{0, 0};
    ClientToScreen(window, &screen);
    TItemMenu built = BuildItemMenu(window, path);
    if (!built.Menu)
        return false;
    TSlotsScope slots(built.Shell);
    TraceMenuEntries(built.Menu.Get(), L"context menu");
    const UINT chosen = static_cast<UINT>(
        TrackPopupMenuEx(built.Menu.Get(), TPM_RETURNCMD, screen.x, screen.y, window, nullptr));
    if (const std::optional<TSceneCommand> command = CommandOfMenuId(chosen)) {
        if (run)
            run(*command);
    } else if (chosen >= FirstShellCommand && chosen <= LastShellCommand) {
        InvokeShellCommand(*built.Shell.Get(), window, chosen, screen);
    }
    return true;
}

bool ContextMenuHandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (Menu3Slot) {
        LRESULT handled = 0;
        if (SUCCEEDED(Menu3Slot->HandleMenuMsg2(message, wParam, lParam, &handled))) {
            result = handled;
            return true;
        }
    }
    if (Menu2Slot && SUCCEEDED(Menu2Slot->HandleMenuMsg(message, wParam, lParam))) {
        result = 0;
        return true;
    }
    return false;
}

void ReleaseContextMenuSlots() {
    Menu3Slot.Reset();
    Menu2Slot.Reset();
    MenuSlot.Reset();
}
