#pragma once
// A line of text shown in the scene as a textured quad: drawn once as white anti-aliased text
// on black, kept as an alpha mask in a caption atlas cell, then placed and drawn cheaply.
#include <windows.h>
#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "render/AtlasLayout.h"
#include "render/CaptionGeometry.h"
#include "render/PassFlags.h"
#include "space/VectorMath.h"

class TCaptionAtlasManager;
class TFolderView;
class TFSEView;

// OpenGL colours as signed bytes, 127 = full intensity.
using TCaptionColour = std::array<GLbyte, 4>;
constexpr TCaptionColour CaptionGrey{90, 120, 100, 127};
constexpr TCaptionColour CaptionWhite{127, 127, 127, 127};

class TTextureCaption {
public:
    // The text is compacted like a path to fit PixelWidth and stored in a cell of Atlas, which
    // must outlive the caption. The bitmap is PixelWidth x (PixelWidth x WorldHeight /
    // WorldWidth) pixels.
    TTextureCaption(std::u16string text, TCaptionAtlasManager* atlas, int32_t pixelWidth,
                    float worldWidth, float worldHeight);
    virtual ~TTextureCaption();
    TTextureCaption(const TTextureCaption&) = delete;
    TTextureCaption& operator=(const TTextureCaption&) = delete;

    // Spans the quad from Anchor along the lattice axes U and V.
    void Place(const TVector3& anchor, const TVector3& u, const TVector3& v);
    void GetCorners(TVector3& c0, TVector3& c1, TVector3& c2, TVector3& c3) const;
    void SetCorners(const TVector3& c0, const TVector3& c1, const TVector3& c2, const TVector3& c3);
    // One quad in fan order under Name when given. The caller binds the atlas texture and sets
    // blending.
    void Draw(std::optional<uint32_t> name, const TCaptionColour& colour) const;

    const std::u16string& Text() const { return FText; }
    float Aspect() const { return FAspect; }
    float WorldHeight() const { return FWorldHeight; }
    float QuadWidth() const { return FQuadWidth; }
    int32_t TextWidth() const { return FTextWidth; }
    int32_t PixelHeight() const { return FPixelHeight; }
    int32_t Cell() const { return FCell; }
    const TQuad& Corners() const { return FCorners; }
    const TTexCoords& Coords() const { return FCoords; }
    bool Placed() const { return FPlaced; }
    TCaptionAtlasManager* Atlas() const { return FAtlas; }

private:
    std::u16string FText;
    float FAspect = 0;
    float FWorldHeight = 0;
    float FQuadWidth = 0;
    int32_t FTextWidth = 0;
    int32_t FPixelHeight = 0;
    int32_t FCell = -1;
    TQuad FCorners{};
    TTexCoords FCoords;
    bool FPlaced = false;
    TCaptionAtlasManager* FAtlas = nullptr;
};

// The page caption of a level's page; also the probe that measures caption heights.
class TPageTextureCaption : public TTextureCaption {
public:
    using TTextureCaption::Draw;
    using TTextureCaption::TTextureCaption;
    void Draw() const;
};

// The title of a level.
class TLevelTextureCaption : public TTextureCaption {
public:
    TLevelTextureCaption(std::u16string text, TCaptionAtlasManager* atlas, int32_t pixelWidth,
                         float worldWidth, float worldHeight, TFolderView* owner);
    using TTextureCaption::Draw;
    // Carries the owner's selection name when the pass picks levels.
    void Draw(uint32_t passFlags) const;

    TFolderView* Owner() const { return FOwner; }

private:
    TFolderView* FOwner;
};

// One of the two sort captions of a level: Kind 0 at the start of the order, 1 at its end.
class TLevelSortCaption : public TTextureCaption {
public:
    TLevelSortCaption(std::u16string text, TCaptionAtlasManager* atlas, int32_t pixelWidth,
                      float worldWidth, float worldHeight, TFolderView* owner, int32_t kind);
    using TTextureCaption::Draw;
    // Always carries its own selection name.
    void Draw() const;

    TFolderView* Owner() const { return FOwner; }
    int32_t Kind() const { return FKind; }

private:
    TFolderView* FOwner;
    int32_t FKind;
};

// The name of one folder item.
class TFSETextureCaption : public TTextureCaption {
public:
    TFSETextureCaption(std::u16string text, TCaptionAtlasManager* atlas, int32_t pixelWidth,
                       float worldWidth, float worldHeight, TFSEView* owner);
    using TTextureCaption::Draw;
    // Carries the owner's selection name when the pass picks items.
    void Draw(uint32_t passFlags) const;

    TFSEView* Owner() const { return FOwner; }

private:
    TFSEView* FOwner;
};
