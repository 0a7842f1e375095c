#include "render/BitmapAlpha.h"

#include "render/LightBitmap.h"
#include "render/PixelRoutines.h"

void PrepareCaptionAlpha(TDIBSection& bitmap) {
    PrepareCaptionAlphaPixels(bitmap.FlushedPixels());
}

void SetUniformAlpha(TDIBSection& bitmap) {
    SetUniformAlphaPixels(bitmap.FlushedPixels());
}

void CopyWithAlpha(TDIBSection& bitmap, uint8_t* buffer, size_t bufferSize, int32_t mode) {
    CopyWithAlphaPixels(bitmap.FlushedPixels(), buffer, bufferSize, mode);
}
