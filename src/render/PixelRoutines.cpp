#include "render/PixelRoutines.h"

#include <cstring>

#include "base/Errors.h"

namespace {
constexpr const char* Module = "images";
constexpr size_t Blue = 0, Green = 1, Red = 2, Alpha = 3;

void SetAlpha(TPixelView pixels, uint8_t alpha) {
    size_t bytes = pixels.ByteCount();
    for (size_t i = Alpha; i < bytes; i += 4)
        pixels.Bits[i] = alpha;
}

void PaintBlack(TPixelView pixels, int32_t x, int32_t y) {
    uint8_t* pixel = pixels.Bits + (size_t(y) * size_t(pixels.Width) + size_t(x)) * 4;
    pixel[Blue] = pixel[Green] = pixel[Red] = 0;
}

void PaintFrame(TPixelView pixels) {
    for (int32_t x = 0; x < pixels.Width; ++x) {
        PaintBlack(pixels, x, 0);
        PaintBlack(pixels, x, pixels.Height - 1);
    }
    for (int32_t y = 0; y < pixels.Height; ++y) {
        PaintBlack(pixels, 0, y);
        PaintBlack(pixels, pixels.Width - 1, y);
    }
}
} // namespace

void PrepareCaptionAlphaPixels(TPixelView pixels) {
    size_t bytes = pixels.ByteCount();
    for (size_t i = 0; i < bytes; i += 4) {
        uint8_t* pixel = pixels.Bits + i;
        int sum = pixel[Blue] + pixel[Green] + pixel[Red];
        pixel[Alpha] = sum > 600 ? 255 : 0;
    }
}

void SetUniformAlphaPixels(TPixelView pixels) {
    SetAlpha(pixels, 150);
}

void CopyWithAlphaPixels(TPixelView pixels, uint8_t* buffer, size_t bufferSize, int32_t mode) {
    switch (mode) {
    case CopyOpaque:
        SetAlpha(pixels, 127);
        break;
    case CopyFramed:
    case CopyFramedAlso:
        SetAlpha(pixels, 127);
        if (pixels.Width > 0 && pixels.Height > 0)
            PaintFrame(pixels);
        break;
    case CopyUnchanged:
        break;
    default:
        GMAssert(false, Module);
    }
    GMAssert(bufferSize >= 1 && bufferSize >= pixels.ByteCount(), Module);
    if (pixels.ByteCount() > 0)
        std::memcpy(buffer, pixels.Bits, pixels.ByteCount());
}

bool HasOwnAlpha(TPixelView pixels) {
    size_t bytes = pixels.ByteCount();
    for (size_t i = Alpha; i < bytes; i += 4)
        if (pixels.Bits[i] > 100)
            return true;
    return false;
}

void ApplyMaskAlpha(TPixelView icon, const uint8_t* maskBits) {
    size_t bytes = icon.ByteCount();
    for (size_t i = 0; i < bytes; i += 4)
        icon.Bits[i + Alpha] = maskBits[i + Red] < 100 ? 255 : 0;
}
