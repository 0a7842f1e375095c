#pragma once
// The window placement and split that survive a restart.
#include <windows.h>

#include "services/Settings.h"

// The saved placement, or the defaults when there is none or it is not valid.
TSettings LoadWindowPlacement();

// Collects the placement from the window and the split, and stores it over what was loaded
// (whose padding is written back untouched).
void SaveWindowPlacement(HWND window, int32_t split, const TSettings& loaded);

// Where a window with this outer rectangle may open: where it is when any part of it lies on a
// monitor, else moved onto the nearest monitor's work area.
POINT VisibleWindowPosition(const RECT& outer);
