#pragma once
// The scene's frame drawn off screen: a framebuffer object on the GL context of a hidden
// window, whose pixels are copied into a DIB section that the scene's own plain window paints.
// A GL surface on a window hides the windows beside it on some platforms (Wine's X11 driver
// composes no GDI child over it); a frame drawn off screen keeps every window a plain one.
#include <windows.h>
#include <GL/gl.h>

#include <cstdint>

#include "render/LightBitmap.h"

class TOffscreenFrame {
public:
    // Needs the GL context current and GL_EXT_framebuffer_object (GLLoaderFlags).
    TOffscreenFrame();
    // The context must still be current.
    ~TOffscreenFrame();
    TOffscreenFrame(const TOffscreenFrame&) = delete;
    TOffscreenFrame& operator=(const TOffscreenFrame&) = delete;

    // True when the driver offers every entry point the frame needs.
    static bool Supported();

    // Binds the framebuffer, at that size; false when the driver cannot make one that large
    // (nothing is bound then).
    bool Begin(int32_t width, int32_t height);
    // Copies the drawn pixels into the frame's bitmap and unbinds the framebuffer.
    void Finish();
    // The last finished frame, at (0, 0) of dc.
    void Paint(HDC dc) const;

private:
    void Allocate(int32_t width, int32_t height);
    void Release();

    GLuint FFramebuffer = 0;
    GLuint FColour = 0;
    GLuint FDepth = 0;
    GLenum FDepthFormat = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FComplete = false;
    TDIBSection FPixels;
};
