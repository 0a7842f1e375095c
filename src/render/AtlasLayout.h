#pragma once
// The arithmetic of texture atlases: a grid of equal cells in one power-of-two texture, cells
// filled column by column, each with a two-pixel margin that stays transparent.
#include <cstdint>

constexpr int32_t AtlasCellBorder = 2;

struct TAtlasLayout {
    int32_t CellWidth = 0;
    int32_t CellHeight = 0;
    int32_t Cols = 0;
    int32_t Rows = 0;
    int32_t AtlasWidth = 0;
    int32_t AtlasHeight = 0;

    int32_t CellCount() const { return Cols * Rows; }
};

// A near-square grid for CellCount cells with one spare column and row; raises
// ESystemRequirements when the texture would exceed MaxTextureSize.
TAtlasLayout ComputeAtlasLayout(int32_t cellWidth, int32_t cellHeight, int32_t cellCount);

struct TCellPosition {
    int32_t Column = 0;
    int32_t Row = 0;
};

// Where cell r of one atlas lies: column r div Rows, row r mod Rows.
TCellPosition CellPosition(const TAtlasLayout& layout, int32_t cell);

struct TPixelOrigin {
    int32_t X = 0;
    int32_t Y = 0;
};

// Texel where a cell's image starts (inside its margin); y counts from the bottom.
TPixelOrigin CellImageOrigin(const TAtlasLayout& layout, TCellPosition position);

struct TTexCoords {
    float U0 = 0; // left
    float U1 = 0; // right
    float V0 = 0; // bottom
    float V1 = 0; // top
};

// Texture coordinates of a cell, margins included, UsedWidth texels wide and the whole cell high.
TTexCoords CellTexCoords(const TAtlasLayout& layout, TCellPosition position, int32_t usedWidth,
                         int32_t maxHeight);
