#include "render/CaptionsFormatting.h"

#include <algorithm>

#include "base/Errors.h"

namespace {
constexpr const char* Module = "CaptionsFormatting";

int32_t LineStep(const TTextMetrics& metrics) {
    return metrics.Height + metrics.ExternalLeading;
}

void DrawLines(TTextSurface& surface, TColour background, const TLines& lines, int32_t lineStep) {
    // A resized surface is already white.
    if (background != ColourWhite)
        surface.Clear(background);
    for (int32_t i = 0; i < lines.Count(); ++i)
        surface.WriteText(0, i * lineStep, lines.GetLine(i));
}
} // namespace

void RenderLines(int32_t fontSize, int32_t longestIndex, TTextSurface& surface, TColour background,
                 const TLines& lines, int32_t& width, int32_t& height) {
    GMAssert(!lines.Empty(), Module);
    if (fontSize != 0)
        surface.SetFont(fontSize);
    int32_t lineStep = LineStep(surface.TextMetrics());
    TTextExtent extent = surface.TextExtent(lines.GetLine(longestIndex));
    width = extent.Width;
    height = lines.Count() * extent.Height;
    surface.SetSize(width, height);
    DrawLines(surface, background, lines, lineStep);
}

void FormatLinesToBitmap(const TLines& lines, int32_t maxChars, int32_t maxLines, int32_t fontSize,
                         TColour background, TTextSurface& surface, int32_t& width,
                         int32_t& height) {
    TLines slices;
    for (int32_t i = 0; i < lines.Count(); ++i)
        SplitFixedWidth(lines.GetLine(i), maxLines, maxChars, false, slices, false);
    RenderLines(fontSize, LongestLineIndex(slices), surface, background, slices, width, height);
}

void FormatTextToBitmap(std::u16string_view text, int32_t maxWidth, int32_t maxHeight,
                        int32_t fontSize, TColour background, TTextSurface& surface, int32_t* width,
                        int32_t* height, bool fitBitmap, int32_t marginChars) {
    if (fontSize > 0)
        surface.SetFont(fontSize);
    TTextMetrics metrics = surface.TextMetrics();
    GMAssert(metrics.AveCharWidth > 0, Module);
    int32_t charsPerLine = std::max(1, maxWidth / metrics.AveCharWidth - marginChars);
    int32_t lineStep = LineStep(metrics);
    GMAssert(lineStep > 0, Module);
    int32_t maxLines = maxHeight / lineStep;

    TLines lines;
    int32_t longest = SplitAtLineBreaks(text, maxLines, charsPerLine, true, lines);
    if (lines.Empty())
        return;
    TTextExtent extent = surface.TextExtent(lines.GetLine(longest));
    int32_t textWidth = std::min(extent.Width + metrics.AveCharWidth, maxWidth);
    int32_t textHeight = std::min(lines.Count() * lineStep, maxHeight);
    if (width)
        *width = textWidth;
    if (height)
        *height = textHeight;
    if (fitBitmap)
        surface.SetSize(textWidth, textHeight);
    else
        surface.SetSize(maxWidth, maxHeight);
    DrawLines(surface, background, lines, lineStep);
}
