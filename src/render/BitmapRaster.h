#pragma once
// An off-screen bitmap drawn as it is, pixel for pixel, over the scene in the overlay pass.
#include <cstdint>

class TDIBSection;

// Lower-left corner at (x, y) in the current viewport's pixels.
void DrawBitmapPixels(const TDIBSection& bitmap, int32_t x, int32_t y);
