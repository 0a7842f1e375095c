#include "space/LayoutSwapAnimator.h"

#include "base/Errors.h"
#include "space/LinearTrack.h"

namespace {
constexpr const char* Module = "Animation";
}

THighLayoutSwapAnimator::THighLayoutSwapAnimator(TAnimationTimer& timer, int32_t focusIndex,
                                                 TGeomCamera& camera,
                                                 std::vector<TLayoutManager*> layouts,
                                                 THighLayoutEnumerator& newEnumerator,
                                                 uint32_t steps, TFinishedProc onFinished)
    : Timer(timer), Layouts(std::move(layouts)), AnimatedCamera(camera),
      NewEnumerator(newEnumerator), OnFinished(std::move(onFinished)), Steps(steps) {
    for (TLayoutManager* layout : Layouts)
        GMAssert(layout != nullptr, Module);
    if (focusIndex >= 0 && focusIndex < int32_t(Layouts.size())) {
        FocusIndex = focusIndex;
        FocusLattice = dynamic_cast<TRectangularLattice*>(Layouts[focusIndex]);
        GMAssert(FocusLattice != nullptr, Module);
    }

    Tracks.resize(Layouts.size());
    for (size_t i = 0; i < Layouts.size(); ++i)
        Layouts[i]->GetOrigin(Tracks[i].From);
    NewEnumerator.Reset();
    for (size_t i = 0; i < Layouts.size(); ++i) {
        NewEnumerator.PlaceNext(Layouts[i]);
        Layouts[i]->GetOrigin(Tracks[i].To);
        VectorDifference(Tracks[i].To, Tracks[i].From, Tracks[i].Delta);
    }
    // Nothing has visibly moved until the first tick.
    for (size_t i = 0; i < Layouts.size(); ++i)
        Layouts[i]->SetOrigin(Tracks[i].From);

    FTimerActive = Timer.Start(LayoutSwapTimerId);
}

THighLayoutSwapAnimator::~THighLayoutSwapAnimator() {
    if (FTimerActive)
        Timer.Stop(LayoutSwapTimerId);
}

void THighLayoutSwapAnimator::Tick() {
    if (FFinished)
        return;
    if (Step < Steps) {
        ++Step;
        for (size_t i = 0; i < Layouts.size(); ++i) {
            const TTrack& track = Tracks[i];
            Layouts[i]->SetOrigin(TrackPoint(track.From, track.To, track.Delta, Step, Steps));
        }
        if (FocusLattice)
            FollowFocus();
        Timer.Redraw();
        return;
    }
    FFinished = true;
    if (FTimerActive) {
        Timer.Stop(LayoutSwapTimerId);
        FTimerActive = false;
    }
    // Last: the handler may free this animator.
    if (TFinishedProc handler = std::move(OnFinished))
        handler(*this);
}

void THighLayoutSwapAnimator::FollowFocus() {
    // The frame's centre moves only when the frame is computed again.
    TQuad frame;
    FocusLattice->ComputeFrame(frame);
    TVector3 position;
    TVector3 target;
    NewEnumerator.GetCameraPosition(*FocusLattice, position);
    NewEnumerator.GetCameraTarget(*FocusLattice, target);
    AnimatedCamera.SetPosition(position);
    AnimatedCamera.SetTarget(target);
}
