#include "render/LightBitmap.h"

#include "base/Errors.h"
#include "render/SystemError.h"

namespace {
constexpr const char* Module = "LightBitmap";
}

TDIBSection::TDIBSection(int32_t width, int32_t height) : FDC(CreateCompatibleDC(nullptr)) {
    if (!FDC)
        RaiseLastOSError();
    SetBkMode(FDC.Get(), TRANSPARENT);
    SelectDefaultFont();
    if (width > 0 && height > 0)
        SetSize(width, height);
}

TDIBSection::~TDIBSection() {
    // Objects selected into a DC cannot be deleted: put the originals back first.
    if (FBitmap && FOldBitmap)
        SelectObject(FDC.Get(), FOldBitmap);
    if (FFont && FOldFont)
        SelectObject(FDC.Get(), FOldFont);
}

void TDIBSection::SetSize(int32_t width, int32_t height) {
    FreeBitmap();
    FHeader = BITMAPINFO{};
    FHeader.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    FHeader.bmiHeader.biWidth = width;
    FHeader.bmiHeader.biHeight = height; // positive: rows stored bottom-up
    FHeader.bmiHeader.biPlanes = 1;
    FHeader.bmiHeader.biBitCount = 32;
    FHeader.bmiHeader.biCompression = BI_RGB;

    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(FDC.Get(), &FHeader, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        // No pixels: leave no size behind that promises some.
        FWidth = FHeight = 0;
        FBits = nullptr;
        RaiseLastOSError();
    }
    FBitmap.Reset(bitmap);
    GMAssert(reinterpret_cast<uintptr_t>(bits) % 4 == 0, Module);
    FBits = static_cast<uint8_t*>(bits);
    FWidth = width;
    FHeight = height;
    GMAssert(FOldBitmap == nullptr, Module);
    FOldBitmap = SelectObject(FDC.Get(), bitmap);
    RECT all{0, 0, width, height};
    FillRect(FDC.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void TDIBSection::Clear(TColour colour) {
    RECT all{0, 0, FWidth, FHeight};
    if (colour != KeepBrushColour)
        SetDCBrushColor(FDC.Get(), colour);
    FillRect(FDC.Get(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TDIBSection::FillRectColour(TColour colour, const RECT& rect) {
    SetDCBrushColor(FDC.Get(), colour);
    FillRect(FDC.Get(), &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TDIBSection::SetTextColour(TColour colour) {
    SetTextColor(FDC.Get(), colour);
}

void TDIBSection::SetFont(int32_t pixelHeight) {
    FreeFont();
    FFontHeight = pixelHeight;
    // A negative height asks for the character height rather than the cell height.
    HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, OUT_TT_PRECIS, 0,
                             ANTIALIASED_QUALITY, 0, "Tahoma");
    if (!font)
        RaiseLastOSError();
    SelectOwnFont(font);
}

void TDIBSection::SelectDefaultFont() {
    FreeFont();
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (!font)
        RaiseLastOSError();
    SelectOwnFont(font);
}

void TDIBSection::SelectOwnFont(HFONT font) {
    FFont.Reset(font);
    GMAssert(FOldFont == nullptr, Module);
    FOldFont = SelectObject(FDC.Get(), font);
}

void TDIBSection::FreeFont() {
    // The cached width belongs to the font going away.
    FAvgCharWidthCache = 0;
    if (!FFont)
        return;
    GMAssert(FOldFont != nullptr, Module);
    SelectObject(FDC.Get(), FOldFont);
    FFont.Reset();
    FOldFont = nullptr;
    FFontHeight = 0;
}

void TDIBSection::FreeBitmap() {
    if (!FBitmap)
        return;
    GMAssert(FOldBitmap != nullptr, Module);
    SelectObject(FDC.Get(), FOldBitmap);
    FBitmap.Reset();
    FOldBitmap = nullptr;
    FBits = nullptr;
}

int32_t TDIBSection::LineHeight() {
    if (FFontHeight > 0)
        return FFontHeight;
    TEXTMETRICA metrics{};
    GetTextMetricsA(FDC.Get(), &metrics);
    FFontHeight = metrics.tmHeight + metrics.tmExternalLeading;
    return FFontHeight;
}

int32_t TDIBSection::AvgCharWidth() {
    if (FAvgCharWidthCache > 0)
        return FAvgCharWidthCache;
    TEXTMETRICW metrics{};
    GetTextMetricsW(FDC.Get(), &metrics);
    FAvgCharWidthCache = metrics.tmAveCharWidth;
    return FAvgCharWidthCache;
}

TTextMetrics TDIBSection::TextMetrics() {
    TEXTMETRICW metrics{};
    GetTextMetricsW(FDC.Get(), &metrics);
    return {metrics.tmHeight, metrics.tmExternalLeading, metrics.tmAveCharWidth};
}

TTextExtent TDIBSection::TextExtent(std::u16string_view text) {
    SIZE size{0, 0};
    GetTextExtentPoint32W(FDC.Get(), reinterpret_cast<const wchar_t*>(text.data()),
                          static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
}

void TDIBSection::WriteText(int32_t x, int32_t y, std::u16string_view text) {
    GMAssert(FBitmap.Valid() && FDC.Valid(), Module);
    if (text.empty())
        return;
    if (!TextOutW(FDC.Get(), x, y, reinterpret_cast<const wchar_t*>(text.data()),
                  static_cast<int>(text.size())))
        RaiseLastOSError();
}

void TDIBSection::InvertRect(const RECT& rect) {
    ::InvertRect(FDC.Get(), &rect);
}

void TDIBSection::InvertBar(int32_t x, int32_t y, int32_t h) {
    RECT bar{x, y, x + 1, y + h};
    ::InvertRect(FDC.Get(), &bar);
}

TPixelView TDIBSection::FlushedPixels() const {
    GdiFlush();
    return {FBits, FWidth, FHeight};
}
