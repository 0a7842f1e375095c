#include "space/CameraAnimator.h"

#include "base/Errors.h"
#include "space/LinearTrack.h"

TCameraAnimator::TCameraAnimator(TCameraFlightState& flight, TAnimationTimer& timer,
                                 TGeomCamera& camera, const TVector3& targetTo,
                                 const TVector3& positionTo, uint32_t steps,
                                 TFinishedProc onFinished)
    : Flight(flight), Timer(timer) {
    if (Flight.FAnimating)
        return;
    Flight.FAnimating = true;
    FStarted = true;
    AnimatedCamera = &camera;
    OnFinished = std::move(onFinished);
    camera.GetTarget(TargetFrom);
    TargetTo = targetTo;
    VectorDifference(TargetTo, TargetFrom, TargetDelta);
    camera.GetPosition(PositionFrom);
    PositionTo = positionTo;
    VectorDifference(PositionTo, PositionFrom, PositionDelta);
    PositionSteps = steps;
    TargetSteps = steps;
    FTimerActive = Timer.Start(CameraFlightTimerId);
}

TCameraAnimator::~TCameraAnimator() {
    // An idle animator must not end the flight of the one that owns it.
    if (FStarted)
        Flight.FAnimating = false;
    if (FTimerActive)
        Timer.Stop(CameraFlightTimerId);
}

void TCameraAnimator::Tick() {
    if (FFinished)
        return;
    if (PositionStep < PositionSteps || TargetStep < TargetSteps) {
        if (PositionStep < PositionSteps) {
            ++PositionStep;
            AnimatedCamera->SetPosition(
                TrackPoint(PositionFrom, PositionTo, PositionDelta, PositionStep, PositionSteps));
        }
        if (TargetStep < TargetSteps) {
            ++TargetStep;
            AnimatedCamera->SetTarget(
                TrackPoint(TargetFrom, TargetTo, TargetDelta, TargetStep, TargetSteps));
        }
        Timer.Redraw();
        return;
    }
    GMAssert(PositionStep == PositionSteps && TargetStep == TargetSteps, "Animation");
    FFinished = true;
    if (FTimerActive) {
        Timer.Stop(CameraFlightTimerId);
        FTimerActive = false;
    }
    // Last: the handler may start the next flight or free this animator.
    if (TFinishedProc handler = std::move(OnFinished))
        handler(*this);
}
