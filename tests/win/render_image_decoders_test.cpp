#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "render/ImageDecoders.h"
#include "render/LightBitmap.h"
#include "render/SystemError.h"

using Microsoft::WRL::ComPtr;

namespace {
// A 2 x 1 24-bit BMP: a blue pixel, then a red one.
std::vector<uint8_t> TinyBmp() {
    std::vector<uint8_t> bmp(14 + 40 + 8, 0);
    auto put32 = [&](size_t at, uint32_t value) { std::memcpy(&bmp[at], &value, 4); };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 1);
    bmp[26] = 1, bmp[28] = 24;
    bmp[54] = 255, bmp[59] = 255;
    return bmp;
}
} // namespace

TEST(ImageDecoders, AboutPictureIsA263x51PalettisedBitmap) {
    HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(AboutPictureResource), RT_RCDATA);
    ASSERT_NE(resource, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, resource), 14542u);
    ComPtr<IPicture> picture =
        LoadPictureResource(MAKEINTRESOURCEW(AboutPictureResource), RT_RCDATA);
    ASSERT_TRUE(picture);
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    int32_t width = 0, height = 0;
    PictureSizeInPixels(nullptr, picture.Get(), width, height);
    EXPECT_NEAR(width, MulDiv(263, dpi, 96), 1);
    EXPECT_NEAR(height, MulDiv(51, dpi, 96), 1);
    EXPECT_THROW(LoadPictureResource(MAKEINTRESOURCEW(9999), RT_RCDATA), EOSError);
}

TEST(ImageDecoders, RenderedPictureIsUprightAndFillsTheRectangle) {
    std::vector<uint8_t> bmp = TinyBmp();
    ComPtr<IPicture> picture;
    ASSERT_EQ(LoadPictureFromMemory(bmp.data(), bmp.size(), picture), S_OK);
    TDIBSection target(20, 10);
    RenderPicture(target.DC(), picture.Get(), RECT{0, 0, 20, 10});
    TPixelView pixels = target.FlushedPixels();
    const uint8_t* left = pixels.Bits + (5 * 20 + 2) * 4;
    const uint8_t* right = pixels.Bits + (5 * 20 + 17) * 4;
    EXPECT_EQ(left[0], 255);
    EXPECT_EQ(left[2], 0);
    EXPECT_EQ(right[0], 0);
    EXPECT_EQ(right[2], 255);
}

TEST(ImageDecoders, UndecodableDataLeavesNoPicture) {
    const char garbage[] = "definitely not a picture";
    ComPtr<IPicture> picture;
    EXPECT_TRUE(FAILED(LoadPictureFromMemory(garbage, sizeof(garbage), picture)));
    EXPECT_FALSE(picture);
    EXPECT_TRUE(FAILED(LoadPictureFromMemory(garbage, 0, picture)));
    EXPECT_FALSE(picture);
}
