#pragma once
// Pictures from the program's resources or from memory, decoded by OLE and drawn with GDI.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstddef>
#include <cstdint>

#include "render/TextBuffers.h"

// A stream over a movable global copy of Data; the stream frees the copy when released.
HRESULT CreateStreamFromMemory(const void* data, size_t size,
                               Microsoft::WRL::ComPtr<IStream>& stream);

// Decodes a picture (BMP, JPEG, GIF, icon, metafile) from memory; Picture stays empty on failure.
HRESULT LoadPictureFromMemory(const void* data, size_t size,
                              Microsoft::WRL::ComPtr<IPicture>& picture);

// Decodes a resource of the program; a missing resource raises the operating-system error.
Microsoft::WRL::ComPtr<IPicture> LoadPictureResource(const wchar_t* name,
                                                     const wchar_t* resourceType);

// The picture's natural size in pixels of the window's display.
void PictureSizeInPixels(HWND window, IPicture* picture, int32_t& width, int32_t& height);

// Draws the whole picture stretched into Rect.
void RenderPicture(HDC dc, IPicture* picture, const RECT& rect);

// The About box's picture: RCDATA 121.
constexpr int AboutPictureResource = 121;
