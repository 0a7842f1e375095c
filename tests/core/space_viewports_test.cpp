#include "base/Errors.h"
#include "space/Viewports.h"

#include <gtest/gtest.h>

TEST(Viewports, ArraysGrowFourBeyondTheCountWhenFull) {
    int32_t clientHeight = 600;
    TViewportManager2 viewports(clientHeight);
    EXPECT_EQ(viewports.Capacity(), 0);
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(viewports.Add(TViewport{i, 0, 1, 1}), i);
        EXPECT_EQ(viewports.Capacity(), 5);
    }
    EXPECT_EQ(viewports.Add(TViewport{}), 5);
    EXPECT_EQ(viewports.Capacity(), 10);
    EXPECT_EQ(viewports.Count(), 6);
    TViewport kept;
    viewports.GetViewport(4, kept);
    EXPECT_EQ(kept.X, 4);
}

TEST(Viewports, ConvertsBetweenGLAndWindowCoordinates) {
    int32_t clientHeight = 600;
    TViewportManager2 viewports(clientHeight);
    const int32_t strip = viewports.Add(TViewport{0, 0, 1, 600});
    const int32_t scene = viewports.Add(TViewport{10, 0, 790, 600});

    int32_t vx = 0;
    int32_t vy = 0;
    viewports.WindowToViewport(scene, 0, 0, vx, vy);
    EXPECT_EQ(vx, -10);
    EXPECT_EQ(vy, 600);

    viewports.SetSize(strip, 10, 600);
    TViewportRect r;
    viewports.GetRect(strip, r);
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Top, 0);
    EXPECT_EQ(r.Right, 10);
    EXPECT_EQ(r.Bottom, 600);

    // A viewport raised off the bottom edge sits higher in the window.
    viewports.SetViewport(scene, TViewport{10, 100, 790, 400});
    viewports.GetRect(scene, r);
    EXPECT_EQ(r.Top, 100);
    EXPECT_EQ(r.Bottom, 500);

    // Conversions follow the live client height.
    clientHeight = 300;
    viewports.WindowToViewport(scene, 20, 0, vx, vy);
    EXPECT_EQ(vx, 10);
    EXPECT_EQ(vy, 200);
}

TEST(Viewports, HitTestIncludesEdgesAndPrefersTheFirstAdded) {
    int32_t clientHeight = 600;
    TViewportManager2 viewports(clientHeight);
    viewports.Add(TViewport{0, 0, 100, 600});
    viewports.Add(TViewport{100, 0, 700, 600});
    EXPECT_EQ(viewports.HitTest(100, 300), 0);
    EXPECT_EQ(viewports.HitTest(101, 300), 1);
    EXPECT_EQ(viewports.HitTest(800, 600), 1);
    EXPECT_EQ(viewports.HitTest(801, 300), -1);
    EXPECT_EQ(viewports.HitTest(50, -1), -1);
}

TEST(Viewports, IndicesOutsideTheCountFailAnAssertion) {
    int32_t clientHeight = 600;
    TViewportManager2 viewports(clientHeight);
    viewports.Add(TViewport{});
    TViewport v;
    int32_t vx = 0;
    int32_t vy = 0;
    EXPECT_THROW(viewports.GetViewport(1, v), EAssertionFailed);
    EXPECT_THROW(viewports.GetViewport(-1, v), EAssertionFailed);
    EXPECT_THROW(viewports.SetViewport(-1, v), EAssertionFailed);
    EXPECT_THROW(viewports.SetSize(1, 5, 5), EAssertionFailed);
    EXPECT_THROW(viewports.WindowToViewport(-1, 0, 0, vx, vy), EAssertionFailed);
}
