#include "render/ImageDecoders.h"

#include <cstring>

#include "base/Errors.h"
#include "base/Handles.h"
#include "render/SystemError.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr const char* Module = "ImageDecoders";
constexpr int HimetricPerInch = 2540;

} // namespace

HRESULT CreateStreamFromMemory(const void* data, size_t size, ComPtr<IStream>& stream) {
    stream.Reset();
    if (size == 0)
        return E_INVALIDARG; // nothing to decode; a zero-sized global block cannot be locked
    TGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!block)
        return E_OUTOFMEMORY;
    {
        TGlobalLock memory(block.Get());
        if (!memory.Data())
            return E_OUTOFMEMORY;
        std::memcpy(memory.Data(), data, size);
    }
    HRESULT status = CreateStreamOnHGlobal(block.Get(), TRUE, &stream);
    if (SUCCEEDED(status))
        block.Release(); // the stream frees it now
    else
        stream.Reset();
    return status;
}

HRESULT LoadPictureFromMemory(const void* data, size_t size, ComPtr<IPicture>& picture) {
    picture.Reset();
    ComPtr<IStream> stream;
    HRESULT status = CreateStreamFromMemory(data, size, stream);
    if (FAILED(status))
        return status;
    status = OleLoadPicture(stream.Get(), 0, TRUE, IID_IPicture,
                            reinterpret_cast<void**>(picture.ReleaseAndGetAddressOf()));
    if (FAILED(status))
        picture.Reset();
    return status;
}

ComPtr<IPicture> LoadPictureResource(const wchar_t* name, const wchar_t* resourceType) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, name, resourceType);
    if (!resource)
        RaiseLastOSError();
    HGLOBAL loaded = LoadResource(module, resource);
    if (!loaded)
        RaiseLastOSError();
    DWORD size = SizeofResource(module, resource);
    const void* data = LockResource(loaded);
    if (!data || size == 0)
        RaiseLastOSError();
    ComPtr<IPicture> picture;
    HRESULT status = LoadPictureFromMemory(data, size, picture);
    GMAssert(SUCCEEDED(status) && picture, Module);
    return picture;
}

void PictureSizeInPixels(HWND window, IPicture* picture, int32_t& width, int32_t& height) {
    GMAssert(picture != nullptr, Module);
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    TWindowDC dc(window);
    width = MulDiv(himetricWidth, GetDeviceCaps(dc.Get(), LOGPIXELSX), HimetricPerInch);
    height = MulDiv(himetricHeight, GetDeviceCaps(dc.Get(), LOGPIXELSY), HimetricPerInch);
}

void RenderPicture(HDC dc, IPicture* picture, const RECT& rect) {
    GMAssert(picture != nullptr, Module);
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    // IPicture wants its source bottom-up: start at the bottom, negative height.
    picture->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0,
                    himetricHeight, himetricWidth, -himetricHeight, nullptr);
}
