#include "render/CaptionAtlas.h"

#include "base/BaseDefsWin.h"
#include "base/Errors.h"
#include "render/BitmapAlpha.h"
#include "render/LightBitmap.h"

namespace {
constexpr const char* Module = "TextureManagement";
} // namespace

TCaptionAtlasManager::TCaptionAtlasManager(int32_t captionWidth, int32_t captionHeight,
                                           int32_t cellCount, bool exactCellSize)
    : FLayout(ComputeAtlasLayout(captionWidth + 2 * AtlasCellBorder,
                                 captionHeight + 2 * AtlasCellBorder, cellCount)),
      FCells(FLayout.CellCount()),
      FTexture(CreateAtlasTexture(FLayout.AtlasWidth, FLayout.AtlasHeight, GL_ALPHA, GL_ALPHA)),
      FExactCellSize(exactCellSize) {}

TCaptionCell TCaptionAtlasManager::Put(TDIBSection& bitmap, int32_t usedWidth, int32_t maxHeight) {
    CheckGLError("{5D2B8C71-0E4A-4F96-A3B7-81C6E92F4A05}");
    int32_t cell = FCells.FirstFree();
    if (cell < 0)
        throw std::runtime_error("TCaptionAtlasManager: atlas is full!");

    int32_t contentWidth = FLayout.CellWidth - 2 * AtlasCellBorder;
    int32_t contentHeight = FLayout.CellHeight - 2 * AtlasCellBorder;
    if (FExactCellSize)
        GMAssert(bitmap.Width() == contentWidth && bitmap.Height() == contentHeight, Module);
    else
        GMAssert(bitmap.Width() <= contentWidth && bitmap.Height() <= contentHeight, Module);
    FCells.Take(cell);

    glBindTexture(GL_TEXTURE_2D, FTexture.Name());
    CheckGLError("{A8E3F052-6B1C-4D27-9E80-3F5D7A2C6B19}");
    PrepareCaptionAlpha(bitmap);
    TCellPosition position = CellPosition(FLayout, cell);
    WriteCell(FLayout, position, bitmap.FlushedPixels());
    FMipmapsValid = false;
    CheckGLError("{F1C7049B-2E85-4A63-B0D9-6E3A8C15F742}");
    return {cell, CellTexCoords(FLayout, position, usedWidth, maxHeight)};
}

void TCaptionAtlasManager::FreeCells(int32_t first, int32_t last) {
    FCells.FreeRange(first, last);
}

void TCaptionAtlasManager::FreeAll() {
    FCells.FreeAll();
}

void TCaptionAtlasManager::EnsureMipmaps() {
    ::EnsureMipmaps(FMipmapsValid, FTexture.Name());
}

TCaptionAtlasPool::TCaptionAtlasPool(int32_t captionWidth, int32_t captionHeight, int32_t cellCount)
    : FCaptionWidth(captionWidth), FCaptionHeight(captionHeight), FCellCount(cellCount) {
    FItems.reserve(10);
}

std::unique_ptr<TCaptionAtlasManager> TCaptionAtlasPool::Acquire() {
    if (FItems.empty())
        return std::make_unique<TCaptionAtlasManager>(FCaptionWidth, FCaptionHeight, FCellCount,
                                                      true);
    std::unique_ptr<TCaptionAtlasManager> atlas = std::move(FItems.back());
    FItems.pop_back();
    atlas->FreeAll();
    return atlas;
}

void TCaptionAtlasPool::Release(std::unique_ptr<TCaptionAtlasManager> atlas) {
    GMAssert(atlas != nullptr, Module);
    FItems.push_back(std::move(atlas));
}
