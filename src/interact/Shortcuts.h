#pragma once
// Shortcut (.lnk) files: making one for a dropped item, and following one to its target.
#include <string>

#include "services/OwnedIDList.h"

// Makes "<name> - Shortcut.lnk" for target in folder, where name is target's last component.
// An existing file of that name is never replaced: the shell's numbered name is used instead.
// Nothing is made when folder is not an existing directory. Returns the path of the new file,
// or empty when none was made.
std::u16string CreateShortcut(const std::u16string& target, const std::u16string& folder,
                              const std::u16string& description, const std::u16string& arguments);

// The absolute list of what path stands for: a shortcut file's target, otherwise the item at
// path itself. targetPath, when given, receives the shortcut's target path (path itself for
// anything else). False when path is neither a readable shortcut nor a directory; target still
// holds the parsed path then, when it exists.
bool ResolveShortcutPath(const std::u16string& path, std::u16string* targetPath,
                         TOwnedIDList& target);

// The same for an absolute ID list: a shortcut's target, or a copy of the list for anything
// else (false then, but for a folder).
bool ResolveShortcutIDList(const TIDList* absolute, TOwnedIDList& target);
