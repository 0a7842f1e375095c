#pragma once
// Keeping a window and its scene where somebody can see them: the arithmetic, apart from the
// monitors and the window.
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

// The Explorer strip's width for a client area this wide: at least MinimalSplit, and never so
// wide that less than MinimalSceneWidth is left to the scene. A minimised window (width 0)
// leaves the split as it is.
constexpr int32_t MinimalSplit = 10;
constexpr int32_t MinimalSceneWidth = 50; // the window's minimum tracking width is Split + 50
int32_t SplitForClientWidth(int32_t split, int32_t clientWidth);
