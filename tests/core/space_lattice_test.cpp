#include "base/Errors.h"
#include "space/RectangularLattice.h"
#include "space_vector_expect.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

TVector3 IconCornerOf(const TRectangularLattice& lattice, int32_t i) {
    TQuad q;
    lattice.GetIconQuad(i, q);
    return q[0];
}

} // namespace

TEST(Lattice, TwentyItemsFillTwoColumnsOfTen) {
    TRectangularLattice lattice(TVector3{}, 20, 1);
    EXPECT_EQ(lattice.GetColumnLength(), 10);
    EXPECT_EQ(lattice.GetColumnCount(), 2);
    const TVector3 first = IconCornerOf(lattice, 0);
    EXPECT_TRUE(VectorNear(IconCornerOf(lattice, 9), TVector3{first.x, first.y - 9 * 0.106f, 0}));
    EXPECT_TRUE(VectorNear(IconCornerOf(lattice, 10), TVector3{first.x + 0.76f, first.y, 0}));
    EXPECT_FLOAT_EQ(lattice.GetHeight(), 1.272f);
}

TEST(Lattice, IconQuadIsInStripOrder) {
    TRectangularLattice lattice(TVector3{}, 20, 1);
    TQuad q;
    lattice.GetIconQuad(0, q);
    EXPECT_TRUE(VectorNear(q[0], TVector3{0.165f, 0.1f, 0}));
    EXPECT_TRUE(VectorNear(q[1], TVector3{0.265f, 0.1f, 0}));
    EXPECT_TRUE(VectorNear(q[2], TVector3{0.165f, 0.2f, 0}));
    EXPECT_TRUE(VectorNear(q[3], TVector3{0.265f, 0.2f, 0}));
}

TEST(Lattice, OneItemHasOneRow) {
    TRectangularLattice lattice(TVector3{}, 1, 1);
    EXPECT_EQ(lattice.GetColumnLength(), 1);
    EXPECT_FLOAT_EQ(lattice.GetHeight(), 0.318f);
    EXPECT_EQ(lattice.Neighbour(0, TRectangularLattice::NextColumn), 0);
}

TEST(Lattice, NeighbourMovesWithinSevenItems) {
    TRectangularLattice lattice(TVector3{}, 7, 1);
    ASSERT_EQ(lattice.GetColumnLength(), 4);
    EXPECT_EQ(lattice.Neighbour(3, TRectangularLattice::RowDown), 4);
    EXPECT_EQ(lattice.Neighbour(2, TRectangularLattice::NextColumn), 6);
    EXPECT_EQ(lattice.Neighbour(3, TRectangularLattice::NextColumn), 6); // 7 is empty
    EXPECT_EQ(lattice.Neighbour(0, TRectangularLattice::RowUp), 0);
    EXPECT_EQ(lattice.Neighbour(0, TRectangularLattice::PreviousColumn), 0);
    EXPECT_EQ(lattice.Neighbour(4, TRectangularLattice::RowUp), 3);
    EXPECT_EQ(lattice.Neighbour(5, TRectangularLattice::PreviousColumn), 1);
    EXPECT_EQ(lattice.Neighbour(6, TRectangularLattice::RowDown), 6);
    EXPECT_THROW(lattice.Neighbour(-1, TRectangularLattice::RowDown), EAssertionFailed);
    EXPECT_THROW(lattice.Neighbour(0, 4), EAssertionFailed);
}

TEST(Lattice, FrameSurroundsTheTilesJustBehindThem) {
    TRectangularLattice lattice(TVector3{1, 2, 3}, 20, 1);
    EXPECT_EQ(lattice.GetWidth(), 0);
    TQuad f;
    lattice.ComputeFrame(f);
    EXPECT_NEAR(lattice.GetWidth(), 1.5f, 1e-5f);
    EXPECT_NEAR(f[2].y - f[0].y, 9 * 0.106f + 0.304f, 1e-5f);
    EXPECT_TRUE(VectorNear(f[1], TVector3{f[0].x + 1.5f, f[0].y, f[0].z}));
    EXPECT_TRUE(VectorNear(f[3], TVector3{f[1].x, f[2].y, f[0].z}));
    EXPECT_NEAR(f[0].z, 3 - 0.002f, 1e-6f);

    TVector3 center;
    TVector3 topCenter;
    lattice.GetCenter(center);
    lattice.GetTopCenter(topCenter);
    EXPECT_TRUE(VectorNear(center, TVector3{(f[0].x + f[3].x) / 2, (f[0].y + f[3].y) / 2, f[0].z}));
    EXPECT_TRUE(VectorNear(topCenter, TVector3{center.x, f[2].y, f[0].z}));
}

