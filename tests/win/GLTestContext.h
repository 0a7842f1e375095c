#pragma once
// A hidden window with a current OpenGL context, for tests that need real GL.
#include <windows.h>
#include <GL/gl.h>
#include "app/PixelFormat.h"

class TGLTestContext {
public:
    explicit TGLTestContext(int width = 256, int height = 256) {
        WNDCLASSW wc{};
        wc.style = CS_OWNDC;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlimmeraGLTest";
        RegisterClassW(&wc);
        Window = CreateWindowExW(0, wc.lpszClassName, L"gltest", WS_POPUP, 0, 0, width, height,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        if (!Window)
            return;
        DC = GetDC(Window);
        PIXELFORMATDESCRIPTOR pfd = ScenePixelFormat();
        int format = ChoosePixelFormat(DC, &pfd);
        if (format && SetPixelFormat(DC, format, &pfd))
            RC = wglCreateContext(DC);
        if (RC)
            wglMakeCurrent(DC, RC);
    }
    ~TGLTestContext() {
        if (RC) {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(RC);
        }
        if (DC)
            ReleaseDC(Window, DC);
        if (Window)
            DestroyWindow(Window);
    }
    TGLTestContext(const TGLTestContext&) = delete;
    TGLTestContext& operator=(const TGLTestContext&) = delete;

    bool Ready() const { return RC != nullptr; }

    HWND Window = nullptr;
    HDC DC = nullptr;
    HGLRC RC = nullptr;
};
