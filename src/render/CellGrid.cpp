#include "render/CellGrid.h"

#include <algorithm>

#include "base/Errors.h"

namespace {
constexpr const char* Module = "TextureManagement";
}

int32_t TCellGrid::FirstFree() const {
    auto found = std::find(FFree.begin(), FFree.end(), 1);
    return found == FFree.end() ? -1 : static_cast<int32_t>(found - FFree.begin());
}

bool TCellGrid::IsFree(int32_t cell) const {
    GMAssert(cell >= 0 && cell < Count(), Module);
    return FFree[static_cast<size_t>(cell)] != 0;
}

int32_t TCellGrid::TakenCount() const {
    return static_cast<int32_t>(std::count(FFree.begin(), FFree.end(), 0));
}

void TCellGrid::Take(int32_t cell) {
    GMAssert(cell >= 0 && cell < Count(), Module);
    FFree[static_cast<size_t>(cell)] = 0;
}

void TCellGrid::FreeRange(int32_t first, int32_t last) {
    GMAssert(first >= 0 && first <= last && last < Count(), Module);
    std::fill(FFree.begin() + first, FFree.begin() + last + 1, 1);
}

void TCellGrid::FreeAll() {
    std::fill(FFree.begin(), FFree.end(), 1);
}

void TCellGrid::Grow(int32_t cells) {
    GMAssert(cells >= 0, Module);
    FFree.resize(FFree.size() + static_cast<size_t>(cells), 1);
}