TEST(Lattice, PageMarksAreSetByEveryMoveAndTakenOnce) {
    TRectangularLattice lattice(TVector3{}, 20, 3);
    EXPECT_TRUE(lattice.TakePageChanged(2));
    EXPECT_FALSE(lattice.TakePageChanged(2));
    lattice.SetOrigin(TVector3{1, 0, 0});
    EXPECT_TRUE(lattice.TakePageChanged(2));
    lattice.TranslateY(1);
    EXPECT_TRUE(lattice.TakePageChanged(2));
    lattice.SetItemCount(5, 4);
    EXPECT_TRUE(lattice.TakePageChanged(3));
    EXPECT_THROW(lattice.TakePageChanged(4), EAssertionFailed);
    EXPECT_THROW(lattice.TakePageChanged(-1), EAssertionFailed);
}

TEST(Lattice, RotationTurnsAboutTheCentreAndResetReturnsHome) {
    TRectangularLattice lattice(TVector3{}, 20, 1);
    TQuad f;
    lattice.ComputeFrame(f);
    TVector3 center;
    lattice.GetCenter(center);

    lattice.RotateAroundY(std::numbers::pi_v<float>);
    TVector3 u;
    TVector3 v;
    lattice.GetAxes(u, v);
    EXPECT_TRUE(VectorNear(u, TVector3{-1, 0, 0}));
    EXPECT_TRUE(VectorNear(v, TVector3{0, 1, 0}));
    TQuad turned;
    lattice.ComputeFrame(turned);
    TVector3 turnedCenter;
    lattice.GetCenter(turnedCenter);
    EXPECT_TRUE(VectorNear(turnedCenter, center));

    lattice.RotateAroundU(0.5f);
    lattice.GetAxes(u, v);
    EXPECT_TRUE(VectorNear(u, TVector3{-1, 0, 0}));

    lattice.ResetOrientation();
    lattice.GetAxes(u, v);
    EXPECT_TRUE(SameVector(u, TVector3{1, 0, 0}));
    EXPECT_TRUE(SameVector(v, TVector3{0, 1, 0}));
    TVector3 origin;
    lattice.GetOrigin(origin);
    EXPECT_TRUE(SameVector(origin, TVector3{}));
}

TEST(Lattice, TranslationMovesOriginCentreAndHome) {
    TRectangularLattice lattice(TVector3{}, 4, 1);
    TQuad f;
    lattice.ComputeFrame(f);
    TVector3 before;
    lattice.GetCenter(before);
    lattice.TranslateX(2);
    lattice.RotateAroundX(0.3f);
    lattice.ResetOrientation();
    TVector3 origin;
    TVector3 center;
    lattice.GetOrigin(origin);
    lattice.GetCenter(center);
    EXPECT_TRUE(VectorNear(origin, TVector3{2, 0, 0}));
    EXPECT_TRUE(VectorNear(center, TVector3{before.x + 2, before.y, before.z}));
}

TEST(Lattice, EmptyLatticeLaysOutLikeOneItem) {
    TRectangularLattice lattice(TVector3{}, 0, 1);
    TQuad f;
    lattice.ComputeFrame(f);
    EXPECT_NEAR(lattice.GetWidth(), 1.5f, 1e-5f);
    EXPECT_FLOAT_EQ(lattice.GetHeight(), 0.318f);
    EXPECT_EQ(lattice.Neighbour(0, TRectangularLattice::RowDown), 0);
    TQuad q;
    EXPECT_THROW(lattice.GetFacingIconQuad(0, q), EAssertionFailed);
}
