#pragma once
// Names of shell items as the folder that holds them gives them.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "services/ShellNames.h"

// The parsing name (SHGDN_FORPARSING), the name shown (SHGDN_NORMAL) or the name to edit
// (SHGDN_FOREDITING). Empty without a folder or when the shell fails. A parsing name beyond
// MAX_PATH comes back whole, even from a shell that cuts it.
std::u16string ChildDisplayName(IShellFolder* folder, PCUITEMID_CHILD child, TNameKind kind);
