#pragma once
// The off-screen raster surface: a 32-bit bottom-up DIB section selected into its own memory
// device context, so GDI can draw into it and the pixels can be read for texture upload.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "base/Handles.h"
#include "render/PixelRoutines.h"
#include "render/TextSurface.h"

// Clear with this value fills with the brush colour the DC already has.
constexpr TColour KeepBrushColour = 0x20000000;

// Method names steer clear of the Win32 and windowsx.h macros (TextOut, DeleteFont, ...).
class TDIBSection : public TTextSurface {
public:
    // A surface of that size, white; without positive sizes there are no pixels yet.
    explicit TDIBSection(int32_t width = 0, int32_t height = 0);
    ~TDIBSection() override;
    TDIBSection(const TDIBSection&) = delete;
    TDIBSection& operator=(const TDIBSection&) = delete;

    void SetSize(int32_t width, int32_t height) override;
    void Clear(TColour colour) override;
    void FillRectColour(TColour colour, const RECT& rect);
    void SetTextColour(TColour colour);
    // Tahoma of this character height, anti-aliased.
    void SetFont(int32_t pixelHeight) override;
    void SelectDefaultFont();
    void FreeFont();
    void FreeBitmap();
    int32_t LineHeight();
    int32_t AvgCharWidth();
    TTextMetrics TextMetrics() override;
    TTextExtent TextExtent(std::u16string_view text) override;
    void WriteText(int32_t x, int32_t y, std::u16string_view text) override;
    void InvertRect(const RECT& rect);
    // Inverts the one-pixel column (X, Y)..(X + 1, Y + H): a text caret.
    void InvertBar(int32_t x, int32_t y, int32_t h);

    HDC DC() const { return FDC.Get(); }
    HBITMAP Bitmap() const { return FBitmap.Get(); }
    HFONT Font() const { return FFont.Get(); }
    const BITMAPINFO& Header() const { return FHeader; }
    uint8_t* Bits() const { return FBits; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int32_t FontHeight() const { return FFontHeight; }
    // The pixels, after GDI has finished drawing into them.
    TPixelView FlushedPixels() const;

private:
    void SelectOwnFont(HFONT font);

    TGdiObject<HBITMAP> FBitmap;
    HGDIOBJ FOldBitmap = nullptr;
    BITMAPINFO FHeader{};
    TMemoryDC FDC;
    TGdiObject<HFONT> FFont;
    HGDIOBJ FOldFont = nullptr;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    uint8_t* FBits = nullptr;
    int32_t FFontHeight = 0;
    int32_t FAvgCharWidthCache = 0;
};
