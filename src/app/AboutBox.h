#pragma once
// The About box of the Help menu: the picture, the product's links, the bug report dialog's
// link and the system information.
#include <windows.h>

void ShowAboutBox(HWND mainWindow);
