#include <gtest/gtest.h>

#include "base/BaseDefs.h"
#include "base/Errors.h"
#include "render/AtlasLayout.h"
#include "render/CellGrid.h"

namespace {
class AtlasLayout : public ::testing::Test {
protected:
    void SetUp() override { MaxTextureSize = 16384; }
    void TearDown() override { MaxTextureSize = 0; }
};
} // namespace

TEST_F(AtlasLayout, IconAndCaptionGrids) {
    TAtlasLayout icons = ComputeAtlasLayout(36, 36, 100);
    EXPECT_EQ(icons.Cols, 10);
    EXPECT_EQ(icons.Rows, 10);
    EXPECT_EQ(icons.AtlasWidth, 512);
    EXPECT_EQ(icons.AtlasHeight, 512);
    TAtlasLayout captions = ComputeAtlasLayout(260, 20, 21);
    EXPECT_EQ(captions.Cols, 2);
    EXPECT_EQ(captions.Rows, 11);
    EXPECT_EQ(captions.AtlasWidth, 1024);
    EXPECT_EQ(captions.AtlasHeight, 256);
}

TEST_F(AtlasLayout, TexturesBeyondTheDriverLimitAreRefused) {
    MaxTextureSize = 512;
    EXPECT_NO_THROW(ComputeAtlasLayout(36, 36, 100));
    try {
        ComputeAtlasLayout(260, 20, 21);
        FAIL() << "1024 texels are beyond 512";
    } catch (const ESystemRequirements& e) {
        EXPECT_EQ(e.WideMessage, u"atlas width too large");
    }
    try {
        ComputeAtlasLayout(20, 260, 21);
        FAIL();
    } catch (const ESystemRequirements& e) {
        EXPECT_EQ(e.WideMessage, u"atlas height too large");
    }
}

TEST_F(AtlasLayout, CellsFillColumnByColumnInsideTheirMargins) {
    TAtlasLayout layout = ComputeAtlasLayout(260, 20, 21); // 2 x 11
    TCellPosition p = CellPosition(layout, 12);
    EXPECT_EQ(p.Column, 1);
    EXPECT_EQ(p.Row, 1);
    TPixelOrigin origin = CellImageOrigin(layout, p);
    EXPECT_EQ(origin.X, 262);
    EXPECT_EQ(origin.Y, 22);
    EXPECT_THROW(CellPosition(layout, 22), EAssertionFailed);
}

TEST_F(AtlasLayout, TexCoordsCoverTheUsedWidthAndTheWholeCellHeight) {
    TAtlasLayout icons = ComputeAtlasLayout(36, 36, 100);
    TTexCoords c = CellTexCoords(icons, {3, 2}, 36, 36);
    EXPECT_FLOAT_EQ(c.U0, 108.0f / 512);
    EXPECT_FLOAT_EQ(c.U1, 144.0f / 512);
    EXPECT_FLOAT_EQ(c.V0, 72.0f / 512);
    EXPECT_FLOAT_EQ(c.V1, 108.0f / 512);
    TAtlasLayout captions = ComputeAtlasLayout(260, 29, 21);
    TTexCoords text = CellTexCoords(captions, {1, 0}, 40, 25);
    EXPECT_FLOAT_EQ(text.U1 - text.U0, 40.0f / captions.AtlasWidth);
    EXPECT_THROW(CellTexCoords(captions, {0, 0}, 261, 25), EAssertionFailed);
}

TEST(CellGrid, FirstFreeCellRangesAndGrowth) {
    TCellGrid grid(3);
    grid.Take(0);
    grid.Take(2);
    EXPECT_EQ(grid.FirstFree(), 1);
    grid.Take(1);
    EXPECT_EQ(grid.FirstFree(), -1);
    grid.FreeRange(1, 2);
    EXPECT_EQ(grid.FirstFree(), 1);
    grid.Grow(2);
    EXPECT_TRUE(grid.IsFree(4));
    grid.FreeAll();
    EXPECT_EQ(grid.TakenCount(), 0);
    EXPECT_THROW(grid.FreeRange(2, 1), EAssertionFailed);
    EXPECT_THROW(grid.FreeRange(0, 5), EAssertionFailed);
}
