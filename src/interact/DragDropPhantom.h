#pragma once
// The label that follows the cursor while files are dragged over the scene: what a drop would
// do and where, half transparent, kept inside the viewport.
#include <cstdint>
#include <string>

#include "interact/DropRules.h"
#include "render/LightBitmap.h"

class TDragDropPhantom {
public:
    // Renders the two lines of the state into the bitmap, which takes the text's size.
    void Redraw(const TPhantomState& state);
    // The label's lower-left corner in the viewport's pixels (origin at its lower left).
    void MoveTo(int32_t x, int32_t y, int32_t viewportWidth);
    // In the overlay pass of the viewport.
    void Draw() const;

    // The label's lines, one space apart.
    const std::u16string& Text() const { return FText; }
    int32_t X() const { return FX; }
    int32_t Y() const { return FY; }
    const TDIBSection& Bitmap() const { return FBitmap; }

private:
    TDIBSection FBitmap{1, 1};
    std::u16string FText;
    int32_t FX = 0;
    int32_t FY = 0;
};
