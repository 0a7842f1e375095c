#include "render/AtlasLayout.h"

#include <cmath>

#include "base/BaseDefs.h"
#include "base/Errors.h"

namespace {
constexpr const char* Module = "TextureManagement";
}

TAtlasLayout ComputeAtlasLayout(int32_t cellWidth, int32_t cellHeight, int32_t cellCount) {
    GMAssert(cellWidth >= 1 && cellHeight >= 1 && cellCount >= 1, Module);
    TAtlasLayout layout;
    layout.CellWidth = cellWidth;
    layout.CellHeight = cellHeight;
    double side = std::sqrt(double(cellCount) * double(cellHeight) * double(cellWidth));
    layout.Cols = static_cast<int32_t>(std::ceil(double(cellCount) * double(cellHeight) / side));
    GMAssert(layout.Cols >= 1, Module);
    layout.Rows = (cellCount + layout.Cols - 1) / layout.Cols;
    GMAssert(layout.Rows >= 1, Module);

    layout.AtlasWidth = NextPowerOfTwo((layout.Cols + 1) * cellWidth);
    GMAssert(layout.AtlasWidth >= side, Module);
    if (layout.AtlasWidth > MaxTextureSize)
        throw ESystemRequirements(u"atlas width too large");
    layout.AtlasHeight = NextPowerOfTwo((layout.Rows + 1) * cellHeight);
    if (layout.AtlasHeight > MaxTextureSize)
        throw ESystemRequirements(u"atlas height too large");
    GMAssert(layout.CellCount() >= cellCount, Module);
    return layout;
}

TCellPosition CellPosition(const TAtlasLayout& layout, int32_t cell) {
    GMAssert(cell >= 0 && cell < layout.CellCount(), Module);
    return {cell / layout.Rows, cell % layout.Rows};
}

TPixelOrigin CellImageOrigin(const TAtlasLayout& layout, TCellPosition position) {
    return {layout.CellWidth * position.Column + AtlasCellBorder,
            layout.CellHeight * position.Row + AtlasCellBorder};
}

TTexCoords CellTexCoords(const TAtlasLayout& layout, TCellPosition position, int32_t usedWidth,
                         int32_t maxHeight) {
    GMAssert(usedWidth <= layout.CellWidth && maxHeight <= layout.CellHeight, Module);
    double width = layout.AtlasWidth;
    double height = layout.AtlasHeight;
    double left = double(position.Column) * layout.CellWidth;
    double bottom = double(position.Row) * layout.CellHeight;
    TTexCoords coords;
    coords.U0 = static_cast<float>(left / width);
    coords.U1 = static_cast<float>((left + usedWidth) / width);
    coords.V0 = static_cast<float>(bottom / height);
    coords.V1 = static_cast<float>((bottom + layout.CellHeight) / height);
    GMAssert(coords.U1 <= 1.0f && coords.V1 <= 1.0f, Module);
    return coords;
}
