#include "interact/TooltipPhantom.h"

#include "render/BitmapAlpha.h"
#include "render/BitmapRaster.h"
#include "render/CaptionsFormatting.h"

namespace {
constexpr int32_t MaxTooltipWidth = 400;
constexpr int32_t MaxTooltipHeight = 256;
constexpr int32_t TooltipFontSize = 12;
// Characters per line are counted in average widths; the margin keeps wide letters in the box.
constexpr int32_t TooltipMarginChars = 12;
// Room left between a clamped tooltip and the scene's right edge.
constexpr int32_t RightEdgeGap = 2;
} // namespace

TTooltipPhantom::TTooltipPhantom(const TViewportManager2& viewports, int32_t sceneViewport)
    : FViewports(viewports), FSceneViewport(sceneViewport) {}

void TTooltipPhantom::SetText(std::u16string_view text) {
    FBitmap.SetSize(MaxTooltipWidth, MaxTooltipHeight);
    // An empty text leaves the sizes alone: nothing is drawn for it.
    FTextWidth = 0;
    FTextHeight = 0;
    FormatTextToBitmap(text, MaxTooltipWidth, MaxTooltipHeight, TooltipFontSize, ColourWhite,
                       FBitmap, &FTextWidth, &FTextHeight, true, TooltipMarginChars);
    SetUniformAlpha(FBitmap);
}

void TTooltipPhantom::ShowAt(int32_t x, int32_t y) {
    FVisible = true;
    FX = x;
    FY = y;
    TViewport scene;
    FViewports.GetViewport(FSceneViewport, scene);
    if (FX + FTextWidth > scene.Width)
        FX = scene.Width - (FTextWidth + RightEdgeGap);
    if (FX < 0)
        FX = 0;
}

void TTooltipPhantom::Draw() const {
    if (FTextWidth == 0)
        return;
    DrawBitmapPixels(FBitmap, FX, FY);
}
