#pragma once
// A hidden window with a current OpenGL context, for tests that need real GL.
#include <windows.h>
#include <GL/gl.h>
#include "app/GLWindow.h"
#include "base/Handles.h"

class TGLTestContext {
public:
    explicit TGLTestContext(int width = 256, int height = 256) {
        WNDCLASSW wc{};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmeraGLTest";
        RegisterClassW(&wc);
        FWindow.Reset(CreateWindowExW(0, wc.lpszClassName, L"gltest", WS_POPUP, 0, 0, width, height,
                                      nullptr, nullptr, wc.hInstance, nullptr));
        if (FWindow && FDC.Open(FWindow.Get()) && !CreateSceneContext(FDC.Get(), FRC))
            wglMakeCurrent(FDC.Get(), FRC.Get());
    }
    TGLTestContext(const TGLTestContext&) = delete;
    TGLTestContext& operator=(const TGLTestContext&) = delete;

    bool Ready() const { return FRC.Valid(); }
    HWND Window() const { return FWindow.Get(); }
    HDC DC() const { return FDC.Get(); }

private:
    // Declared in the order of creation: the context goes first, the window last.
    TOwnedWindow FWindow;
    TWindowDC FDC;
    TGLContext FRC;
};
