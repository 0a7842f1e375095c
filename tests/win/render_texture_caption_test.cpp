#include "render_gl_fixture.h"

#include <optional>
#include <string>

#include "base/Errors.h"
#include "render/CaptionAtlas.h"
#include "render/SelectionNames.h"
#include "render/TextureCaption.h"
#include "space/SelectionHits.h"

namespace {
class TTextureCaptions : public TRenderGLTest {
protected:
    void SetUp() override {
        TRenderGLTest::SetUp();
        Atlas = std::make_unique<TCaptionAtlasManager>(256, 25, 21, true);
    }
    void TearDown() override { Atlas.reset(); }

    // Non-zero alpha texels of cell Cell's column-0 slot, in the image or in the margin.
    int32_t Coverage(int32_t cell, bool margin, bool lowerHalfOnly = false) {
        const TAtlasLayout& layout = Atlas->Layout();
        std::vector<uint8_t> alpha = ReadTexture(Atlas->Texture(), GL_ALPHA);
        int32_t count = 0;
        for (int32_t y = 0; y < layout.CellHeight; ++y)
            for (int32_t x = 0; x < layout.CellWidth; ++x) {
                bool inMargin =
                    x < 2 || y < 2 || x >= layout.CellWidth - 2 || y >= layout.CellHeight - 2;
                if (inMargin != margin || (lowerHalfOnly && y >= layout.CellHeight / 2))
                    continue;
                size_t row = size_t(cell * layout.CellHeight + y);
                count += alpha[row * size_t(layout.AtlasWidth) + size_t(x)] != 0;
            }
        return count;
    }

    std::unique_ptr<TCaptionAtlasManager> Atlas;
};

// Stand-ins for the folder model's objects: only their addresses are used.
int FolderViewObject = 0, ItemObject = 0;
TFolderView* const SomeFolderView = reinterpret_cast<TFolderView*>(&FolderViewObject);
TFSEView* const SomeItem = reinterpret_cast<TFSEView*>(&ItemObject);

// The name a selection pass reports for what Draw draws over the viewport's centre.
template <class TDraw> std::optional<uint32_t> PickedName(TDraw draw) {
    GLuint buffer[64] = {};
    glSelectBuffer(64, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    draw();
    GLint hits = glRenderMode(GL_RENDER);
    return NearestHitName(std::span<const uint32_t>(buffer, 64), hits);
}

void CoverViewport(TTextureCaption& caption) {
    caption.SetCorners({-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0});
}
} // namespace

TEST_F(TTextureCaptions, QuadIsAsWideAsTheTextAndTheCellIsFreedAfterwards) {
    {
        TPageTextureCaption caption(u"1 of 3", Atlas.get(), 256, 0.6f, 0.06f);
        EXPECT_EQ(caption.PixelHeight(), 25);
        EXPECT_GT(caption.TextWidth(), 10);
        EXPECT_LT(caption.TextWidth(), 120);
        EXPECT_FLOAT_EQ(caption.QuadWidth(), 0.06f * caption.TextWidth() / 25.0f);
        EXPECT_FLOAT_EQ(caption.Coords().U1 - caption.Coords().U0,
                        float(caption.TextWidth()) / Atlas->Layout().AtlasWidth);
        EXPECT_THROW(caption.Draw(), EAssertionFailed) << "not placed yet";
    }
    EXPECT_EQ(Atlas->Cells().TakenCount(), 0);
}

TEST_F(TTextureCaptions, LongTextIsCompactedToTheCaptionWidth) {
    std::u16string longName = u"C:\\Users\\Somebody\\Documents\\Projects\\An extremely long "
                              u"folder name that goes on and on\\file.txt";
    TFSETextureCaption caption(longName, Atlas.get(), 256, 0.6f, 0.06f, SomeItem);
    EXPECT_LE(caption.TextWidth(), 256);
    EXPECT_GT(caption.TextWidth(), 150);
    EXPECT_LE(caption.QuadWidth(), 0.6f);
    TFSETextureCaption huge(std::u16string(400, u'W'), Atlas.get(), 256, 0.6f, 0.06f, SomeItem);
    EXPECT_LE(huge.TextWidth(), 256);
}

TEST_F(TTextureCaptions, GlyphsReachTheAtlasUprightAndMarginsStayClear) {
    TPageTextureCaption caption(u"Documents", Atlas.get(), 256, 0.6f, 0.06f);
    EXPECT_GT(Coverage(0, false), 40);
    EXPECT_EQ(Coverage(0, true), 0);
    // Underscores lie at the bottom of the text; texture rows count from the bottom.
    TPageTextureCaption underscores(u"______", Atlas.get(), 256, 0.6f, 0.06f);
    EXPECT_GT(Coverage(1, false, true), 20);
    EXPECT_EQ(Coverage(1, false, true), Coverage(1, false));
}

TEST_F(TTextureCaptions, EmptyTextTakesAnEmptyCell) {
    TPageTextureCaption caption(u"", Atlas.get(), 256, 0.6f, 0.06f);
    EXPECT_EQ(caption.TextWidth(), 0);
    EXPECT_EQ(caption.Cell(), 0);
    EXPECT_EQ(Coverage(0, false), 0);
}

TEST_F(TTextureCaptions, PickingPassesCarryTheOwnersNames) {
    TFSETextureCaption item(u"readme.txt", Atlas.get(), 256, 0.6f, 0.06f, SomeItem);
    CoverViewport(item);
    std::optional<uint32_t> picked = PickedName([&] { item.Draw(0x100); });
    ASSERT_TRUE(picked);
    EXPECT_EQ(ObjectOfSelectionName<TFSEView>(*picked), SomeItem);
    EXPECT_TRUE(PickedName([&] { item.Draw(0x80); }));
    EXPECT_FALSE(PickedName([&] { item.Draw(0x1); })) << "drawing passes push no name";

    TCaptionAtlasManager levels(512, 28, 40, true);
    TLevelTextureCaption title(u"Desktop", &levels, 512, 1.44f, 0.08f, SomeFolderView);
    EXPECT_EQ(title.PixelHeight(), 28);
    EXPECT_THROW(TLevelTextureCaption(u"x", &levels, 512, 1.44f, 0.08f, nullptr), EAssertionFailed);
    EXPECT_EQ(levels.Cells().TakenCount(), 1) << "the refused caption gave its cell back";
    CoverViewport(title);
    picked = PickedName([&] { title.Draw(0x10); });
    ASSERT_TRUE(picked);
    EXPECT_EQ(ObjectOfSelectionName<TFolderView>(*picked), SomeFolderView);
    EXPECT_FALSE(PickedName([&] { title.Draw(0x80); }));

    TLevelSortCaption sort(u"Name", Atlas.get(), 256, 0.6f, 0.06f, SomeFolderView, 1);
    CoverViewport(sort);
    picked = PickedName([&] { sort.Draw(); });
    ASSERT_TRUE(picked);
    EXPECT_EQ(ObjectOfSelectionName<TLevelSortCaption>(*picked), &sort);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
