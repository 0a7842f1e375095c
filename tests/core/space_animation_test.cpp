#include "space/CameraAnimator.h"
#include "space/HighLayoutEnumerators.h"
#include "space/LayoutSwapAnimator.h"
#include "space_vector_expect.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class TFakeTimer : public TAnimationTimer {
public:
    bool Start(uint32_t timerId) override {
        Started.push_back(timerId);
        return StartSucceeds;
    }
    void Stop(uint32_t timerId) override { Stopped.push_back(timerId); }
    void Redraw() override { ++Redraws; }

    bool StartSucceeds = true;
    std::vector<uint32_t> Started;
    std::vector<uint32_t> Stopped;
    int Redraws = 0;
};

TVector3 PositionOf(const TGeomCamera& camera) {
    TVector3 p;
    camera.GetPosition(p);
    return p;
}

TVector3 TargetOf(const TGeomCamera& camera) {
    TVector3 t;
    camera.GetTarget(t);
    return t;
}

TVector3 OriginOf(const TLayoutManager& layout) {
    TVector3 p;
    layout.GetOrigin(p);
    return p;
}

// Lattices of 20 items with their frames, laid out flat.
struct TFlatLevels {
    explicit TFlatLevels(int count) {
        for (int i = 0; i < count; ++i) {
            Lattices.push_back(std::make_unique<TRectangularLattice>(TVector3{}, 20, 1));
            TQuad frame;
            Lattices.back()->ComputeFrame(frame);
            Flat.PlaceNext(Lattices.back().get());
            Layouts.push_back(Lattices.back().get());
        }
    }
    TFlatColumnMajorHLE Flat{3.18f};
    std::vector<std::unique_ptr<TRectangularLattice>> Lattices;
    std::vector<TLayoutManager*> Layouts;
};

} // namespace

TEST(CameraFlight, TenStepsEndExactlyOnTheEndValuesAndFinishOnTheEleventhTick) {
    TCameraFlightState inFlight;
    TFakeTimer timer;
    TGeomCamera camera(1.25f, -0.75f, 5);
    const TVector3 targetTo{0.1f, 0.3f, -0.7f};
    const TVector3 positionTo{0.3f, -0.1f, 1.3f};
    int finished = 0;
    TCameraAnimator flight(inFlight, timer, camera, targetTo, positionTo, 10,
                           [&](TCameraAnimator&) { ++finished; });
    EXPECT_TRUE(inFlight.Animating());
    EXPECT_EQ(timer.Started, std::vector<uint32_t>{CameraFlightTimerId});
    EXPECT_TRUE(flight.TimerActive());

    flight.Tick();
    EXPECT_TRUE(VectorNear(PositionOf(camera), TVector3{1.155f, -0.685f, 4.63f}));
    EXPECT_TRUE(VectorNear(TargetOf(camera), TVector3{0.01f, 0.03f, -0.07f}));
    for (int tick = 2; tick <= 10; ++tick)
        flight.Tick();
    EXPECT_TRUE(SameVector(PositionOf(camera), positionTo));
    EXPECT_TRUE(SameVector(TargetOf(camera), targetTo));
    EXPECT_EQ(timer.Redraws, 10);
    EXPECT_EQ(finished, 0);
    EXPECT_TRUE(timer.Stopped.empty());

    flight.Tick();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(timer.Stopped, std::vector<uint32_t>{CameraFlightTimerId});
    EXPECT_FALSE(flight.TimerActive());
    EXPECT_TRUE(flight.Finished());
    // Finishing does not end the flight; destroying the animator does.
    EXPECT_TRUE(inFlight.Animating());

    flight.Tick();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(timer.Redraws, 10);
}

TEST(CameraFlight, ASecondAnimatorDuringAFlightStaysIdle) {
    TCameraFlightState inFlight;
    TFakeTimer timer;
    TGeomCamera camera(0, 0, 5);
    int finished = 0;
    auto first = std::make_unique<TCameraAnimator>(inFlight, timer, camera, TVector3{},
                                                   TVector3{0, 0, 4}, 2, nullptr);
    {
        TCameraAnimator idle(inFlight, timer, camera, TVector3{9, 9, 9}, TVector3{9, 9, 8}, 2,
                             [&](TCameraAnimator&) { ++finished; });
        EXPECT_FALSE(idle.Started());
        EXPECT_EQ(timer.Started.size(), 1u);
        for (int tick = 0; tick < 4; ++tick)
            idle.Tick();
        EXPECT_TRUE(SameVector(PositionOf(camera), TVector3{0, 0, 5}));
        EXPECT_EQ(finished, 0);
    }
    // The idle one's end leaves the running flight in charge.
    EXPECT_TRUE(inFlight.Animating());
    EXPECT_TRUE(timer.Stopped.empty());

    first.reset();
    EXPECT_FALSE(inFlight.Animating());
    EXPECT_EQ(timer.Stopped, std::vector<uint32_t>{CameraFlightTimerId});

    TCameraAnimator next(inFlight, timer, camera, TVector3{}, TVector3{0, 0, 3}, 2, nullptr);
    EXPECT_TRUE(next.Started());
}

