#pragma once
// Owners of the Win32 resources the program holds: each frees its resource exactly once, on
// every path out of its scope. No code outside these owners closes a handle by hand.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <utility>

// One owner per resource kind: Traits names the null value and how to free it.
template <class Traits> class TUniqueHandle {
public:
    using THandle = typename Traits::THandle;

    TUniqueHandle() = default;
    explicit TUniqueHandle(THandle handle) : FHandle(handle) {}
    ~TUniqueHandle() { Close(); }
    TUniqueHandle(TUniqueHandle&& other) noexcept : FHandle(other.Release()) {}
    TUniqueHandle& operator=(TUniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    TUniqueHandle(const TUniqueHandle&) = delete;
    TUniqueHandle& operator=(const TUniqueHandle&) = delete;

    THandle Get() const { return FHandle; }
    bool Valid() const { return FHandle != Traits::Null(); }
    explicit operator bool() const { return Valid(); }

    // Hands the resource on; the owner holds nothing afterwards.
    THandle Release() { return std::exchange(FHandle, Traits::Null()); }
    void Reset(THandle handle = Traits::Null()) {
        Close();
        FHandle = handle;
    }
    // For an out-parameter that receives a new resource: the present one is freed first.
    THandle* Receive() {
        Close();
        return &FHandle;
    }
    // Frees the resource now; false when the system refused (the owner is empty either way).
    bool Close() { return !Valid() || Traits::Free(Release()); }

private:
    THandle FHandle = Traits::Null();
};

struct TKernelHandleTraits {
    using THandle = HANDLE;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return CloseHandle(h) != FALSE; }
};
// Threads, events, processes: their null is 0.
using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;

struct TFileHandleTraits {
    using THandle = HANDLE;
    static THandle Null() { return INVALID_HANDLE_VALUE; }
    static bool Free(THandle h) { return CloseHandle(h) != FALSE; }
};
// CreateFileW's handles: their null is INVALID_HANDLE_VALUE.
using TFileHandle = TUniqueHandle<TFileHandleTraits>;

struct TFindHandleTraits {
    using THandle = HANDLE;
    static THandle Null() { return INVALID_HANDLE_VALUE; }
    static bool Free(THandle h) { return FindClose(h) != FALSE; }
};
using TFindHandle = TUniqueHandle<TFindHandleTraits>;

struct TChangeNotificationTraits {
    using THandle = HANDLE;
    static THandle Null() { return INVALID_HANDLE_VALUE; }
    static bool Free(THandle h) { return FindCloseChangeNotification(h) != FALSE; }
};
using TChangeNotificationHandle = TUniqueHandle<TChangeNotificationTraits>;

struct TDeviceNotificationTraits {
    using THandle = HDEVNOTIFY;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return UnregisterDeviceNotification(h) != FALSE; }
};
// A registration for a device's events (RegisterDeviceNotificationW).
using TDeviceNotification = TUniqueHandle<TDeviceNotificationTraits>;

template <class T> struct TGdiObjectTraits {
    using THandle = T;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return DeleteObject(h) != FALSE; }
};
// Deleting a stock object is harmless, so a font from GetStockObject may be held too.
template <class T> using TGdiObject = TUniqueHandle<TGdiObjectTraits<T>>;

struct TMemoryDCTraits {
    using THandle = HDC;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return DeleteDC(h) != FALSE; }
};
using TMemoryDC = TUniqueHandle<TMemoryDCTraits>;

// A device context from GetDC, released to the window it came from. With CS_OWNDC it is the
// window's own context.
class TWindowDC {
public:
    TWindowDC() = default;
    explicit TWindowDC(HWND window) { Open(window); }
    ~TWindowDC() { Close(); }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    // The window's context, the present one released first; false when there is none.
    bool Open(HWND window) {
        Close();
        FWindow = window;
        FDC = GetDC(window);
        return FDC != nullptr;
    }
    HDC Get() const { return FDC; }
    explicit operator bool() const { return FDC != nullptr; }
    bool Close() { return !FDC || ReleaseDC(FWindow, std::exchange(FDC, nullptr)) != 0; }

private:
    HWND FWindow = nullptr;
    HDC FDC = nullptr;
};

// An object selected into a device context; the previous one goes back on leaving the scope.
class TSelectedObject {
public:
    TSelectedObject(HDC dc, HGDIOBJ object) : FDC(dc), FPrevious(SelectObject(dc, object)) {}
    ~TSelectedObject() {
        if (FPrevious && FPrevious != HGDI_ERROR)
            SelectObject(FDC, FPrevious);
    }
    TSelectedObject(const TSelectedObject&) = delete;
    TSelectedObject& operator=(const TSelectedObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

struct TWindowTraits {
    using THandle = HWND;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return DestroyWindow(h) != FALSE; }
};
// A window this program created and destroys itself.
using TOwnedWindow = TUniqueHandle<TWindowTraits>;

struct TMenuTraits {
    using THandle = HMENU;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return DestroyMenu(h) != FALSE; }
};
// A menu made by the program (CreatePopupMenu), destroyed with its submenus.
using TMenuHandle = TUniqueHandle<TMenuTraits>;

