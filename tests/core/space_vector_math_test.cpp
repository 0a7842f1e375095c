#include "space/VectorMath.h"
#include "space_vector_expect.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {
constexpr float HalfPi = std::numbers::pi_v<float> / 2;
}

TEST(VectorMath, CrossFollowsTheRightHandRuleAndMayAliasItsInput) {
    TVector3 a{1, 0, 0};
    TVector3 r;
    VectorCross(a, TVector3{0, 1, 0}, r);
    EXPECT_TRUE(SameVector(r, TVector3{0, 0, 1}));
    VectorCross(a, TVector3{0, 0, 1}, a);
    EXPECT_TRUE(SameVector(a, TVector3{0, -1, 0}));
}

TEST(VectorMath, PositiveRotationIsClockwiseSeenFromTheAxisTip) {
    TVector3 p{1, 0, 0};
    RotatePointAroundAxis(p, TVector3{0, 1, 0}, HalfPi);
    EXPECT_TRUE(VectorNear(p, TVector3{0, 0, 1}));
    // The axis is normalised inside, so its length does not matter.
    TVector3 q{1, 0, 0};
    RotatePointAroundAxis(q, TVector3{0, 7, 0}, HalfPi);
    EXPECT_TRUE(VectorNear(q, p));
}

TEST(VectorMath, MatrixSetRowWritesOneRowOfTheColumnMajorArray) {
    TMatrix4 m;
    m.fill(9);
    MatrixSetRow(m, 3, TVector4{0, 0, 0, 0});
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(m[k], k % 4 == 3 ? 0 : 9) << k;
}

TEST(VectorMath, QuadCornersTraceTheSpannedRectangle) {
    TVector3 c1;
    TVector3 c2;
    TVector3 c3;
    QuadCorners(TVector3{}, TVector3{1, 0, 0}, TVector3{0, 1, 0}, 2, 3, c1, c2, c3);
    EXPECT_TRUE(SameVector(c1, TVector3{2, 0, 0}));
    EXPECT_TRUE(SameVector(c2, TVector3{2, 3, 0}));
    EXPECT_TRUE(SameVector(c3, TVector3{0, 3, 0}));
}

TEST(VectorMath, MoveAwayFromGoesAlongTheLineFromTheOtherPoint) {
    TVector3 a{0, 0, 5};
    MoveAwayFrom(a, TVector3{}, 1);
    EXPECT_TRUE(SameVector(a, TVector3{0, 0, 6}));
    TVector3 b{0, 0, 5};
    MoveAwayFrom(b, TVector3{}, -1);
    EXPECT_TRUE(SameVector(b, TVector3{0, 0, 4}));
}

TEST(VectorMath, ArcCosCoversTheWholeDomain) {
    EXPECT_FLOAT_EQ(ArcCosSingle(1), 0);
    EXPECT_FLOAT_EQ(ArcCosSingle(0), HalfPi);
    EXPECT_FLOAT_EQ(ArcCosSingle(-1), std::numbers::pi_v<float>);
    EXPECT_NEAR(ArcCosSingle(0.5f), std::numbers::pi / 3, 1e-6);
}
