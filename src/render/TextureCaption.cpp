#include "render/TextureCaption.h"

#include <shlwapi.h>

#include <algorithm>

#include "base/Errors.h"
#include "base/WinString.h"
#include "render/CaptionAtlas.h"
#include "render/CaptionsFormatting.h"
#include "render/LightBitmap.h"
#include "render/SelectionNames.h"
#include "render/TextBuffers.h"

namespace {
constexpr const char* Module = "images";
constexpr size_t MaxCompactChars = MAX_PATH - 1;

// The text shortened like a path (an ellipsis for what is left out) to fit PixelWidth in the
// bitmap's font of FontHeight.
std::u16string CompactToWidth(TDIBSection& bitmap, const std::u16string& text, int32_t pixelWidth,
                              int32_t fontHeight) {
    char16_t buffer[MAX_PATH];
    CopyToBuffer(text, MaxCompactChars, buffer);
    bitmap.SetFont(fontHeight);
    PathCompactPathW(bitmap.DC(), reinterpret_cast<wchar_t*>(buffer), pixelWidth);
    buffer[MaxCompactChars] = 0;
    return std::u16string(buffer);
}
} // namespace

TTextureCaption::TTextureCaption(std::u16string text, TCaptionAtlasManager* atlas,
                                 int32_t pixelWidth, float worldWidth, float worldHeight)
    : FText(std::move(text)), FWorldHeight(worldHeight), FAtlas(atlas) {
    GMAssert(atlas != nullptr, Module);
    TDIBSection bitmap(1, 1);
    bitmap.SetTextColour(ColourWhite);
    TCaptionPixelSize size = CaptionPixelSize(pixelWidth, worldWidth, worldHeight);
    FPixelHeight = size.PixelHeight;

    std::u16string display = CompactToWidth(bitmap, FText, pixelWidth, size.FontHeight);
    if (display.empty()) {
        // Nothing to draw, but the atlas still wants a whole black cell.
        bitmap.SetSize(pixelWidth, FPixelHeight);
        bitmap.Clear(ColourBlack);
    }
    FormatTextToBitmap(display, pixelWidth, FPixelHeight, size.FontHeight, ColourBlack, bitmap,
                       &FTextWidth, nullptr, false, 0);
    GMAssert(FTextWidth <= pixelWidth, Module);
    TCaptionQuadSize quad = CaptionQuadSize(FTextWidth, FPixelHeight, worldWidth, worldHeight);
    FAspect = quad.Aspect;
    FQuadWidth = quad.QuadWidth;

    TCaptionCell cell = FAtlas->Put(bitmap, FTextWidth, FPixelHeight);
    FCell = cell.Cell;
    FCoords = cell.Coords;
}

TTextureCaption::~TTextureCaption() {
    ForgetSelectionName(this);
    if (FCell >= 0)
        FAtlas->FreeCells(FCell, FCell);
}

void TTextureCaption::Place(const TVector3& anchor, const TVector3& u, const TVector3& v) {
    FPlaced = true;
    FCorners = CaptionCorners(anchor, u, v, FQuadWidth, FWorldHeight);
}

void TTextureCaption::GetCorners(TVector3& c0, TVector3& c1, TVector3& c2, TVector3& c3) const {
    c0 = FCorners[0];
    c1 = FCorners[1];
    c2 = FCorners[2];
    c3 = FCorners[3];
}

void TTextureCaption::SetCorners(const TVector3& c0, const TVector3& c1, const TVector3& c2,
                                 const TVector3& c3) {
    FCorners = {c0, c1, c2, c3};
    FPlaced = true;
}

void TTextureCaption::Draw(std::optional<uint32_t> name, const TCaptionColour& colour) const {
    GMAssert(FPlaced, Module);
    if (name)
        glPushName(*name);
    glColor4bv(colour.data());
    const TTexCoords& t = FCoords;
    const float texCoords[4][2] = {{t.U0, t.V0}, {t.U1, t.V0}, {t.U1, t.V1}, {t.U0, t.V1}};
    glBegin(GL_QUADS);
    for (int corner = 0; corner < 4; ++corner) {
        glTexCoord2d(texCoords[corner][0], texCoords[corner][1]);
        glVertex3f(FCorners[corner].x, FCorners[corner].y, FCorners[corner].z);
    }
    glEnd();
    if (name)
        glPopName();
}

void TPageTextureCaption::Draw() const {
    Draw(std::nullopt, CaptionWhite);
}

TLevelTextureCaption::TLevelTextureCaption(std::u16string text, TCaptionAtlasManager* atlas,
                                           int32_t pixelWidth, float worldWidth, float worldHeight,
                                           TFolderView* owner)
    : TTextureCaption(std::move(text), atlas, pixelWidth, worldWidth, worldHeight), FOwner(owner) {
    GMAssert(owner != nullptr, Module);
}

void TLevelTextureCaption::Draw(uint32_t passFlags) const {
    std::optional<uint32_t> name;
    if (passFlags & PassLevels)
        name = SelectionNameOf(FOwner);
    Draw(name, CaptionGrey);
}

TLevelSortCaption::TLevelSortCaption(std::u16string text, TCaptionAtlasManager* atlas,
                                     int32_t pixelWidth, float worldWidth, float worldHeight,
                                     TFolderView* owner, int32_t kind)
    : TTextureCaption(std::move(text), atlas, pixelWidth, worldWidth, worldHeight), FOwner(owner),
      FKind(kind) {
    GMAssert(owner != nullptr, Module);
}

void TLevelSortCaption::Draw() const {
    Draw(SelectionNameOf(this), CaptionGrey);
}

TFSETextureCaption::TFSETextureCaption(std::u16string text, TCaptionAtlasManager* atlas,
                                       int32_t pixelWidth, float worldWidth, float worldHeight,
                                       TFSEView* owner)
    : TTextureCaption(std::move(text), atlas, pixelWidth, worldWidth, worldHeight), FOwner(owner) {}

void TFSETextureCaption::Draw(uint32_t passFlags) const {
    std::optional<uint32_t> name;
    if (passFlags & (PassMarkedB | PassItems))
        name = SelectionNameOf(FOwner);
    Draw(name, CaptionWhite);
}
