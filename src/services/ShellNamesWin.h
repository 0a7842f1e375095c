#pragma once
// Names of shell items as the folder that holds them gives them.
#include <windows.h>
#include <shlobj.h>

#include <string>

// Kind 0 the parsing name (SHGDN_FORPARSING), 1 the name shown (SHGDN_NORMAL), 2 the name to
// edit (SHGDN_FOREDITING). Empty without a folder, for another kind, or when the shell fails.
// A parsing name beyond MAX_PATH comes back whole, even from a shell that cuts it.
std::u16string ChildDisplayName(IShellFolder* folder, PCUITEMID_CHILD child, int kind);
