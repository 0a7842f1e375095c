// The frame drawn off screen reaches the window whole: the right way up, at each size the scene
// takes, and with the window's own framebuffer bound again afterwards (picking and texture
// uploads happen between frames).
#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <gtest/gtest.h>

#include "GLTestContext.h"
#include "app/OffscreenFrame.h"
#include "base/BaseDefsWin.h"
#include "render/LightBitmap.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

// Blue over the whole frame, red over its lowest quarter (GL counts rows from the bottom).
void DrawBands(int width, int height) {
    glViewport(0, 0, width, height);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, width, height / 4);
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

} // namespace

TEST(OffscreenFrame, PaintsWhatWasDrawnTheRightWayUpAtEverySize) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    ReadGLLoaderFlags();
    ASSERT_TRUE(TOffscreenFrame::Supported());
    TOffscreenFrame frame;
    EXPECT_FALSE(frame.Begin(0, 10));
    // An odd width checks the row stride; the second size the reallocation.
    for (const SIZE size : {SIZE{37, 23}, SIZE{301, 200}}) {
        ASSERT_TRUE(frame.Begin(size.cx, size.cy));
        DrawBands(size.cx, size.cy);
        frame.Finish();
        GLint bound = -1;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
        EXPECT_EQ(bound, 0);

        TDIBSection window(size.cx + 10, size.cy + 10);
        window.Clear(0xFFFFFF);
        frame.Paint(window.DC());
        GdiFlush();
        for (const int x : {0, static_cast<int>(size.cx / 2), static_cast<int>(size.cx - 1)}) {
            EXPECT_EQ(GetPixel(window.DC(), x, 0), Blue) << size.cx << " top at " << x;
            EXPECT_EQ(GetPixel(window.DC(), x, size.cy - 1), Red) << size.cx << " bottom at " << x;
        }
        // Nothing outside the frame's size is touched.
        EXPECT_EQ(GetPixel(window.DC(), size.cx + 2, 0), RGB(255, 255, 255));
    }
}
