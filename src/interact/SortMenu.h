#pragma once
// The menu a level's sort caption opens: one entry per order, grouped by what they compare.
#include <windows.h>

class TLevelSortCaption;

// Shows the menu at the pointer and sets the caption's level to the chosen order; returns once
// an order was set or the menu was dismissed.
void ShowSortMenu(HWND owner, const TLevelSortCaption& caption);
