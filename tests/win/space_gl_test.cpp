#include "GLTestContext.h"
#include "TestWindowValues.h"
#include "space/Camera.h"
#include "space/CameraAnimator.h"
#include "space/WindowAnimationTimer.h"
#include "space/Picking.h"

#include <vector>
#include "space/ScenePerspective.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>

namespace {

std::array<GLfloat, 16> CurrentMatrix(GLenum which) {
    std::array<GLfloat, 16> m{};
    glGetFloatv(which, m.data());
    return m;
}

void Square(float half, float z) {
    glBegin(GL_QUADS);
    glVertex3f(-half, -half, z);
    glVertex3f(half, -half, z);
    glVertex3f(half, half, z);
    glVertex3f(-half, half, z);
    glEnd();
}

// Seen from (0, 0, 5): an unnamed small square nearest, square 1 in the middle, the larger
// square 2 behind it, and a bar 3 in front of square 2's upper part only.
void DrawNamedSquares(const TGeomCamera& camera) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    camera.Apply();
    Square(0.2f, 1);
    glPushName(1);
    Square(1, 0);
    glPopName();
    glPushName(2);
    Square(3, -2);
    glPopName();
    glPushName(3);
    glBegin(GL_QUADS);
    glVertex3f(-0.3f, 1.8f, -1);
    glVertex3f(0.3f, 1.8f, -1);
    glVertex3f(0.3f, 2.6f, -1);
    glVertex3f(-0.3f, 2.6f, -1);
    glEnd();
    glPopName();
}

} // namespace

TEST(SceneGL, ApplyLoadsTheSameMatrixAsGluLookAt) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    TGeomCamera camera(1.25f, -0.75f, 5);
    camera.SetTarget(TVector3{3, 2, -1});
    TVector3 eye;
    TVector3 direction;
    TVector3 up;
    camera.GetPosition(eye);
    camera.GetDirection(direction);
    camera.GetUp(up);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, eye.x + direction.x, eye.y + direction.y, eye.z + direction.z,
              up.x, up.y, up.z);
    const auto expected = CurrentMatrix(GL_MODELVIEW_MATRIX);
    glLoadIdentity();
    camera.Apply();
    const auto applied = CurrentMatrix(GL_MODELVIEW_MATRIX);
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(applied[k], expected[k], 1e-5f) << "element " << k;
}

TEST(SceneGL, ScenePerspectiveNeedsAClientHeight) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    {
        ASSERT_TRUE(LoadScenePerspective(200, 150));
        const auto loaded = CurrentMatrix(GL_PROJECTION_MATRIX);
        glLoadIdentity();
        gluPerspective(80, 200.0 / 150.0, 0.004, 63.36);
        const auto expected = CurrentMatrix(GL_PROJECTION_MATRIX);
        for (int k = 0; k < 16; ++k)
            EXPECT_FLOAT_EQ(loaded[k], expected[k]) << "element " << k;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    EXPECT_FALSE(LoadScenePerspective(0, 0)); // minimised
    EXPECT_EQ(CurrentMatrix(GL_PROJECTION_MATRIX)[0], 1);
}

