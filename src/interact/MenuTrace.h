#pragma once
// The entries of a menu about to show, as one line of the debug trace, so that tests choose an
// entry by its number.
#include <windows.h>

// "title: Open#1|-|Copy full path [Ctrl+P]#28672|...": each entry's text and number, "-" for a
// separator.
void TraceMenuEntries(HMENU menu, const wchar_t* title);
