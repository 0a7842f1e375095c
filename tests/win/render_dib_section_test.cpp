#include <gtest/gtest.h>

#include <windows.h>

#include "base/Errors.h"
#include "render/LightBitmap.h"
#include "render/SystemError.h"

namespace {
// Byte offset of pixel (x, image row) in the bottom-up rows.
size_t Offset(const TDIBSection& bitmap, int32_t x, int32_t imageRow) {
    return (size_t(bitmap.Height() - 1 - imageRow) * size_t(bitmap.Width()) + size_t(x)) * 4;
}
} // namespace

TEST(DIBSection, NewBitmapIsWhiteAndStoredBottomUp) {
    TDIBSection bitmap(3, 2);
    TPixelView pixels = bitmap.FlushedPixels();
    for (size_t i = 0; i < pixels.ByteCount(); ++i) {
        if (i % 4 == 3)
            continue;
        EXPECT_EQ(pixels.Bits[i], 255) << i;
    }
    EXPECT_EQ(Offset(bitmap, 0, 0), 12u);
    RECT topLeft{0, 0, 1, 1};
    bitmap.FillRectColour(RGB(10, 20, 30), topLeft);
    pixels = bitmap.FlushedPixels();
    EXPECT_EQ(pixels.Bits[12], 30) << "blue first, in the second stored row";
    EXPECT_EQ(pixels.Bits[14], 10);
    EXPECT_EQ(pixels.Bits[0], 255);
}

TEST(DIBSection, FailedResizeLeavesNoPixelsBehind) {
    TDIBSection bitmap(4, 4);
    EXPECT_THROW(bitmap.SetSize(0, 5), EOSError);
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Bits(), nullptr);
    EXPECT_THROW(bitmap.WriteText(0, 0, u"x"), EAssertionFailed);
}

TEST(DIBSection, LineHeightAndAverageWidthFollowTheFont) {
    TDIBSection bitmap(8, 8);
    bitmap.SetFont(40);
    EXPECT_EQ(bitmap.LineHeight(), 40);
    int32_t large = bitmap.AvgCharWidth();
    bitmap.SelectDefaultFont();
    EXPECT_LT(bitmap.AvgCharWidth(), large) << "no stale width from the previous font";
    EXPECT_EQ(bitmap.AvgCharWidth(), bitmap.TextMetrics().AveCharWidth);
    TEXTMETRICA metrics{};
    GetTextMetricsA(bitmap.DC(), &metrics);
    EXPECT_EQ(bitmap.LineHeight(), metrics.tmHeight + metrics.tmExternalLeading);
}

TEST(DIBSection, InvertBarChangesExactlyOneColumn) {
    TDIBSection bitmap(12, 16);
    bitmap.InvertBar(5, 2, 10);
    TPixelView pixels = bitmap.FlushedPixels();
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 12; ++x) {
            bool inBar = x == 5 && y >= 2 && y <= 11;
            EXPECT_EQ(pixels.Bits[Offset(bitmap, x, y)], inBar ? 0 : 255) << x << "," << y;
        }
}

TEST(DIBSection, TextIsDrawnTransparentlyInTheTextColour) {
    TDIBSection bitmap(60, 20);
    bitmap.Clear(RGB(0, 0, 0));
    bitmap.SetTextColour(RGB(0, 255, 0));
    bitmap.SetFont(14);
    bitmap.WriteText(2, 2, u"Hello");
    bitmap.SetSize(60, 20); // the font survives resizing
    bitmap.Clear(RGB(0, 0, 0));
    bitmap.WriteText(2, 2, u"Hello");
    TPixelView pixels = bitmap.FlushedPixels();
    int green = 0;
    for (int32_t i = 0; i < 60 * 20; ++i)
        green += pixels.Bits[i * 4 + 1] > 128;
    EXPECT_GT(green, 10);
    EXPECT_EQ(pixels.Bits[Offset(bitmap, 59, 19) + 1], 0) << "no box behind the text";
}

TEST(SystemError, CarriesTheCodeAndTheSystemText) {
    try {
        RaiseOSError(ERROR_FILE_NOT_FOUND);
        FAIL();
    } catch (const EOSError& e) {
        std::string text = e.what();
        EXPECT_EQ(e.ErrorCode, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(text.rfind("System error, (OS Code 2):\r\n", 0), 0u) << text;
        EXPECT_GT(text.size(), 30u) << "the system's own message follows";
        EXPECT_NE(text.back(), '\n');
    }
}
