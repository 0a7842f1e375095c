#include "space/HighLayoutEnumerators.h"

#include "base/Errors.h"

#include <cmath>

namespace {

constexpr const char* Module = "RegularLattices";
// Gap between two columns of panels.
constexpr float ColumnGap = 0.02f;
// Camera distance in front of a panel.
constexpr float ViewDistance = 1.52f;
constexpr TVector3 StackStep{0.08f, -0.08f, 0.04f};

// p += s_n * N + s_u * U + s_v * V of the layout.
void OffsetAlongAxes(const TLayoutManager& layout, float sn, float su, float sv, TVector3& p) {
    TVector3 u;
    TVector3 v;
    TVector3 n;
    layout.GetAxes(u, v);
    VectorCross(u, v, n);
    VectorScaleAdd(p, n, sn);
    VectorScaleAdd(p, u, su);
    VectorScaleAdd(p, v, sv);
}

} // namespace

TFlatColumnMajorHLE::TFlatColumnMajorHLE(float maxColumnHeight)
    : MaxColumnHeight(maxColumnHeight) {}

void TFlatColumnMajorHLE::Reset() {
    PlacedCount = 0;
    Cursor = TVector3{};
}

void TFlatColumnMajorHLE::PlaceNext(TLayoutManager* layout) {
    GMAssert(layout != nullptr, Module);
    layout->SetOrigin(Cursor);
    ++PlacedCount;
    Cursor.y -= layout->GetHeight();
    if (std::fabs(Cursor.y) > MaxColumnHeight) {
        GMAssert(layout->GetWidth() > 0, Module);
        Cursor.x += layout->GetWidth() + ColumnGap;
        Cursor.y = 0;
    }
}

void TFlatColumnMajorHLE::GetCameraPosition(const TLayoutManager& layout, TVector3& p) const {
    GetCameraTarget(layout, p);
    OffsetAlongAxes(layout, ViewDistance, 0, 0.053f, p);
}

void TFlatColumnMajorHLE::GetCameraTarget(const TLayoutManager& layout, TVector3& p) const {
    layout.GetCenter(p);
}

void TZStackHLE::Reset() {
    PlacedCount = 0;
    Cursor = TVector3{};
}

void TZStackHLE::PlaceNext(TLayoutManager* layout) {
    GMAssert(layout != nullptr, Module);
    layout->SetOrigin(Cursor);
    ++PlacedCount;
    VectorAdd(Cursor, StackStep);
}

void TZStackHLE::GetCameraPosition(const TLayoutManager& layout, TVector3& p) const {
    GetCameraTarget(layout, p);
    OffsetAlongAxes(layout, ViewDistance, -0.076f, 0.152f, p);
}

void TZStackHLE::GetCameraTarget(const TLayoutManager& layout, TVector3& p) const {
    layout.GetTopCenter(p);
    OffsetAlongAxes(layout, 0, 0, -0.38f, p);
}
