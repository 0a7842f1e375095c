#include "render/IconAtlas.h"

#include "base/Errors.h"
#include "render/LightBitmap.h"

namespace {
constexpr const char* Module = "TextureManagement";
constexpr int32_t IconsPerAtlas = 100;
} // namespace

TIconAtlasManager::TIconAtlasManager(int32_t iconWidth, int32_t iconHeight)
    : FLayout(ComputeAtlasLayout(iconWidth + 2 * AtlasCellBorder, iconHeight + 2 * AtlasCellBorder,
                                 IconsPerAtlas)) {}

TIconCell TIconAtlasManager::Add(TDIBSection& bitmap) {
    int32_t cell = FCells.FirstFree();
    if (cell < 0) {
        TAtlasInfo atlas;
        atlas.Texture =
            CreateAtlasTexture(FLayout.AtlasWidth, FLayout.AtlasHeight, GL_RGBA, GL_BGRA_EXT);
        FAtlases.push_back(std::move(atlas));
        cell = FCells.Count();
        FCells.Grow(FLayout.CellCount());
    }
    // Icons are never removed, so the first free cell always lies in the last atlas.
    GMAssert(cell / FLayout.CellCount() == AtlasCount() - 1, Module);
    FCells.Take(cell);
    return Write(cell, bitmap);
}

TIconCell TIconAtlasManager::Replace(int32_t cellIndex, TDIBSection& bitmap) {
    GMAssert(cellIndex >= 0 && cellIndex < FCells.Count() && !FCells.IsFree(cellIndex), Module);
    return Write(cellIndex, bitmap);
}

TIconCell TIconAtlasManager::Write(int32_t cellIndex, TDIBSection& bitmap) {
    int32_t atlasIndex = cellIndex / FLayout.CellCount();
    TAtlasInfo& atlas = FAtlases[static_cast<size_t>(atlasIndex)];
    glBindTexture(GL_TEXTURE_2D, atlas.Texture.Name());
    GMAssert(bitmap.Width() == FLayout.CellWidth - 2 * AtlasCellBorder &&
                 bitmap.Height() == FLayout.CellHeight - 2 * AtlasCellBorder,
             Module);
    TCellPosition position = CellPosition(FLayout, cellIndex % FLayout.CellCount());
    WriteCell(FLayout, position, bitmap.FlushedPixels());
    atlas.MipmapsValid = false;

    TIconCell result;
    result.CellIndex = cellIndex;
    result.AtlasIndex = atlasIndex;
    result.Coords = CellTexCoords(FLayout, position, FLayout.CellWidth, FLayout.CellHeight);
    return result;
}

void TIconAtlasManager::BindAtlas(int32_t index) {
    GMAssert(index >= 0 && index < AtlasCount(), Module);
    TAtlasInfo& atlas = FAtlases[static_cast<size_t>(index)];
    glBindTexture(GL_TEXTURE_2D, atlas.Texture.Name());
    EnsureMipmaps(atlas.MipmapsValid, KeepBoundTexture);
}

const TAtlasInfo& TIconAtlasManager::Atlas(int32_t index) const {
    GMAssert(index >= 0 && index < AtlasCount(), Module);
    return FAtlases[static_cast<size_t>(index)];
}