struct TGLContextTraits {
    using THandle = HGLRC;
    static THandle Null() { return nullptr; }
    // Deleting the thread's current context makes it not current first.
    static bool Free(THandle h) { return wglDeleteContext(h) != FALSE; }
};
// An OpenGL rendering context (wglCreateContext).
using TGLContext = TUniqueHandle<TGLContextTraits>;

struct TGlobalBlockTraits {
    using THandle = HGLOBAL;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return GlobalFree(h) == nullptr; }
};
// A global memory block; Release() hands it to whoever frees it next (a stream, the clipboard).
using TGlobalBlock = TUniqueHandle<TGlobalBlockTraits>;

// A global block locked for the scope.
class TGlobalLock {
public:
    explicit TGlobalLock(HGLOBAL block)
        : FBlock(block), FData(block ? GlobalLock(block) : nullptr) {}
    ~TGlobalLock() {
        if (FData)
            GlobalUnlock(FBlock);
    }
    TGlobalLock(const TGlobalLock&) = delete;
    TGlobalLock& operator=(const TGlobalLock&) = delete;
    void* Data() const { return FData; }
    // The block's size as the system knows it (0 without a lock).
    SIZE_T Size() const { return FData ? GlobalSize(FBlock) : 0; }

private:
    HGLOBAL FBlock;
    void* FData;
};

template <class T> struct TCoTaskMemTraits {
    using THandle = T*;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) {
        CoTaskMemFree(h);
        return true;
    }
};
// A block of the task allocator (strings the shell hands out).
template <class T> using TCoTaskMem = TUniqueHandle<TCoTaskMemTraits<T>>;

template <class T> struct TLocalMemTraits {
    using THandle = T;
    static THandle Null() { return nullptr; }
    static bool Free(THandle h) { return LocalFree(reinterpret_cast<HLOCAL>(h)) == nullptr; }
};
// A block from LocalAlloc (FormatMessageW, CommandLineToArgvW).
template <class T> using TLocalMem = TUniqueHandle<TLocalMemTraits<T>>;

// A storage medium a data object filled (IDataObject::GetData), released once on leaving.
class TStorageMedium {
public:
    TStorageMedium() = default;
    ~TStorageMedium() { Free(); }
    TStorageMedium(const TStorageMedium&) = delete;
    TStorageMedium& operator=(const TStorageMedium&) = delete;

    // For GetData to fill; the present medium is released first.
    STGMEDIUM* Receive() {
        Free();
        return &FMedium;
    }
    // The medium's global block; null when it holds another kind of medium or none.
    HGLOBAL Global() const { return FMedium.tymed == TYMED_HGLOBAL ? FMedium.hGlobal : nullptr; }

private:
    void Free() {
        if (FMedium.tymed != TYMED_NULL)
            ReleaseStgMedium(&FMedium);
        FMedium = STGMEDIUM{};
    }

    STGMEDIUM FMedium{};
};

// OLE for the scope of this object; uninitialised only when the initialisation succeeded.
class TOleScope {
public:
    TOleScope() : FInitialized(SUCCEEDED(OleInitialize(nullptr))) {}
    ~TOleScope() {
        if (FInitialized)
            OleUninitialize();
    }
    TOleScope(const TOleScope&) = delete;
    TOleScope& operator=(const TOleScope&) = delete;
    bool Initialized() const { return FInitialized; }

private:
    bool FInitialized;
};

// A registered window class, unregistered when the owner goes.
class TWindowClass {
public:
    TWindowClass() = default;
    explicit TWindowClass(const WNDCLASSW& windowClass)
        : FName(windowClass.lpszClassName), FInstance(windowClass.hInstance),
          FRegistered(RegisterClassW(&windowClass) != 0) {}
    ~TWindowClass() { Unregister(); }
    TWindowClass(const TWindowClass&) = delete;
    TWindowClass& operator=(const TWindowClass&) = delete;
    bool Registered() const { return FRegistered; }
    // False when the system refused; the owner forgets the class either way.
    bool Unregister() {
        return !std::exchange(FRegistered, false) || UnregisterClassW(FName, FInstance) != FALSE;
    }

private:
    const wchar_t* FName = nullptr;
    HINSTANCE FInstance = nullptr;
    bool FRegistered = false;
};
