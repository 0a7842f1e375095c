#pragma once
// Keeping a window where somebody can see it: the arithmetic, apart from the monitors.
#include <cstdint>

struct TScreenPoint {
    int32_t X = 0;
    int32_t Y = 0;
};

struct TScreenRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
};

// The top-left corner that moves the window into the work area by the least distance; a
// window larger than the work area keeps its top-left corner at the area's.
TScreenPoint PositionInWorkArea(const TScreenRect& window, const TScreenRect& workArea);
