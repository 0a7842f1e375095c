#include "space/Camera.h"
#include "space_vector_expect.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

TGeomCamera InitialCamera() {
    return TGeomCamera(1.25f, -0.75f, 5.0f);
}

TVector3 DirectionOf(const TGeomCamera& camera) {
    TVector3 d;
    camera.GetDirection(d);
    return d;
}

TVector3 UpOf(const TGeomCamera& camera) {
    TVector3 u;
    camera.GetUp(u);
    return u;
}

TVector3 PositionOf(const TGeomCamera& camera) {
    TVector3 p;
    camera.GetPosition(p);
    return p;
}

// Up is unit, perpendicular to Direction, in the vertical plane through it and not upside down.
void ExpectLevel(const TGeomCamera& camera) {
    const TVector3 d = DirectionOf(camera);
    const TVector3 u = UpOf(camera);
    EXPECT_NEAR(VectorLength(u), 1, 1e-5f);
    EXPECT_NEAR(VectorDot(d, u), 0, 1e-5f);
    EXPECT_NEAR(-d.z * u.x + d.x * u.z, 0, 1e-5f);
    EXPECT_GE(u.y, 0);
}

using TMatrix4d = std::array<double, 16>;

TMatrix4d Multiply(const TMatrix4d& a, const TMatrix4d& b) {
    TMatrix4d r{};
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            for (int k = 0; k < 4; ++k)
                r[col * 4 + row] += a[k * 4 + row] * b[col * 4 + k];
    return r;
}

// The matrix gluLookAt builds: f = normalised(centre - eye), s = normalised(f x up),
// u = s x f; rows s, u, -f, then a translation by -eye multiplied on the right.
TMatrix4d ReferenceLookAt(const TVector3& eye, const TVector3& centre, const TVector3& up) {
    double f[3] = {double(centre.x) - eye.x, double(centre.y) - eye.y, double(centre.z) - eye.z};
    const double fl = std::sqrt(f[0] * f[0] + f[1] * f[1] + f[2] * f[2]);
    for (double& c : f)
        c /= fl;
    double s[3] = {f[1] * up.z - f[2] * up.y, f[2] * up.x - f[0] * up.z, f[0] * up.y - f[1] * up.x};
    const double sl = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
    for (double& c : s)
        c /= sl;
    const double u[3] = {s[1] * f[2] - s[2] * f[1], s[2] * f[0] - s[0] * f[2],
                         s[0] * f[1] - s[1] * f[0]};
    TMatrix4d rotation{};
    for (int k = 0; k < 3; ++k) {
        rotation[k * 4 + 0] = s[k];
        rotation[k * 4 + 1] = u[k];
        rotation[k * 4 + 2] = -f[k];
    }
    rotation[15] = 1;
    TMatrix4d translation{};
    translation[0] = translation[5] = translation[10] = translation[15] = 1;
    translation[12] = -eye.x;
    translation[13] = -eye.y;
    translation[14] = -eye.z;
    return Multiply(rotation, translation);
}

} // namespace

TEST(Camera, LookAtFromTheInitialState) {
    TGeomCamera camera = InitialCamera();
    camera.LookAt(TVector3{1.25f, -0.75f, 0});
    EXPECT_TRUE(SameVector(DirectionOf(camera), TVector3{0, 0, -1}));
    EXPECT_TRUE(SameVector(UpOf(camera), TVector3{0, 1, 0}));

    camera.LookAt(TVector3{2.25f, -0.75f, 5});
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{1, 0, 0}));
    EXPECT_TRUE(VectorNear(UpOf(camera), TVector3{0, 1, 0}));
}

TEST(Camera, LookAtIgnoresPointsAtTheEye) {
    TGeomCamera camera = InitialCamera();
    camera.LookAt(TVector3{1.25f, -0.75f + 0.00005f, 5});
    EXPECT_TRUE(SameVector(DirectionOf(camera), TVector3{0, 0, -1}));
}

TEST(Camera, LookingStraightUpKeepsUpAsTheTurnLeftIt) {
    TGeomCamera camera = InitialCamera();
    camera.LookAt(TVector3{1.25f, 10, 5});
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{0, 1, 0}));
    // The turn tips Up over to +z; levelling would have flipped it to -z.
    EXPECT_TRUE(VectorNear(UpOf(camera), TVector3{0, 0, 1}));
}

