#pragma once
// Owners of the main window's system resources: its class, the window, its own device context
// and the OpenGL context. Each releases its resource once; a release the system refuses shows
// its box and the teardown goes on.
#include <windows.h>

#include "base/Handles.h"

// The window class; unregistering it last also shows the cursor again.
class TMainWindowClass {
public:
    // Shows "Failed To Register The Window Class." and stays unregistered on failure.
    TMainWindowClass(const wchar_t* name, WNDPROC windowProc);
    ~TMainWindowClass() { Close(); }
    TMainWindowClass(const TMainWindowClass&) = delete;
    TMainWindowClass& operator=(const TMainWindowClass&) = delete;
    bool Registered() const { return FClass.Registered(); }
    void Close();

private:
    TWindowClass FClass;
    bool FOpen = true;
};

class TWindowHandle {
public:
    TWindowHandle() = default;
    ~TWindowHandle() { Close(); }
    TWindowHandle(const TWindowHandle&) = delete;
    TWindowHandle& operator=(const TWindowHandle&) = delete;
    void Reset(HWND window) { FWindow = window; }
    HWND Get() const { return FWindow; }
    void Close();

private:
    HWND FWindow = nullptr;
};

// The window's own device context (the class has CS_OWNDC).
class TOwnDC {
public:
    TOwnDC() = default;
    ~TOwnDC() { Close(); }
    TOwnDC(const TOwnDC&) = delete;
    TOwnDC& operator=(const TOwnDC&) = delete;
    bool Open(HWND window);
    HDC Get() const { return FDC; }
    void Close();

private:
    HWND FWindow = nullptr;
    HDC FDC = nullptr;
};

// Sets the scene's pixel format on dc; the failing step's box text, or nullptr on success.
const char* SetScenePixelFormat(HDC dc);

// The rendering context, made current on creation and released (not current first) on close.
class TGLContext {
public:
    TGLContext() = default;
    ~TGLContext() { Close(); }
    TGLContext(const TGLContext&) = delete;
    TGLContext& operator=(const TGLContext&) = delete;
    // Pixel format and context for dc; the failing step's box text, or nullptr on success.
    const char* Open(HDC dc);
    HGLRC Get() const { return FRC; }
    void Close();

private:
    HGLRC FRC = nullptr;
};

// The box of a failed set-up step ("Error", exclamation), shown after the teardown.
void ShowSetupError(const char* text);
