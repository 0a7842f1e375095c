#pragma once
// Small routines over 32-bit blue-green-red-alpha pixels, rows bottom-up, stride 4 x Width.
#include <cstddef>
#include <cstdint>

struct TPixelView {
    uint8_t* Bits = nullptr;
    int32_t Width = 0;
    int32_t Height = 0;

    size_t ByteCount() const { return size_t(Width) * size_t(Height) * 4; }
};

// Alpha := 255 where blue + green + red > 600, else 0: only nearly white text stays.
void PrepareCaptionAlphaPixels(TPixelView pixels);

// Alpha := 150 everywhere.
void SetUniformAlphaPixels(TPixelView pixels);

// How CopyWithAlphaPixels treats the pixels before copying them.
enum TCopyMode : int32_t {
    CopyOpaque = 0,     // alpha 127
    CopyFramed = 1,     // alpha 127 and a black one-pixel frame
    CopyFramedAlso = 2, // the same as CopyFramed
    CopyUnchanged = 3,
};

// Applies Mode and copies Width x Height x 4 bytes into Buffer, which must hold them.
void CopyWithAlphaPixels(TPixelView pixels, uint8_t* buffer, size_t bufferSize, int32_t mode);

// True when some pixel's alpha is above 100: the image brought its own alpha channel.
bool HasOwnAlpha(TPixelView pixels);

// Icons without their own alpha: alpha := 255 where the mask (same size) is dark (red < 100),
// else 0.
void ApplyMaskAlpha(TPixelView icon, const uint8_t* maskBits);
