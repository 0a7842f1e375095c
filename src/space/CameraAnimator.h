#pragma once
// A camera flight: the eye and the look-at point move linearly from where they are to new
// values in a fixed number of timer steps.
#include "space/AnimationTimer.h"
#include "space/Camera.h"

#include <cstdint>
#include <functional>

// Whether the camera is in flight: from the start of a flight until the animator that started
// it is destroyed. Shared by the animators of one camera, so that one flight runs at a time.
class TCameraFlightState {
public:
    bool Animating() const { return FAnimating; }

private:
    friend class TCameraAnimator;
    bool FAnimating = false;
};

class TCameraAnimator {
public:
    using TFinishedProc = std::function<void(TCameraAnimator& sender)>;

    // Starts the flight on timer CameraFlightTimerId, unless another flight's animator still
    // exists: then this one stays idle and its ticks do nothing.
    TCameraAnimator(TCameraFlightState& flight, TAnimationTimer& timer, TGeomCamera& camera,
                    const TVector3& targetTo, const TVector3& positionTo, uint32_t steps,
                    TFinishedProc onFinished);
    ~TCameraAnimator();
    TCameraAnimator(const TCameraAnimator&) = delete;
    TCameraAnimator& operator=(const TCameraAnimator&) = delete;

    // One step of both tracks; the tick after the last step stops the timer and then calls
    // OnFinished once. OnFinished may destroy the animator.
    void Tick();

    // Whether this animator owns the flight (false when it was created during another one).
    bool Started() const { return FStarted; }
    bool Finished() const { return FFinished; }
    bool TimerActive() const { return FTimerActive; }

private:
    TCameraFlightState& Flight;
    TAnimationTimer& Timer;
    TGeomCamera* AnimatedCamera = nullptr;
    TVector3 TargetFrom;
    TVector3 TargetTo;
    TVector3 TargetDelta;
    uint32_t TargetStep = 0;
    TVector3 PositionFrom;
    TVector3 PositionTo;
    TVector3 PositionDelta;
    uint32_t PositionStep = 0;
    TFinishedProc OnFinished;
    uint32_t PositionSteps = 0;
    uint32_t TargetSteps = 0;
    bool FTimerActive = false;
    bool FStarted = false;
    bool FFinished = false;
};
