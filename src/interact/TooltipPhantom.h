#pragma once
// The info tooltip: a few lines of text drawn over the scene at the mouse position while Ctrl is
// held, kept inside the scene's right and left edges.
#include <cstdint>
#include <string_view>

#include "render/LightBitmap.h"
#include "space/Viewports.h"

class TTooltipPhantom {
public:
    // SceneViewport is the index of the scene's viewport with Viewports.
    TTooltipPhantom(const TViewportManager2& viewports, int32_t sceneViewport);

    void SetText(std::u16string_view text);
    // Scene-viewport coordinates (origin at the lower left) of the text's lower left corner.
    void ShowAt(int32_t x, int32_t y);
    void Hide() { FVisible = false; }
    bool Visible() const { return FVisible; }
    // In the overlay pass, while visible.
    void Draw() const;

    int32_t X() const { return FX; }
    int32_t Y() const { return FY; }
    int32_t TextWidth() const { return FTextWidth; }
    int32_t TextHeight() const { return FTextHeight; }
    const TDIBSection& Bitmap() const { return FBitmap; }

private:
    TDIBSection FBitmap{1, 1};
    const TViewportManager2& FViewports;
    int32_t FSceneViewport;
    int32_t FX = 0;
    int32_t FY = 0;
    bool FVisible = false;
    int32_t FTextWidth = 0;
    int32_t FTextHeight = 0;
};
