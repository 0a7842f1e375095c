#pragma once
// A growing list of icon atlases: 100 icon cells each, a new atlas when the last is full.
#include <cstdint>
#include <vector>

#include "render/AtlasLayout.h"
#include "render/AtlasTextures.h"
#include "render/CellGrid.h"

class TDIBSection;

struct TAtlasInfo {
    TGLTexture Texture;
    bool MipmapsValid = true;
};

struct TIconCell {
    int32_t CellIndex = -1; // over all atlases
    int32_t AtlasIndex = -1;
    TTexCoords Coords;
};

class TIconAtlasManager {
public:
    TIconAtlasManager(int32_t iconWidth, int32_t iconHeight);
    TIconAtlasManager(const TIconAtlasManager&) = delete;
    TIconAtlasManager& operator=(const TIconAtlasManager&) = delete;

    // Writes an icon of exactly the icon size into the first free cell, opening a new atlas
    // when every cell is taken.
    TIconCell Add(TDIBSection& bitmap);
    // Writes an icon again into a cell it already holds.
    TIconCell Replace(int32_t cellIndex, TDIBSection& bitmap);
    // Binds atlas I and brings its mipmaps up to date.
    void BindAtlas(int32_t index);

    int32_t AtlasCount() const { return static_cast<int32_t>(FAtlases.size()); }
    const TAtlasInfo& Atlas(int32_t index) const;
    const TAtlasLayout& Layout() const { return FLayout; }
    const TCellGrid& Cells() const { return FCells; }

private:
    TIconCell Write(int32_t cellIndex, TDIBSection& bitmap);

    TAtlasLayout FLayout;
    std::vector<TAtlasInfo> FAtlases;
    TCellGrid FCells;
};
