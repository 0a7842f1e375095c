#pragma once
// The one free camera of the scene: eye position, unit viewing direction and unit up vector,
// plus the remembered target that the orbit operations turn around.
#include "space/VectorMath.h"

class TGeomCamera {
public:
    // Smallest distance or direction change LookAt acts on; largest tolerated |Direction . Up|.
    static constexpr float EPS = 0.0001f;
    // LevelHorizon leaves Up alone when Direction.x^2 + Direction.z^2 is below this. A vertical
    // direction reached by a single-precision turn keeps a horizontal residue of about 4e-8
    // (squared 2e-15), so the bound must lie well above float rounding.
    static constexpr float HorizonEps = 1e-12f;
    static constexpr float LevelCheckTolerance = 0.01f;

    // Looks along -z with y up; target and target offset at zero.
    TGeomCamera(float x, float y, float z);

    void GetPosition(TVector3& p) const { p = Position; }
    void GetTarget(TVector3& t) const { t = Target; }
    void GetDirection(TVector3& d) const { d = Direction; }
    void GetUp(TVector3& u) const { u = Up; }
    void GetTargetOffset(TVector3& o) const { o = TargetOffset; }

    // Moves the eye without turning.
    void SetPosition(const TVector3& p);
    // Remembers t as the target and turns towards it.
    void SetTarget(const TVector3& t);
    // Turns Direction and Up together so that Direction points from the eye to p, then levels
    // the horizon. Throws std::runtime_error when the turn leaves Direction and Up skewed.
    void LookAt(const TVector3& p);
    // Removes any roll: Up becomes vertical-most while staying perpendicular to Direction.
    void LevelHorizon();

    void MoveX(float d);
    void MoveY(float d);
    void MoveForward(float d);
    // Positive d moves to the camera's left.
    void MoveSideways(float d);
    void MoveUp(float d);
    // Turn about the vertical line through Target.
    void OrbitAroundVertical(float angle);
    // Turn about the line through Target along Direction x Up.
    void OrbitAroundSide(float angle);

    // The view transform, equal to gluLookAt(Position, Position + Direction, Up).
    void GetViewMatrix(TMatrix4& m) const;

#ifdef _WIN32
    // Multiplies the view transform onto the GL model-view matrix.
    void Apply() const;
#endif

private:
    TVector3 Position;
    TVector3 Up{0, 1, 0};
    TVector3 Direction{0, 0, -1};
    TVector3 TargetOffset;
    TVector3 Target;
};
