#pragma once
#include <windows.h>

// Menu command ids of menu resource 110.
constexpr UINT CmdExit = 40002;
constexpr UINT CmdHelp = 40004;
constexpr UINT CmdAbout = 40006;
constexpr UINT CmdHomePage = 40012;
constexpr UINT CmdCheckForUpdate = 40015;

// Replaces the menu captions with their Russian twins when the user interface is Russian.
void SetRussianMenuCaptions(HWND window);
