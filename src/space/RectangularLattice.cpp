#include "space/RectangularLattice.h"

#include "base/Errors.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr const char* Module = "RegularLattices";
}

TRectangularLattice::TRectangularLattice(const TVector3& origin, int32_t itemCount,
                                         int32_t pageCount)
    : TLayoutManager(origin, itemCount), HomeOrigin(origin) {
    SetItemCount(itemCount, pageCount);
}

void TRectangularLattice::GetCenter(TVector3& p) const {
    p = Center;
}

void TRectangularLattice::GetTopCenter(TVector3& p) const {
    p = TopCenter;
}

void TRectangularLattice::SetItemCount(int32_t count, int32_t pageCount) {
    TLayoutManager::SetItemCount(count, pageCount);
    PageCount = std::max(pageCount, 0);
    PageChanged.resize(PageCount);
    InvalidatePages();
    ColumnLength = int32_t(std::ceil(count / 2.0));
    ColumnCount = 2;
}

void TRectangularLattice::InvalidatePages() {
    std::fill(PageChanged.begin(), PageChanged.end(), 1);
}

void TRectangularLattice::Rotate(const TVector3& axis, float angle, bool turnU, bool turnV) {
    const TVector3 turnAxis = axis; // axis may be one of the axes being turned
    if (turnU)
        RotatePointAroundAxis(AxisU, turnAxis, angle);
    if (turnV)
        RotatePointAroundAxis(AxisV, turnAxis, angle);
    TVector3 offset;
    VectorDifference(Origin, Center, offset);
    RotatePointAroundAxis(offset, turnAxis, angle);
    Origin = Center;
    VectorAdd(Origin, offset);
    InvalidatePages();
}

void TRectangularLattice::RotateAroundX(float angle) {
    Rotate(TVector3{1, 0, 0}, angle, true, true);
}

void TRectangularLattice::RotateAroundY(float angle) {
    Rotate(TVector3{0, 1, 0}, angle, true, true);
}

void TRectangularLattice::RotateAroundU(float angle) {
    Rotate(AxisU, angle, false, true);
}

void TRectangularLattice::RotateAroundV(float angle) {
    Rotate(AxisV, angle, true, false);
}

void TRectangularLattice::Translate(float TVector3::*component, float d) {
    Origin.*component += d;
    HomeOrigin.*component = Origin.*component;
    Center.*component += d;
    InvalidatePages();
}

void TRectangularLattice::TranslateX(float d) {
    Translate(&TVector3::x, d);
}

void TRectangularLattice::TranslateY(float d) {
    Translate(&TVector3::y, d);
}

void TRectangularLattice::TranslateZ(float d) {
    Translate(&TVector3::z, d);
}

void TRectangularLattice::GetIconQuad(int32_t i, TQuad& q) const {
    IconCorner(i, q[0]);
    QuadCorners(q[0], AxisU, AxisV, IconSize, IconSize, q[1], q[3], q[2]);
}

void TRectangularLattice::GetFacingIconQuad(int32_t /*i*/, TQuad& /*q*/) const {
    GMAssert(false, Module);
}

void TRectangularLattice::GetTitleAnchor(TVector3& p) const {
    TVector3 n;
    Normal(n);
    IconCorner(0, p);
    VectorScaleAdd(p, AxisU, 0.008f);
    VectorScaleAdd(p, AxisV, 0.15f);
    VectorScaleAdd(p, n, 0.028f);
}

void TRectangularLattice::GetPageCaptionAnchor(TVector3& p) const {
    GetTitleAnchor(p);
    VectorScaleAdd(p, AxisV, -0.04f);
}

void TRectangularLattice::GetTopRightCaptionAnchor(TVector3& p) const {
    TVector3 n;
    Normal(n);
    GetTitleAnchor(p);
    VectorScaleAdd(p, AxisU, 1.3f);
    VectorScaleAdd(p, AxisV, -0.04f);
    VectorScaleAdd(p, n, 0.002f);
}

void TRectangularLattice::GetBottomCaptionAnchor(TVector3& p) const {
    TVector3 n;
    Normal(n);
    IconCorner(2 * Rows() - 1, p);
    VectorScaleAdd(p, AxisU, 0.55f);
    VectorScaleAdd(p, AxisV, -0.08f);
    VectorScaleAdd(p, n, 0.002f);
}

