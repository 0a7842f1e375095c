#include <gtest/gtest.h>

#include "app/ScreenPlacement.h"

namespace {
const TScreenRect WorkArea{0, 0, 1280, 984};
}

TEST(ScreenPlacement, AWindowOutsideTheWorkAreaMovesOntoItsNearestEdge) {
    // Wholly to the right and below: its bottom-right corner lands on the area's.
    TScreenPoint at = PositionInWorkArea(TScreenRect{3000, 2000, 3640, 2500}, WorkArea);
    EXPECT_EQ(at.X, 1280 - 640);
    EXPECT_EQ(at.Y, 984 - 500);
    // Wholly to the left and above: its top-left corner lands on the area's.
    at = PositionInWorkArea(TScreenRect{-900, -700, -260, -200}, WorkArea);
    EXPECT_EQ(at.X, 0);
    EXPECT_EQ(at.Y, 0);
}

TEST(ScreenPlacement, AWindowInsideStaysAndOneLargerThanTheAreaKeepsItsTopLeftOnIt) {
    TScreenPoint at = PositionInWorkArea(TScreenRect{100, 50, 740, 550}, WorkArea);
    EXPECT_EQ(at.X, 100);
    EXPECT_EQ(at.Y, 50);
    at = PositionInWorkArea(TScreenRect{-50, 200, 1950, 1400}, TScreenRect{10, 20, 1290, 1004});
    EXPECT_EQ(at.X, 10);
    EXPECT_EQ(at.Y, 20);
}

TEST(ScreenPlacement, TheSplitLeavesTheSceneItsMinimumWidth) {
    EXPECT_EQ(SplitForClientWidth(200, 640), 200);
    EXPECT_EQ(SplitForClientWidth(200, 150), 100) << "50 pixels are left to the scene";
    EXPECT_EQ(SplitForClientWidth(200, 250), 200) << "the minimum tracking width exactly";
    EXPECT_EQ(SplitForClientWidth(200, 0), 200) << "a minimised window keeps the split";
    EXPECT_EQ(SplitForClientWidth(200, 40), MinimalSplit);
    EXPECT_EQ(SplitForClientWidth(3, 640), MinimalSplit) << "a strip dragged to x = 3";
}
