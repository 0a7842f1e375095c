#pragma once
// The shell's own context menu for a file or folder, with the program's two commands added
// after its first entry: "Copy full path [Ctrl+P]" and "Close all but this".
#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/Handles.h"

// Command numbers of the menu: the shell's entries take FirstShellCommand .. LastShellCommand.
constexpr UINT CloseAllButThisCommand = 1;
constexpr UINT FirstShellCommand = 2;
constexpr UINT LastShellCommand = 0x6FFF;
constexpr UINT CopyFullPathCommand = 0x7000;

// What the program's own entries do; either may be left empty.
struct TContextMenuActions {
    std::function<void()> CopyFullPath;
    std::function<void()> CloseAllButThis;
};

// The UI object (IContextMenu, IDataObject...) of the item at path, as its folder gives it.
HRESULT GetItemUIObject(HWND window, const std::u16string& path, REFIID iid, void** object);

// A filled menu and the shell object whose commands it holds.
struct TItemMenu {
    Microsoft::WRL::ComPtr<IContextMenu> Shell;
    TMenuHandle Menu;
};
// The menu for path without showing it; an empty Menu when the shell offers none.
TItemMenu BuildItemMenu(HWND window, const std::u16string& path);

// Shows the menu for path at the client point (x, y), (-1, -1) standing for (0, 0), and runs
// the chosen entry. False when there was no menu to show.
bool ShowItemContextMenu(HWND window, int32_t x, int32_t y, const std::u16string& path,
                         const TContextMenuActions& actions);

// The window procedure's first stop while a menu is up: the shell draws its owner-drawn
// entries and fills its submenus. True when the message was handled, with its result.
bool ContextMenuHandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Lets go of the shell's menu objects; for the end of the program.
void ReleaseContextMenuSlots();
