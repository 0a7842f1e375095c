#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/CaptionsFormatting.h"

namespace {
// A fixed-pitch stand-in for the bitmap: characters are half the font height wide, lines the
// font height plus one pixel of external leading apart.
class TFixedPitchSurface : public TTextSurface {
public:
    void SetFont(int32_t pixelHeight) override { FontHeight = pixelHeight; }
    TTextMetrics TextMetrics() override { return {FontHeight, 1, FontHeight / 2}; }
    TTextExtent TextExtent(std::u16string_view text) override {
        return {static_cast<int32_t>(text.size()) * (FontHeight / 2), FontHeight};
    }
    void SetSize(int32_t width, int32_t height) override {
        Width = width, Height = height, Fill = ColourWhite, ++Resizes;
        Lines.clear(), Tops.clear();
    }
    void Clear(TColour colour) override { Fill = colour; }
    void WriteText(int32_t, int32_t y, std::u16string_view text) override {
        Lines.emplace_back(text);
        Tops.push_back(y);
    }

    int32_t FontHeight = 10;
    int32_t Width = 1, Height = 1, Resizes = 0;
    TColour Fill = ColourWhite;
    std::vector<std::u16string> Lines;
    std::vector<int32_t> Tops;
};
} // namespace

TEST(FormatTextToBitmap, BreaksByAverageCharacterWidthAndFitsTheText) {
    TFixedPitchSurface surface; // 5 pixels a character, 11 a line
    int32_t width = -1, height = -1;
    FormatTextToBitmap(u"abcdefghij\nxy", 40, 100, 0, ColourWhite, surface, &width, &height, true,
                       2);
    // 40 / 5 - 2 = 6 characters a line.
    EXPECT_EQ(surface.Lines, (std::vector<std::u16string>{u"abcdef", u"ghij", u"xy"}));
    EXPECT_EQ(surface.Tops, (std::vector<int32_t>{0, 11, 22}));
    EXPECT_EQ(width, 35) << "longest line plus one average character";
    EXPECT_EQ(height, 33);
    EXPECT_EQ(surface.Width, 35);
    EXPECT_EQ(surface.Height, 33);
}

TEST(FormatTextToBitmap, CaptionsKeepTheWholeBoxAndFillTheBackground) {
    TFixedPitchSurface surface;
    int32_t width = -1;
    FormatTextToBitmap(u"a rather long caption", 40, 25, 20, ColourBlack, surface, &width, nullptr,
                       false, 0);
    // Font 20: 10 pixels a character, 21 a line: one line of four characters fits.
    EXPECT_EQ(surface.Lines, std::vector<std::u16string>{u"a ra"});
    EXPECT_EQ(width, 40) << "capped at the box";
    EXPECT_EQ(surface.Width, 40);
    EXPECT_EQ(surface.Height, 25);
    EXPECT_EQ(surface.Fill, ColourBlack);
}

TEST(FormatTextToBitmap, EmptyTextLeavesSurfaceAndOutputsAlone) {
    TFixedPitchSurface surface;
    int32_t width = -7, height = -7;
    FormatTextToBitmap(u"", 100, 30, 0, ColourBlack, surface, &width, &height, true, 0);
    EXPECT_EQ(surface.Resizes, 0);
    EXPECT_EQ(surface.Fill, ColourWhite);
    EXPECT_EQ(width, -7);
    EXPECT_EQ(height, -7);
}

TEST(FormatLinesToBitmap, SlicesEveryLineAndCapsTheTotal) {
    TFixedPitchSurface surface;
    TLines lines;
    lines.Add(u"Copy to");
    lines.Add(u"C:\\a\\very\\long\\target\\path");
    lines.Add(u"never shown");
    int32_t width = 0, height = 0;
    FormatLinesToBitmap(lines, 10, 3, 0, 0x123456, surface, width, height);
    EXPECT_EQ(surface.Lines,
              (std::vector<std::u16string>{u"Copy to", u"C:\\a\\very\\", u"long\\targe"}));
    EXPECT_EQ(width, 50) << "sized to the longest slice";
    EXPECT_EQ(height, 30);
    EXPECT_EQ(surface.Fill, 0x123456u);
}
