#pragma once
// Lays caption lines out on a text surface, sized to the text or to a given box.
#include <cstdint>
#include <string_view>

#include "render/CaptionLines.h"
#include "render/TextSurface.h"

// Draws Lines one under the other on a surface sized to line LongestIndex; FontSize 0 keeps the
// surface's font. Width and Height receive the surface size.
void RenderLines(int32_t fontSize, int32_t longestIndex, TTextSurface& surface, TColour background,
                 const TLines& lines, int32_t& width, int32_t& height);

// Each of Lines cut into slices of MaxChars characters, MaxLines slices in all, then rendered.
void FormatLinesToBitmap(const TLines& lines, int32_t maxChars, int32_t maxLines, int32_t fontSize,
                         TColour background, TTextSurface& surface, int32_t& width,
                         int32_t& height);

// Breaks Text into as many lines as fit MaxWidth x MaxHeight pixels (by the font's average
// character width, less MarginChars) and draws them. The surface takes the text's size when
// FitBitmap, else the full box. FontSize <= 0 keeps the surface's font. Width and Height, when
// given, receive the text's size. An empty text leaves the surface and the outputs untouched.
void FormatTextToBitmap(std::u16string_view text, int32_t maxWidth, int32_t maxHeight,
                        int32_t fontSize, TColour background, TTextSurface& surface, int32_t* width,
                        int32_t* height, bool fitBitmap, int32_t marginChars);