void TRectangularLattice::GetItemCaptionAnchor(int32_t i, TVector3& p) const {
    TVector3 n;
    Normal(n);
    IconCorner(i, p);
    VectorScaleAdd(p, AxisU, 0.1f);
    VectorScaleAdd(p, AxisV, 0.02f);
    VectorScaleAdd(p, n, 0.002f);
}

void TRectangularLattice::SetOrigin(const TVector3& p) {
    InvalidatePages();
    Origin = p;
    HomeOrigin = p;
}

bool TRectangularLattice::TakePageChanged(int32_t page) {
    GMAssert(page >= 0 && page < PageCount, Module);
    const bool changed = PageChanged[page] != 0;
    PageChanged[page] = 0;
    return changed;
}

float TRectangularLattice::GetHeight() const {
    TVector3 first;
    TVector3 last;
    CellOrigin(0, first);
    CellOrigin(Rows() - 1, last);
    return VectorDistance(first, last) + HeightMargin;
}

float TRectangularLattice::GetWidth() const {
    return Width;
}

void TRectangularLattice::ResetOrientation() {
    TLayoutManager::ResetOrientation();
    Origin = HomeOrigin;
    InvalidatePages();
}

void TRectangularLattice::ComputeFrame(TQuad& f) {
    const int32_t length = Rows();
    IconCorner(length - 1, f[0]);
    VectorScaleAdd(f[0], AxisU, -0.02f);
    VectorScaleAdd(f[0], AxisV, -0.08f);

    IconCorner(length * ColumnCount - 1, f[1]);
    VectorScaleAdd(f[1], AxisU, 0.1f);
    VectorScaleAdd(f[1], AxisU, 0.62f);
    VectorScaleAdd(f[1], AxisV, -0.08f);

    Width = VectorDistance(f[0], f[1]);

    IconCorner(length, f[3]);
    VectorScaleAdd(f[3], AxisU, 0.1f);
    VectorScaleAdd(f[3], AxisV, 0.1f);
    VectorScaleAdd(f[3], AxisU, 0.62f);
    VectorScaleAdd(f[3], AxisV, 0.124f);

    IconCorner(0, f[2]);
    VectorScaleAdd(f[2], AxisV, 0.1f);
    VectorScaleAdd(f[2], AxisU, -0.02f);
    VectorScaleAdd(f[2], AxisV, 0.124f);

    // Behind the tiles, so that the frame's fill never covers them.
    TVector3 n;
    Normal(n);
    for (TVector3& corner : f)
        VectorScaleAdd(corner, n, -FrameLift);

    Center = f[3];
    VectorAdd(Center, f[0]);
    VectorScale(Center, 0.5f);
    TopCenter = f[3];
    VectorAdd(TopCenter, f[2]);
    VectorScale(TopCenter, 0.5f);
}

int32_t TRectangularLattice::Neighbour(int32_t i, int32_t direction) const {
    GMAssert(i >= 0, Module);
    GMAssert(direction >= PreviousColumn && direction <= RowDown, Module);
    const int32_t length = Rows();
    const int32_t row = i % length;
    const int32_t column = i / length;
    int32_t result = i;
    switch (direction) {
    case PreviousColumn:
        if (column - 1 >= 0)
            result = i - length;
        break;
    case NextColumn:
        if (column + 1 < ColumnCount)
            result = i + length;
        break;
    case RowUp:
        if (row - 1 >= 0)
            result = i - 1;
        else if (column > 0)
            result = (column - 1) * length + length - 1;
        break;
    case RowDown:
        if (row + 1 < length)
            result = i + 1;
        else if (column < ColumnCount - 1)
            result = (column + 1) * length;
        break;
    }
    return std::max(0, std::min(result, ItemCount - 1));
}

int32_t TRectangularLattice::Rows() const {
    // An empty lattice lays out like a one-item one rather than dividing by zero.
    return std::max(ColumnLength, 1);
}

void TRectangularLattice::CellOrigin(int32_t i, TVector3& c) const {
    const int32_t length = Rows();
    c = Origin;
    VectorScaleAdd(c, AxisU, float(i / length) * ColumnPitch);
    VectorScaleAdd(c, AxisV, float(i % length) * -RowPitch);
}

void TRectangularLattice::IconCorner(int32_t i, TVector3& p) const {
    CellOrigin(i, p);
    VectorScaleAdd(p, AxisU, IconOffsetU);
    VectorScaleAdd(p, AxisV, IconOffsetV);
}

void TRectangularLattice::Normal(TVector3& n) const {
    VectorCross(AxisU, AxisV, n);
}