TEST(SceneGL, PickAtReturnsTheNearestNamedObject) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    // The scene starts 56 pixels right of the client's left edge, 256 x 256 like the window.
    const TViewport scene{56, 0, 256, 256};
    TGeomCamera camera(0, 0, 5);
    uint32_t passedFlags = 0;
    const TPickDrawProc draw = [&](uint32_t flags) {
        passedFlags = flags;
        DrawNamedSquares(camera);
    };

    EXPECT_EQ(PickAt(56 + 128, 128, 256, scene, draw, 0x190), 1u);
    EXPECT_EQ(passedFlags, 0x190u);
    // Square 1 spans about 30 pixels either side of the centre, square 2 about 65.
    EXPECT_EQ(PickAt(56 + 128 + 45, 128, 256, scene, draw, 0x10), 2u);
    // Window y grows downwards: the bar lies about 46 to 66 pixels above the centre.
    EXPECT_EQ(PickAt(56 + 128, 128 - 56, 256, scene, draw, 0x10), 3u);
    EXPECT_EQ(PickAt(56 + 128, 128 + 56, 256, scene, draw, 0x10), 2u);
    EXPECT_FALSE(PickAt(56 + 10, 10, 256, scene, draw, 0x10));
    EXPECT_FALSE(PickAt(56 + 128 + 100, 128, 256, scene, draw, 0x10));

    // A band names everything it covers, in drawing order, down to the records that fit.
    const auto band = [&](int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t names) {
        return PickInRectangle(56 + x0, y0, 56 + x1, y1, 256, scene, draw, 0x190, names);
    };
    EXPECT_EQ(band(123, 123, 133, 133, 8), (std::vector<uint32_t>{1, 2}));
    EXPECT_EQ(band(133, 133, 123, 50, 8), (std::vector<uint32_t>{1, 2, 3}));
    // The unnamed square's record takes room too: two records' room keeps only name 1.
    EXPECT_EQ(band(123, 123, 133, 133, 2), std::vector<uint32_t>{1});
    EXPECT_TRUE(band(0, 0, 20, 20, 8).empty());

    // Picking leaves normal rendering on.
    GLint mode = 0;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    EXPECT_EQ(mode, GL_RENDER);
}

TEST(SceneGL, PickAtRendersNormallyAgainWhenDrawingThrows) {
    TGLTestContext gl;
    ASSERT_TRUE(gl.Ready());
    const TPickDrawProc failingDraw = [](uint32_t) { throw std::runtime_error("draw failed"); };
    EXPECT_THROW(PickAt(128, 128, 256, TViewport{0, 0, 256, 256}, failingDraw, 0x10),
                 std::runtime_error);
    GLint mode = 0;
    glGetIntegerv(GL_RENDER_MODE, &mode);
    EXPECT_EQ(mode, GL_RENDER);
}

namespace {

TCameraAnimator* TickedFlight = nullptr;

LRESULT CALLBACK FlightWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == CameraFlightTimerId && TickedFlight) {
        TickedFlight->Tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(SceneTimers, CameraFlightRunsOnTheMainWindowsTimer) {
    // Without a main window the flight cannot start its timer.
    TTestWindowValues window;
    TWindowAnimationTimer timer(window);
    TCameraFlightState inFlight;
    {
        TGeomCamera camera(0, 0, 5);
        TCameraAnimator flight(inFlight, timer, camera, TVector3{}, TVector3{0, 0, 4}, 10, nullptr);
        EXPECT_FALSE(flight.TimerActive());
    }

    WNDCLASSW wc{};
    wc.lpfnWndProc = FlightWindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlimmeraFlightTest";
    RegisterClassW(&wc);
    window.Window = CreateWindowExW(0, wc.lpszClassName, L"flight", WS_POPUP, 0, 0, 64, 64, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window.Window, nullptr);

    TGeomCamera camera(0, 0, 5);
    bool finished = false;
    {
        TCameraAnimator flight(inFlight, timer, camera, TVector3{1, 0, 0}, TVector3{1, 0, 4}, 10,
                               [&](TCameraAnimator&) { finished = true; });
        TickedFlight = &flight;
        EXPECT_TRUE(flight.TimerActive());
        const ULONGLONG deadline = GetTickCount64() + 10000;
        MSG msg;
        while (!finished && GetTickCount64() < deadline) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
            Sleep(1);
        }
        TickedFlight = nullptr;
        EXPECT_FALSE(flight.TimerActive());
    }
    EXPECT_TRUE(finished);
    TVector3 position;
    camera.GetPosition(position);
    EXPECT_EQ(position.x, 1);
    EXPECT_EQ(position.z, 4);

    DestroyWindow(window.Window);
    window.Window = nullptr;
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}
