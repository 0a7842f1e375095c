#pragma once
#include <windows.h>

#include "app/MainMenuIds.h"

// Replaces the menu captions with their Russian twins when the user interface is Russian.
void SetRussianMenuCaptions(HWND window);
