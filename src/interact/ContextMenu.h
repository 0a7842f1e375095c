#pragma once
// The shell's own context menu for a file or folder, with the scene's commands that the menu
// offers added after its first entry, between separators.
#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>
#include <string>

#include "base/Handles.h"
#include "interact/SceneCommandTable.h"

// Runs a scene command chosen in the menu; may be left empty.
using TRunSceneCommand = std::function<void(TSceneCommand)>;

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
                         const TRunSceneCommand& run);

// The window procedure's first stop while a menu is up: the shell draws its owner-drawn
// entries and fills its submenus. True when the message was handled, with its result.
bool ContextMenuHandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Lets go of the shell's menu objects; for the end of the program.
void ReleaseContextMenuSlots();
