#include "space/Camera.h"

#include "base/Errors.h"

#include <cmath>
#include <stdexcept>

TGeomCamera::TGeomCamera(float x, float y, float z) : Position{x, y, z} {}

void TGeomCamera::SetPosition(const TVector3& p) {
    Position = p;
}

void TGeomCamera::SetTarget(const TVector3& t) {
    Target = t;
    VectorDifference(t, Position, TargetOffset);
    LookAt(Target);
}

void TGeomCamera::LookAt(const TVector3& p) {
    TVector3 d;
    VectorDifference(p, Position, d);
    if (VectorLength(d) <= EPS)
        return;
    VectorNormalize(d);
    TVector3 change;
    VectorDifference(d, Direction, change);
    if (VectorLength(change) <= EPS)
        return;

    const float c = VectorDot(d, Direction);
    TVector3 axis;
    VectorCross(d, Direction, axis);
    // Looking straight back leaves no turning plane; the half turn about Up keeps Up as it is.
    if (c < 0 && VectorLength(axis) <= EPS)
        axis = Up;
    VectorNormalize(axis);
    const float angle = ArcCosSingle(std::fmax(-1.0f, std::fmin(1.0f, c)));
    RotatePointAroundAxis(Up, axis, angle);
    RotatePointAroundAxis(Direction, axis, angle);

    if (std::fabs(VectorDot(Direction, Up)) > EPS)
        throw std::runtime_error("abs(DirUpDot) > EPS ");
    LevelHorizon();
}

void TGeomCamera::LevelHorizon() {
    const float h = Direction.x * Direction.x + Direction.z * Direction.z;
    if (HorizonEps > h)
        return;
    const float l = std::sqrt(h);
    const TVector3 side{-Direction.z / l, 0, Direction.x / l};
    GMAssert(std::fabs(VectorDot(side, Direction)) < LevelCheckTolerance, "Camera");
    VectorCross(side, Direction, Up);
}

void TGeomCamera::MoveX(float d) {
    Position.x += d;
}

void TGeomCamera::MoveY(float d) {
    Position.y += d;
}

void TGeomCamera::MoveForward(float d) {
    TVector3 step;
    VectorNormalized(Direction, step);
    VectorScaleAdd(Position, step, d);
}

void TGeomCamera::MoveSideways(float d) {
    TVector3 step;
    VectorCross(Up, Direction, step);
    VectorNormalize(step);
    VectorScaleAdd(Position, step, d);
}

void TGeomCamera::MoveUp(float d) {
    TVector3 step;
    VectorNormalized(Up, step);
    VectorScaleAdd(Position, step, d);
}

namespace {

// Turns the eye, Up and Direction about the line through target along axis.
void OrbitAround(const TVector3& target, const TVector3& axis, float angle, TVector3& position,
                 TVector3& up, TVector3& direction) {
    TVector3 offset;
    VectorDifference(position, target, offset);
    RotatePointAroundAxis(offset, axis, angle);
    RotatePointAroundAxis(up, axis, angle);
    RotatePointAroundAxis(direction, axis, angle);
    position = target;
    VectorAdd(position, offset);
}

} // namespace

void TGeomCamera::OrbitAroundVertical(float angle) {
    OrbitAround(Target, TVector3{0, 1, 0}, angle, Position, Up, Direction);
}

void TGeomCamera::OrbitAroundSide(float angle) {
    TVector3 side;
    VectorCross(Direction, Up, side);
    OrbitAround(Target, side, angle, Position, Up, Direction);
}

void TGeomCamera::GetViewMatrix(TMatrix4& m) const {
    TVector3 side;
    VectorCross(Direction, Up, side);
    const TVector3 back{-Direction.x, -Direction.y, -Direction.z};
    // Rotation rows, then the eye moved to the origin: translation = -(row . Position).
    MatrixSetRow(m, 0, TVector4{side.x, side.y, side.z, -VectorDot(side, Position)});
    MatrixSetRow(m, 1, TVector4{Up.x, Up.y, Up.z, -VectorDot(Up, Position)});
    MatrixSetRow(m, 2, TVector4{back.x, back.y, back.z, -VectorDot(back, Position)});
    MatrixSetRow(m, 3, TVector4{0, 0, 0, 1});
}
