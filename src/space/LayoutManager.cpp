#include "space/LayoutManager.h"

TLayoutManager::TLayoutManager(const TVector3& origin, int32_t itemCount)
    : Origin(origin), ItemCount(itemCount) {}

void TLayoutManager::SetItemCount(int32_t count, int32_t /*pageCount*/) {
    ItemCount = count;
}

void TLayoutManager::GetOrigin(TVector3& p) const {
    p = Origin;
}

void TLayoutManager::ResetOrientation() {
    AxisU = TVector3{1, 0, 0};
    AxisV = TVector3{0, 1, 0};
}

void TLayoutManager::GetAxes(TVector3& u, TVector3& v) const {
    u = AxisU;
    v = AxisV;
}
