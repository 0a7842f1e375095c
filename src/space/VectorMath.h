#pragma once
// Single-precision vectors and column-major 4x4 matrices for all scene geometry.
// World axes: x right, y up, z towards the viewer.
#include <array>

struct TVector3 {
    float x = 0;
    float y = 0;
    float z = 0;
};

// Used only to fill one row of a matrix.
struct TVector4 {
    float x = 0;
    float y = 0;
    float z = 0;
    float w = 0;
};

// OpenGL order: element k is row k % 4, column k / 4; elements 12, 13, 14 hold the translation.
using TMatrix4 = std::array<float, 16>;

// Four corners of a quad; lattice quads in strip order (bottom-left, bottom-right, top-left,
// top-right), caption quads in fan order (bottom-left, bottom-right, top-right, top-left).
using TQuad = std::array<TVector3, 4>;

TVector3 MakeVector(float x, float y, float z);
void VectorCopy(TVector3& dst, const TVector3& src);
void VectorAdd(TVector3& a, const TVector3& b);
void VectorSubtract(TVector3& a, const TVector3& b);
// r := a - b
void VectorDifference(const TVector3& a, const TVector3& b, TVector3& r);
void VectorNegate(const TVector3& a, TVector3& r);
void VectorScale(TVector3& a, float s);
// a := a + s * b
void VectorScaleAdd(TVector3& a, const TVector3& b, float s);
float VectorDot(const TVector3& a, const TVector3& b);
// r := a x b; r may alias a or b.
void VectorCross(const TVector3& a, const TVector3& b, TVector3& r);
float VectorLengthSq(const TVector3& a);
float VectorLength(const TVector3& a);
float VectorDistance(const TVector3& a, const TVector3& b);
float InvSqrt(float x);
// The normalising functions need a non-zero vector.
void VectorNormalize(TVector3& a);
void VectorNormalized(const TVector3& a, TVector3& r);
// Moves a by distance t along the line from b through a (negative t: towards b); a != b.
void MoveAwayFrom(TVector3& a, const TVector3& b, float t);
// arccos in radians; |x| <= 1.
float ArcCosSingle(float x);
void SinCosSingle(float angle, float& s, float& c);

// Row i (0..3) of the column-major matrix: m[i], m[i+4], m[i+8], m[i+12].
void MatrixSetRow(TMatrix4& m, int i, const TVector4& v);
// r := m * (p, 1) without perspective division; r may alias p.
void TransformPoint(const TVector3& p, const TMatrix4& m, TVector3& r);
// Turns a point by -angle about the axis by the right-hand rule, i.e. a positive angle turns
// clockwise when seen from the axis tip towards the origin. The axis need not be unit length.
void AxisAngleMatrix(const TVector3& axis, float angle, TMatrix4& m);
// The axis passes through the origin.
void RotatePointAroundAxis(TVector3& p, const TVector3& axis, float angle);
// c1 := p + a*u; c2 := c1 + b*v; c3 := p + b*v. With p as the fourth corner, p, c1, c2, c3
// trace the rectangle spanned by a*u and b*v.
void QuadCorners(const TVector3& p, const TVector3& u, const TVector3& v, float a, float b,
                 TVector3& c1, TVector3& c2, TVector3& c3);
