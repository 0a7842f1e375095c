#include "render_gl_fixture.h"

#include <GL/glext.h>

#include <stdexcept>

#include "base/Errors.h"
#include "render/CaptionAtlas.h"
#include "render/LightBitmap.h"

using TCaptionAtlas = TRenderGLTest;

TEST_F(TCaptionAtlas, FullAtlasRaisesAndFreedCellsAreReused) {
    TCaptionAtlasManager atlas(64, 10, 3, true);
    TDIBSection bitmap(64, 10);
    int32_t cells = atlas.Layout().CellCount();
    for (int32_t i = 0; i < cells; ++i)
        EXPECT_EQ(atlas.Put(bitmap, 64, 10).Cell, i);
    try {
        atlas.Put(bitmap, 64, 10);
        FAIL() << "every cell is taken";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "TCaptionAtlasManager: atlas is full!");
    }
    atlas.FreeCells(1, 1);
    EXPECT_EQ(atlas.Put(bitmap, 64, 10).Cell, 1);
    TDIBSection smaller(60, 10);
    atlas.FreeAll();
    EXPECT_THROW(atlas.Put(smaller, 60, 10), EAssertionFailed) << "exact cell size";
    EXPECT_EQ(atlas.Cells().TakenCount(), 0) << "a refused bitmap takes no cell";
}

TEST_F(TCaptionAtlas, PoolHandsBackTheReleasedAtlasEmpty) {
    TCaptionAtlasPool pool(256, 25, 31);
    std::unique_ptr<TCaptionAtlasManager> atlas = pool.Acquire();
    EXPECT_GE(atlas->Layout().CellCount(), 31) << "as many cells as the pool was asked for";
    TDIBSection bitmap(256, 25);
    atlas->Put(bitmap, 10, 25);
    TCaptionAtlasManager* address = atlas.get();
    pool.Release(std::move(atlas));
    std::unique_ptr<TCaptionAtlasManager> again = pool.Acquire();
    EXPECT_EQ(again.get(), address);
    EXPECT_EQ(again->Cells().TakenCount(), 0);
    EXPECT_EQ(pool.Count(), 0);
    EXPECT_NE(pool.Acquire().get(), address) << "an empty pool makes a new atlas";
}

TEST_F(TCaptionAtlas, DriverRefusingTheSizeIsAMissingRequirement) {
    try {
        CreateAtlasTexture(MaxTextureSize * 2, 4, GL_ALPHA, GL_ALPHA);
        FAIL();
    } catch (const ESystemRequirements& e) {
        EXPECT_EQ(e.WideMessage, u"Unsufficient texture memory");
    }
    while (glGetError() != GL_NO_ERROR) {
    }
}

namespace {
// Level 0 all opaque white: after the rebuild level 1 is white too, except texel (0, 0),
// which the route without glGenerateMipmap rewrites to zero.
void ExpectMipmapsRebuilt(TGenerateMipmapProc generate) {
    TGLTexture texture = CreateAtlasTexture(64, 64, GL_RGBA, GL_BGRA);
    std::vector<uint8_t> white(64 * 64 * 4, 255);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 64, 64, GL_BGRA, GL_UNSIGNED_BYTE, white.data());
    RebuildMipmaps(generate);
    std::vector<uint8_t> level1 = ReadTexture(texture.Name(), GL_BGRA, 1);
    ASSERT_EQ(level1.size(), size_t(32) * 32 * 4);
    EXPECT_EQ(level1[(10 * 32 + 10) * 4 + 3], 255);
    EXPECT_EQ(level1[(31 * 32 + 31) * 4 + 1], 255);
}
} // namespace

TEST_F(TCaptionAtlas, MipmapsAreRebuiltWithAndWithoutGenerateMipmap) {
    TGenerateMipmapProc generate = GenerateMipmapEntry();
    ASSERT_NE(generate, nullptr) << "this driver offers glGenerateMipmap";
    ExpectMipmapsRebuilt(generate);
    ExpectMipmapsRebuilt(nullptr);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    TCaptionAtlasManager atlas(64, 10, 3, false);
    TDIBSection bitmap(64, 10);
    atlas.Put(bitmap, 64, 10);
    EXPECT_FALSE(atlas.MipmapsValid());
    atlas.EnsureMipmaps();
    EXPECT_TRUE(atlas.MipmapsValid());
}
