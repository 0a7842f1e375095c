#pragma once
// Slides the panels of all open levels from their places to those of another arrangement,
// while the camera keeps looking at the focused level.
#include "space/AnimationTimer.h"
#include "space/Camera.h"
#include "space/HighLayoutEnumerators.h"
#include "space/RectangularLattice.h"

#include <cstdint>
#include <functional>
#include <vector>

class THighLayoutSwapAnimator {
public:
    using TFinishedProc = std::function<void(THighLayoutSwapAnimator& sender)>;

    // layouts: the lattices of the open levels in level order (not owned). Works out every
    // layout's place in newEnumerator's arrangement, puts each back where it was and starts
    // timer LayoutSwapTimerId. A focusIndex outside layouts leaves the camera alone; the
    // focused layout must be a TRectangularLattice.
    THighLayoutSwapAnimator(TAnimationTimer& timer, int32_t focusIndex, TGeomCamera& camera,
                            std::vector<TLayoutManager*> layouts,
                            THighLayoutEnumerator& newEnumerator, uint32_t steps,
                            TFinishedProc onFinished);
    ~THighLayoutSwapAnimator();
    THighLayoutSwapAnimator(const THighLayoutSwapAnimator&) = delete;
    THighLayoutSwapAnimator& operator=(const THighLayoutSwapAnimator&) = delete;

    // Moves every layout one step; the tick after the last step stops the timer and then
    // calls OnFinished once. OnFinished may destroy the animator.
    void Tick();

    int32_t GetFocusIndex() const { return FocusIndex; }
    bool Finished() const { return FFinished; }
    bool TimerActive() const { return FTimerActive; }

private:
    struct TTrack {
        TVector3 From;
        TVector3 To;
        TVector3 Delta;
    };

    void FollowFocus();

    TAnimationTimer& Timer;
    std::vector<TLayoutManager*> Layouts;
    TGeomCamera& AnimatedCamera;
    THighLayoutEnumerator& NewEnumerator;
    uint32_t Step = 0;
    int32_t FocusIndex = -1;
    TRectangularLattice* FocusLattice = nullptr;
    TFinishedProc OnFinished;
    std::vector<TTrack> Tracks;
    uint32_t Steps = 0;
    bool FTimerActive = false;
    bool FFinished = false;
};