TEST(Camera, LookingStraightBackTurnsAboutUp) {
    TGeomCamera camera = InitialCamera();
    camera.LookAt(TVector3{1.25f, -0.75f, 9});
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{0, 0, 1}));
    EXPECT_TRUE(VectorNear(UpOf(camera), TVector3{0, 1, 0}));
}

TEST(Camera, LookAtLevelsTheHorizon) {
    TGeomCamera camera = InitialCamera();
    const TVector3 points[] = {{3, 2, -1}, {-4, -3, 2}, {1.3f, 8, 4.9f}, {0, -2, 20}};
    for (const TVector3& p : points) {
        camera.LookAt(p);
        TVector3 toPoint;
        VectorDifference(p, PositionOf(camera), toPoint);
        VectorNormalize(toPoint);
        EXPECT_TRUE(VectorNear(DirectionOf(camera), toPoint));
        ExpectLevel(camera);
    }
}

TEST(Camera, OnlySetTargetTurnsTheCamera) {
    TGeomCamera camera = InitialCamera();
    camera.SetPosition(TVector3{5, 5, 5});
    EXPECT_TRUE(SameVector(PositionOf(camera), TVector3{5, 5, 5}));
    EXPECT_TRUE(SameVector(DirectionOf(camera), TVector3{0, 0, -1}));

    camera.SetTarget(TVector3{5, 5, 0});
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{0, 0, -1}));
    camera.SetTarget(TVector3{9, 5, 5});
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{1, 0, 0}));
    TVector3 target;
    TVector3 offset;
    camera.GetTarget(target);
    camera.GetTargetOffset(offset);
    EXPECT_TRUE(SameVector(target, TVector3{9, 5, 5}));
    EXPECT_TRUE(SameVector(offset, TVector3{4, 0, 0}));
}

TEST(Camera, MovesAlongItsOwnAxes) {
    TGeomCamera camera(0, 0, 0);
    camera.MoveSideways(1);
    EXPECT_TRUE(VectorNear(PositionOf(camera), TVector3{-1, 0, 0}));
    camera.MoveForward(2);
    EXPECT_TRUE(VectorNear(PositionOf(camera), TVector3{-1, 0, -2}));
    camera.MoveUp(0.5f);
    camera.MoveX(1);
    camera.MoveY(-0.5f);
    EXPECT_TRUE(VectorNear(PositionOf(camera), TVector3{0, 0, -2}));
}

TEST(Camera, OrbitKeepsTheTargetInView) {
    TGeomCamera camera(0, 0, 5);
    camera.SetTarget(TVector3{});
    camera.OrbitAroundVertical(std::numbers::pi_v<float> / 2);
    EXPECT_TRUE(VectorNear(PositionOf(camera), TVector3{-5, 0, 0}));
    EXPECT_TRUE(VectorNear(DirectionOf(camera), TVector3{1, 0, 0}));

    camera.OrbitAroundSide(0.3f);
    TVector3 toTarget;
    VectorNegate(PositionOf(camera), toTarget);
    EXPECT_NEAR(VectorLength(toTarget), 5, 1e-5f);
    VectorNormalize(toTarget);
    EXPECT_TRUE(VectorNear(DirectionOf(camera), toTarget));
    EXPECT_NEAR(VectorDot(DirectionOf(camera), UpOf(camera)), 0, 1e-6f);
}

TEST(Camera, ViewMatrixIsTheLookAtTransform) {
    TGeomCamera camera = InitialCamera();
    const TVector3 targets[] = {{1.25f, -0.75f, 0}, {3, 2, -1}, {-4, -3, 2}, {0.5f, 9, 4}};
    for (const TVector3& target : targets) {
        camera.SetTarget(target);
        const TVector3 eye = PositionOf(camera);
        TVector3 centre = eye;
        VectorAdd(centre, DirectionOf(camera));
        const TMatrix4d expected = ReferenceLookAt(eye, centre, UpOf(camera));
        TMatrix4 view;
        camera.GetViewMatrix(view);
        for (int k = 0; k < 16; ++k)
            EXPECT_NEAR(view[k], expected[k], 1e-5) << "element " << k;

        // The eye lands on the origin and the target on the negative z axis.
        TVector3 p;
        TransformPoint(eye, view, p);
        EXPECT_TRUE(VectorNear(p, TVector3{}));
        TransformPoint(target, view, p);
        TVector3 offset;
        VectorDifference(target, eye, offset);
        EXPECT_TRUE(VectorNear(p, TVector3{0, 0, -VectorLength(offset)}, 1e-4f));
    }
}
