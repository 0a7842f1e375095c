#pragma once
// The alpha routines applied to an off-screen bitmap once GDI has finished drawing into it.
#include <cstddef>
#include <cstdint>

class TDIBSection;

// Alpha := 255 for nearly white pixels (blue + green + red > 600), else 0.
void PrepareCaptionAlpha(TDIBSection& bitmap);

// Alpha := 150 everywhere.
void SetUniformAlpha(TDIBSection& bitmap);

// Mode 0: alpha 127; modes 1 and 2: alpha 127 and a black one-pixel frame; mode 3: unchanged.
// Then copies Width x Height x 4 bytes into Buffer.
void CopyWithAlpha(TDIBSection& bitmap, uint8_t* buffer, size_t bufferSize, int32_t mode);
