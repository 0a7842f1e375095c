#pragma once
// What caption formatting needs from a raster surface: a font, its metrics, string extents,
// resizing, filling and transparent text output. The off-screen bitmap provides it on Windows;
// tests provide a fixed-pitch stand-in.
#include <cstdint>
#include <string_view>

// A GDI colour value: 0x00BBGGRR.
using TColour = uint32_t;
constexpr TColour ColourBlack = 0x000000;
constexpr TColour ColourWhite = 0xFFFFFF;

struct TTextMetrics {
    int32_t Height = 0;
    int32_t ExternalLeading = 0;
    int32_t AveCharWidth = 0;
};

struct TTextExtent {
    int32_t Width = 0;
    int32_t Height = 0;
};

class TTextSurface {
public:
    virtual ~TTextSurface() = default;

    // Selects the surface's font of this character height in pixels.
    virtual void SetFont(int32_t pixelHeight) = 0;
    virtual TTextMetrics TextMetrics() = 0;
    virtual TTextExtent TextExtent(std::u16string_view text) = 0;
    // Discards the pixels; the new surface is white.
    virtual void SetSize(int32_t width, int32_t height) = 0;
    virtual void Clear(TColour colour) = 0;
    // Draws in the current text colour with a transparent background; (x, y) is the top-left.
    virtual void WriteText(int32_t x, int32_t y, std::u16string_view text) = 0;
};
