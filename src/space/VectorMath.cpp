#include "space/VectorMath.h"

#include <cmath>
#include <numbers>

TVector3 MakeVector(float x, float y, float z) {
    return TVector3{x, y, z};
}

void VectorCopy(TVector3& dst, const TVector3& src) {
    dst = src;
}

void VectorAdd(TVector3& a, const TVector3& b) {
    a.x += b.x;
    a.y += b.y;
    a.z += b.z;
}

void VectorSubtract(TVector3& a, const TVector3& b) {
    a.x -= b.x;
    a.y -= b.y;
    a.z -= b.z;
}

void VectorDifference(const TVector3& a, const TVector3& b, TVector3& r) {
    r = TVector3{a.x - b.x, a.y - b.y, a.z - b.z};
}

void VectorNegate(const TVector3& a, TVector3& r) {
    r = TVector3{-a.x, -a.y, -a.z};
}

void VectorScale(TVector3& a, float s) {
    a.x *= s;
    a.y *= s;
    a.z *= s;
}

void VectorScaleAdd(TVector3& a, const TVector3& b, float s) {
    a.x += s * b.x;
    a.y += s * b.y;
    a.z += s * b.z;
}

float VectorDot(const TVector3& a, const TVector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

void VectorCross(const TVector3& a, const TVector3& b, TVector3& r) {
    r = TVector3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float VectorLengthSq(const TVector3& a) {
    return VectorDot(a, a);
}

float VectorLength(const TVector3& a) {
    return std::sqrt(VectorLengthSq(a));
}

float VectorDistance(const TVector3& a, const TVector3& b) {
    TVector3 d;
    VectorDifference(b, a, d);
    return VectorLength(d);
}

float InvSqrt(float x) {
    return 1.0f / std::sqrt(x);
}

void VectorNormalize(TVector3& a) {
    VectorScale(a, InvSqrt(VectorLengthSq(a)));
}

void VectorNormalized(const TVector3& a, TVector3& r) {
    r = a;
    VectorNormalize(r);
}

void MoveAwayFrom(TVector3& a, const TVector3& b, float t) {
    TVector3 d;
    VectorDifference(a, b, d);
    VectorNormalize(d);
    VectorScaleAdd(a, d, t);
}

float ArcCosSingle(float x) {
    // At |x| = 1 the quotient is infinite and atan2 yields exactly +-pi/2.
    const double arcSin = std::atan2(x / std::sqrt(1.0 - double(x) * x), 1.0);
    return float(std::numbers::pi / 2 - arcSin);
}

void SinCosSingle(float angle, float& s, float& c) {
    s = std::sin(angle);
    c = std::cos(angle);
}

void MatrixSetRow(TMatrix4& m, int i, const TVector4& v) {
    m[i] = v.x;
    m[i + 4] = v.y;
    m[i + 8] = v.z;
    m[i + 12] = v.w;
}

void TransformPoint(const TVector3& p, const TMatrix4& m, TVector3& r) {
    r = TVector3{m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                 m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                 m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

void AxisAngleMatrix(const TVector3& axis, float angle, TMatrix4& m) {
    float s;
    float c;
    SinCosSingle(angle, s, c);
    const float q = 1 - c;
    TVector3 n;
    VectorNormalized(axis, n);
    const float x = n.x;
    const float y = n.y;
    const float z = n.z;
    // Storage order, one column per line.
    // clang-format off
    m = TMatrix4{q * x * x + c,     q * x * y - s * z, q * z * x + s * y, 0,
                 q * x * y + s * z, q * y * y + c,     q * y * z - s * x, 0,
                 q * z * x - s * y, q * y * z + s * x, q * z * z + c,     0,
                 0,                 0,                 0,                 1};
    // clang-format on
}

void RotatePointAroundAxis(TVector3& p, const TVector3& axis, float angle) {
    TMatrix4 m;
    AxisAngleMatrix(axis, angle, m);
    TransformPoint(p, m, p);
}

void QuadCorners(const TVector3& p, const TVector3& u, const TVector3& v, float a, float b,
                 TVector3& c1, TVector3& c2, TVector3& c3) {
    c1 = p;
    VectorScaleAdd(c1, u, a);
    c2 = c1;
    VectorScaleAdd(c2, v, b);
    c3 = p;
    VectorScaleAdd(c3, v, b);
}
