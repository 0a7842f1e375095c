#pragma once
// The window placement and split that survive a restart.
#include "services/Settings.h"

// The saved placement, or the defaults when there is none or it is not valid.
TSettings LoadWindowPlacement();

// Collects the placement from the main window and the current split, and stores it.
void SaveWindowPlacement();

// Removes an installer a finished update left beside the program.
void DeleteLeftoverUpdate();
