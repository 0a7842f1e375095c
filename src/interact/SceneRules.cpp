#include "interact/SceneRules.h"

#include <cstdlib>

bool BeyondDragThreshold(int32_t pressX, int32_t pressY, int32_t x, int32_t y) {
    return std::abs(x - pressX) > DragThreshold || std::abs(y - pressY) > DragThreshold;
}

bool NearSplit(int32_t x, int32_t split) {
    return std::abs(x - split) < SplitGrip;
}

TModifierTable ModifierTableOf(bool shift, bool ctrl) {
    return static_cast<TModifierTable>((shift ? 1 : 0) | (ctrl ? 2 : 0));
}
