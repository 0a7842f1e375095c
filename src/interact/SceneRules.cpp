#include "interact/SceneRules.h"

#include <cstdlib>

bool BeyondDragThreshold(int32_t pressX, int32_t pressY, int32_t x, int32_t y) {
    return std::abs(x - pressX) > DragThreshold || std::abs(y - pressY) > DragThreshold;
}

bool NearSplit(int32_t x, int32_t split) {
    return std::abs(x - split) < SplitGrip;
}

std::optional<uint8_t> SortModeForEntry(uint32_t entry, bool startEnd) {
    // Each entry names a pair of modes; the finish-end caption reads the pair the other way.
    uint8_t first = 0;
    switch (static_cast<TSortEntry>(entry)) {
    case TSortEntry::Abc:
        first = 2;
        break;
    case TSortEntry::Xyz:
        first = 3;
        break;
    case TSortEntry::Small:
        first = 0;
        break;
    case TSortEntry::Large:
        first = 1;
        break;
    case TSortEntry::Recent:
        first = 4;
        break;
    case TSortEntry::Old:
        first = 5;
        break;
    default:
        return std::nullopt;
    }
    if (startEnd)
        return first;
    return static_cast<uint8_t>(first ^ 1);
}

TModifierTable ModifierTableOf(bool shift, bool ctrl) {
    return static_cast<TModifierTable>((shift ? 1 : 0) | (ctrl ? 2 : 0));
}
