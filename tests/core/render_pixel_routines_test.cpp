#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/Errors.h"
#include "render/PixelRoutines.h"

namespace {
struct TPixels {
    TPixels(int32_t width, int32_t height, std::array<uint8_t, 4> fill)
        : Width(width), Height(height), Bytes(size_t(width) * size_t(height) * 4) {
        for (size_t i = 0; i < Bytes.size(); ++i)
            Bytes[i] = fill[i % 4];
    }
    TPixelView View() { return {Bytes.data(), Width, Height}; }
    uint8_t* At(int32_t x, int32_t y) { return &Bytes[(size_t(y) * size_t(Width) + x) * 4]; }

    int32_t Width, Height;
    std::vector<uint8_t> Bytes;
};
} // namespace

TEST(PixelRoutines, CaptionAlphaKeepsOnlyNearlyWhitePixels) {
    TPixels pixels(2, 1, {200, 200, 200, 77}); // sum 600
    pixels.At(0, 0)[2] = 201;                  // sum 601
    PrepareCaptionAlphaPixels(pixels.View());
    EXPECT_EQ(pixels.At(0, 0)[3], 255);
    EXPECT_EQ(pixels.At(1, 0)[3], 0);
}

TEST(PixelRoutines, FramedCopyLeavesOnlyTheCentreColour) {
    TPixels pixels(3, 3, {10, 20, 30, 40});
    std::vector<uint8_t> buffer(36);
    CopyWithAlphaPixels(pixels.View(), buffer.data(), buffer.size(), CopyFramed);
    for (int i = 0; i < 9; ++i) {
        bool centre = i == 4;
        EXPECT_EQ(buffer[size_t(i) * 4], centre ? 10 : 0) << i;
        EXPECT_EQ(buffer[size_t(i) * 4 + 3], 127) << i;
    }
}

TEST(PixelRoutines, CopyRefusesUnknownModesAndShortBuffers) {
    TPixels pixels(2, 2, {1, 1, 1, 1});
    std::vector<uint8_t> buffer(16);
    EXPECT_THROW(CopyWithAlphaPixels(pixels.View(), buffer.data(), 16, 4), EAssertionFailed);
    EXPECT_THROW(CopyWithAlphaPixels(pixels.View(), buffer.data(), 15, CopyUnchanged),
                 EAssertionFailed);
    CopyWithAlphaPixels(pixels.View(), buffer.data(), 16, CopyUnchanged);
    EXPECT_EQ(buffer, pixels.Bytes);
}

TEST(PixelRoutines, IconsWithoutAlphaTakeItFromTheirMask) {
    TPixels icon(2, 1, {50, 60, 70, 0});
    icon.At(1, 0)[3] = 100; // a stray low alpha is no alpha channel, and is cleared
    EXPECT_FALSE(HasOwnAlpha(icon.View()));
    TPixels mask(2, 1, {255, 255, 255, 0});
    mask.At(0, 0)[2] = 99; // dark: the opaque part of the icon
    ApplyMaskAlpha(icon.View(), mask.Bytes.data());
    EXPECT_EQ(icon.At(0, 0)[3], 255);
    EXPECT_EQ(icon.At(1, 0)[3], 0);
    EXPECT_TRUE(HasOwnAlpha(icon.View()));
}
