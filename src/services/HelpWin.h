#pragma once
// The compiled help file beside the program, in the user interface's language, opened at its
// contents with the system's help library, which is loaded only when help is first asked for.
#include <windows.h>

// True once the library and both of its entry points are there; a failed load is tried again
// at the next call.
bool LoadHelpLibrary();
// The library's HtmlHelpW, or nothing (0) without it.
HWND HtmlHelp(HWND window, const wchar_t* file, UINT command, DWORD_PTR data);
// ProgramDirectory + "glimmera.chm" at its table of contents, or "glimmera-ru.chm" for the
// Russian interface while that file is there.
void ShowHelp(HWND window, bool russian);
