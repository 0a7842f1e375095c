#include <gtest/gtest.h>

#include "base/Errors.h"
#include "render/CaptionGeometry.h"

TEST(CaptionGeometry, PixelAndFontHeightsOfTheCaptionKinds) {
    TCaptionPixelSize small =
        CaptionPixelSize(SmallCaptionPixelWidth, SmallCaptionWorldWidth, SmallCaptionWorldHeight);
    EXPECT_EQ(small.PixelHeight, 25);
    EXPECT_EQ(small.FontHeight, 20);
    TCaptionPixelSize level =
        CaptionPixelSize(LevelCaptionPixelWidth, LevelCaptionWorldWidth, LevelCaptionWorldHeight);
    EXPECT_EQ(level.PixelHeight, 28);
    EXPECT_EQ(level.FontHeight, 22);
    EXPECT_THROW(CaptionPixelSize(10, 1.0f, 0.05f), EAssertionFailed);
}

TEST(CaptionGeometry, QuadIsAsWideAsTheTextButNoWiderThanTheCaption) {
    TCaptionQuadSize shortText = CaptionQuadSize(40, 25, 0.6f, 0.06f);
    EXPECT_FLOAT_EQ(shortText.Aspect, 1.6f);
    EXPECT_FLOAT_EQ(shortText.QuadWidth, 0.096f);
    TCaptionQuadSize full = CaptionQuadSize(256, 25, 0.6f, 0.06f);
    EXPECT_FLOAT_EQ(full.QuadWidth, 0.6f) << "256 / 25 x 0.06 = 0.614, capped";
    EXPECT_FLOAT_EQ(CaptionQuadSize(0, 25, 0.6f, 0.06f).QuadWidth, 0.0f);
}

TEST(CaptionGeometry, CornersInFanOrderAlongTheLatticeAxes) {
    TVector3 anchor{1, 2, 3};
    TVector3 u{0, 0, -1}; // a level seen from its side
    TVector3 v{0, 1, 0};
    TQuad c = CaptionCorners(anchor, u, v, 0.5f, 0.06f);
    EXPECT_FLOAT_EQ(c[0].z, 3.0f);
    EXPECT_FLOAT_EQ(c[1].z, 2.5f);
    EXPECT_FLOAT_EQ(c[1].y, 2.0f);
    EXPECT_FLOAT_EQ(c[2].z, 2.5f);
    EXPECT_FLOAT_EQ(c[2].y, 2.06f);
    EXPECT_FLOAT_EQ(c[3].z, 3.0f);
    EXPECT_FLOAT_EQ(c[3].y, 2.06f);
    EXPECT_FLOAT_EQ(c[3].x, 1.0f);
}
