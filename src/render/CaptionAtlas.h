#pragma once
// Alpha-only atlases of caption cells, and a pool that recycles them between folder levels.
#include <cstdint>
#include <memory>
#include <vector>

#include "render/AtlasLayout.h"
#include "render/AtlasTextures.h"
#include "render/CellGrid.h"

class TDIBSection;

struct TCaptionCell {
    int32_t Cell = -1;
    TTexCoords Coords;
};

class TCaptionAtlasManager {
public:
    // Cells of the caption size plus margins. With ExactCellSize every caption written must be
    // exactly CaptionWidth x CaptionHeight, else at most that.
    TCaptionAtlasManager(int32_t captionWidth, int32_t captionHeight, int32_t cellCount,
                         bool exactCellSize);
    TCaptionAtlasManager(const TCaptionAtlasManager&) = delete;
    TCaptionAtlasManager& operator=(const TCaptionAtlasManager&) = delete;

    // Turns the caption's text into alpha, writes it into the first free cell and returns the
    // cell with texture coordinates UsedWidth wide. Raises when every cell is taken.
    TCaptionCell Put(TDIBSection& bitmap, int32_t usedWidth, int32_t maxHeight);
    void FreeCells(int32_t first, int32_t last);
    void FreeAll();
    void EnsureMipmaps();

    GLuint Texture() const { return FTexture.Name(); }
    const TAtlasLayout& Layout() const { return FLayout; }
    const TCellGrid& Cells() const { return FCells; }
    bool MipmapsValid() const { return FMipmapsValid; }
    bool ExactCellSize() const { return FExactCellSize; }

private:
    TAtlasLayout FLayout;
    TCellGrid FCells;
    TGLTexture FTexture;
    bool FMipmapsValid = true;
    bool FExactCellSize;
};

// Caption atlases of one caption size, kept for reuse while no level needs them.
class TCaptionAtlasPool {
public:
    TCaptionAtlasPool(int32_t captionWidth, int32_t captionHeight, int32_t cellCount);

    // The atlas released last, emptied, or a new one of cellCount cells.
    std::unique_ptr<TCaptionAtlasManager> Acquire();
    void Release(std::unique_ptr<TCaptionAtlasManager> atlas);

    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    int32_t CaptionWidth() const { return FCaptionWidth; }
    int32_t CaptionHeight() const { return FCaptionHeight; }

private:
    int32_t FCaptionWidth;
    int32_t FCaptionHeight;
    int32_t FCellCount;
    std::vector<std::unique_ptr<TCaptionAtlasManager>> FItems;
};
