#pragma once
// Owners of GDI handles.
#include <windows.h>

#include <memory>
#include <type_traits>

struct TMemoryDCDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
using TUniqueMemoryDC = std::unique_ptr<std::remove_pointer_t<HDC>, TMemoryDCDeleter>;

struct TWindowDCReleaser {
    HWND Window = nullptr;
    void operator()(HDC dc) const { ReleaseDC(Window, dc); }
};
using TUniqueWindowDC = std::unique_ptr<std::remove_pointer_t<HDC>, TWindowDCReleaser>;

// Deleting a stock object is harmless, so fonts from GetStockObject may be held too.
struct TGdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
template <class THandle>
using TUniqueGdiObject = std::unique_ptr<std::remove_pointer_t<THandle>, TGdiObjectDeleter>;
