#pragma once
// The pixel format of every GL surface the program draws on: double-buffered RGBA with
// 32 colour and 16 depth bits, no alpha, accumulation or stencil, main plane.
#include <windows.h>

inline PIXELFORMATDESCRIPTOR ScenePixelFormat() {
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof(pfd);
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    return pfd;
}
