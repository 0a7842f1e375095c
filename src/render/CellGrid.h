#pragma once
// Which cells of one or more atlases are taken.
#include <cstddef>
#include <cstdint>
#include <vector>

class TCellGrid {
public:
    explicit TCellGrid(int32_t cellCount = 0) : FFree(static_cast<size_t>(cellCount), 1) {}

    int32_t Count() const { return static_cast<int32_t>(FFree.size()); }
    // The first free cell from 0, or -1 when every cell is taken.
    int32_t FirstFree() const;
    bool IsFree(int32_t cell) const;
    int32_t TakenCount() const;
    void Take(int32_t cell);
    // Frees First..Last inclusive; both must lie in the grid.
    void FreeRange(int32_t first, int32_t last);
    void FreeAll();
    // Appends free cells (a new atlas).
    void Grow(int32_t cells);

private:
    std::vector<uint8_t> FFree;
};
