#pragma once
// The arithmetic of the scene's mouse handling, apart from the window: thresholds and the
// modifier tables' index.
#include <cstdint>

// A press counts as a drag or a band only once the pointer is more than this many pixels away
// from where it went down, in x or in y.
constexpr int32_t DragThreshold = 4;
// A press closer than this to the strip's edge moves the edge.
constexpr int32_t SplitGrip = 4;

bool BeyondDragThreshold(int32_t pressX, int32_t pressY, int32_t x, int32_t y);
bool NearSplit(int32_t x, int32_t split);

// Which key table a key goes to: none, Shift, Ctrl, or both.
enum class TModifierTable { None = 0, Shift = 1, Ctrl = 2, CtrlShift = 3 };
TModifierTable ModifierTableOf(bool shift, bool ctrl);