TEST(CameraFlight, FailedTimerIsNotStoppedAndFinishingMayFreeTheAnimator) {
    TCameraFlightState inFlight;
    TFakeTimer timer;
    timer.StartSucceeds = false;
    TGeomCamera camera(0, 0, 5);
    std::unique_ptr<TCameraAnimator> flight;
    flight =
        std::make_unique<TCameraAnimator>(inFlight, timer, camera, TVector3{}, TVector3{0, 0, 4}, 1,
                                          [&](TCameraAnimator&) { flight.reset(); });
    EXPECT_FALSE(flight->TimerActive());
    flight->Tick();
    flight->Tick();
    EXPECT_EQ(flight, nullptr);
    EXPECT_TRUE(timer.Stopped.empty());
    EXPECT_FALSE(inFlight.Animating());
}

TEST(LayoutSwap, EachTickMovesEveryLayoutAnEighthAndTheCameraFollows) {
    TFlatLevels levels(5);
    std::vector<TVector3> from;
    for (TLayoutManager* layout : levels.Layouts)
        from.push_back(OriginOf(*layout));
    TFakeTimer timer;
    TGeomCamera camera(1.25f, -0.75f, 5);
    TZStackHLE stack;
    int finished = 0;
    THighLayoutSwapAnimator swap(timer, 3, camera, levels.Layouts, stack, 8,
                                 [&](THighLayoutSwapAnimator&) { ++finished; });
    EXPECT_EQ(timer.Started, std::vector<uint32_t>{LayoutSwapTimerId});
    for (size_t i = 0; i < from.size(); ++i)
        EXPECT_TRUE(SameVector(OriginOf(*levels.Layouts[i]), from[i])) << i;

    swap.Tick();
    for (size_t i = 0; i < from.size(); ++i) {
        const TVector3 to{0.08f * i, -0.08f * i, 0.04f * i};
        const TVector3 eighth{from[i].x + (to.x - from[i].x) / 8,
                              from[i].y + (to.y - from[i].y) / 8,
                              from[i].z + (to.z - from[i].z) / 8};
        EXPECT_TRUE(VectorNear(OriginOf(*levels.Layouts[i]), eighth)) << i;
    }
    for (int tick = 2; tick <= 8; ++tick)
        swap.Tick();
    for (size_t i = 0; i < from.size(); ++i) {
        const TVector3 to{0.08f * i, -0.08f * i, 0.04f * i};
        EXPECT_TRUE(VectorNear(OriginOf(*levels.Layouts[i]), to, 1e-6f)) << i;
    }
    TVector3 target;
    TVector3 position;
    stack.GetCameraTarget(*levels.Layouts[3], target);
    stack.GetCameraPosition(*levels.Layouts[3], position);
    EXPECT_TRUE(SameVector(TargetOf(camera), target));
    EXPECT_TRUE(SameVector(PositionOf(camera), position));
    EXPECT_EQ(timer.Redraws, 8);
    EXPECT_EQ(finished, 0);

    swap.Tick();
    swap.Tick();
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(timer.Stopped, std::vector<uint32_t>{LayoutSwapTimerId});
}

TEST(LayoutSwap, FocusOutsideTheLayoutsLeavesTheCameraAlone) {
    for (int32_t focus : {-3, 2, 7}) {
        TFlatLevels levels(2);
        TFakeTimer timer;
        TGeomCamera camera(1.25f, -0.75f, 5);
        TZStackHLE stack;
        THighLayoutSwapAnimator swap(timer, focus, camera, levels.Layouts, stack, 8, nullptr);
        EXPECT_EQ(swap.GetFocusIndex(), -1);
        for (int tick = 0; tick < 9; ++tick)
            swap.Tick();
        EXPECT_TRUE(VectorNear(OriginOf(*levels.Layouts[1]), TVector3{0.08f, -0.08f, 0.04f}));
        EXPECT_TRUE(SameVector(PositionOf(camera), TVector3{1.25f, -0.75f, 5}));
        EXPECT_TRUE(swap.Finished());
    }
}

TEST(LayoutSwap, DestroyingARunningSwapStopsItsTimer) {
    TFlatLevels levels(1);
    TFakeTimer timer;
    TGeomCamera camera(0, 0, 5);
    TZStackHLE stack;
    {
        THighLayoutSwapAnimator swap(timer, 0, camera, levels.Layouts, stack, 8, nullptr);
        swap.Tick();
    }
    EXPECT_EQ(timer.Stopped, std::vector<uint32_t>{LayoutSwapTimerId});
}
