#include "base/Errors.h"
#include "space/HighLayoutEnumerators.h"
#include "space/RectangularLattice.h"
#include "space_vector_expect.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<TRectangularLattice>> FramedLattices(int count, int32_t items) {
    std::vector<std::unique_ptr<TRectangularLattice>> lattices;
    for (int i = 0; i < count; ++i) {
        lattices.push_back(std::make_unique<TRectangularLattice>(TVector3{}, items, 1));
        TQuad frame;
        lattices.back()->ComputeFrame(frame);
    }
    return lattices;
}

TVector3 OriginOf(const TLayoutManager& layout) {
    TVector3 p;
    layout.GetOrigin(p);
    return p;
}

} // namespace

TEST(FlatLayout, StartsANewColumnAfterThePanelThatCrossesTheLimit) {
    auto lattices = FramedLattices(5, 20);
    TFlatColumnMajorHLE flat(3.18f);
    flat.Reset();
    for (auto& lattice : lattices)
        flat.PlaceNext(lattice.get());
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[0]), TVector3{0, 0, 0}));
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[1]), TVector3{0, -1.272f, 0}));
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[2]), TVector3{0, -2.544f, 0}));
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[3]), TVector3{1.52f, 0, 0}));
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[4]), TVector3{1.52f, -1.272f, 0}));
    EXPECT_EQ(flat.GetPlacedCount(), 5);

    flat.Reset();
    flat.PlaceNext(lattices[4].get());
    EXPECT_TRUE(SameVector(OriginOf(*lattices[4]), TVector3{}));
}

TEST(FlatLayout, RefusesMissingOrUnframedLayouts) {
    TFlatColumnMajorHLE flat(0.1f);
    EXPECT_THROW(flat.PlaceNext(nullptr), EAssertionFailed);
    TRectangularLattice unframed(TVector3{}, 20, 1);
    EXPECT_THROW(flat.PlaceNext(&unframed), EAssertionFailed);
}

TEST(FlatLayout, CameraLooksAtThePanelCentreFromTheFront) {
    auto lattices = FramedLattices(1, 20);
    TFlatColumnMajorHLE flat(3.18f);
    TVector3 center;
    TVector3 target;
    TVector3 position;
    lattices[0]->GetCenter(center);
    flat.GetCameraTarget(*lattices[0], target);
    flat.GetCameraPosition(*lattices[0], position);
    EXPECT_TRUE(SameVector(target, center));
    EXPECT_TRUE(VectorNear(position, TVector3{center.x, center.y + 0.053f, center.z + 1.52f}));
}

TEST(StackedLayout, CascadesPanelsInDepth) {
    auto lattices = FramedLattices(3, 20);
    TZStackHLE stack;
    stack.Reset();
    for (auto& lattice : lattices)
        stack.PlaceNext(lattice.get());
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[1]), TVector3{0.08f, -0.08f, 0.04f}));
    EXPECT_TRUE(VectorNear(OriginOf(*lattices[2]), TVector3{0.16f, -0.16f, 0.08f}));
    EXPECT_THROW(stack.PlaceNext(nullptr), EAssertionFailed);
}

TEST(StackedLayout, CameraLooksBelowTheTopEdge) {
    auto lattices = FramedLattices(1, 20);
    TZStackHLE stack;
    TVector3 top;
    TVector3 target;
    TVector3 position;
    lattices[0]->GetTopCenter(top);
    stack.GetCameraTarget(*lattices[0], target);
    stack.GetCameraPosition(*lattices[0], position);
    EXPECT_TRUE(VectorNear(target, TVector3{top.x, top.y - 0.38f, top.z}));
    EXPECT_TRUE(
        VectorNear(position, TVector3{target.x - 0.076f, target.y + 0.152f, target.z + 1.52f}));
}
