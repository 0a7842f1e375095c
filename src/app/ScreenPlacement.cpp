#include "app/ScreenPlacement.h"

#include <algorithm>

namespace {

// The start of a span of this length moved into [low, high); at low when it does not fit.
int32_t StartWithin(int32_t start, int32_t length, int32_t low, int32_t high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

TScreenPoint PositionInWorkArea(const TScreenRect& window, const TScreenRect& workArea) {
    return TScreenPoint{
        StartWithin(window.Left, window.Right - window.Left, workArea.Left, workArea.Right),
        StartWithin(window.Top, window.Bottom - window.Top, workArea.Top, workArea.Bottom)};
}

int32_t SplitForClientWidth(int32_t split, int32_t clientWidth) {
    if (clientWidth > 0)
        split = std::min(split, clientWidth - MinimalSceneWidth);
    return std::max(split, MinimalSplit);
}
