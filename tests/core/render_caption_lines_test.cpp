#include <gtest/gtest.h>

#include <vector>

#include "app/Errors.h"
#include "render/CaptionLines.h"

namespace {
using Strings = std::vector<std::u16string>;

Strings LinesOf(const TLines& lines) {
    Strings result;
    for (int32_t i = 0; i < lines.Count(); ++i)
        result.push_back(lines.GetLine(i));
    return result;
}

Strings FixedWidth(std::u16string_view text, int32_t maxLines, int32_t maxChars) {
    TLines lines;
    SplitFixedWidth(text, maxLines, maxChars, true, lines, true);
    return LinesOf(lines);
}
} // namespace

TEST(CaptionLines, GrowsByFiveBeyondTheInitialTenAndChecksIndices) {
    TLines lines;
    for (int i = 0; i < 10; ++i)
        lines.Add(u"x");
    EXPECT_EQ(lines.Capacity(), 10);
    lines.Add(u"eleventh");
    EXPECT_EQ(lines.Capacity(), 16);
    EXPECT_EQ(lines.GetLine(10), u"eleventh");
    EXPECT_THROW(lines.GetLine(11), EAssertionFailed);
    lines.Clear();
    EXPECT_THROW(lines.GetLine(0), EAssertionFailed) << "cleared lines are out of range";
}

TEST(SplitFixedWidth, EllipsisOnlyWhenCutAndTheLastLineIsLongEnough) {
    EXPECT_EQ(FixedWidth(u"abcdefghij", 2, 4), (Strings{u"abcd", u"e..."}));
    EXPECT_EQ(FixedWidth(u"abcdefg", 2, 3), (Strings{u"abc", u"def"}));
    EXPECT_EQ(FixedWidth(u"abcdefgh", 2, 4), (Strings{u"abcd", u"efgh"})) << "fits exactly";
    EXPECT_EQ(FixedWidth(u"ab\ncd", 5, 2), (Strings{u"ab", u"\nc", u"d"}))
        << "line feeds are ordinary characters";
}

TEST(SplitFixedWidth, LimitCountsLinesAlreadyThere) {
    TLines lines;
    lines.Add(u"kept");
    SplitFixedWidth(u"abcdef", 3, 2, false, lines, false);
    EXPECT_EQ(LinesOf(lines), (Strings{u"kept", u"ab", u"cd"}));
    EXPECT_THROW(SplitFixedWidth(u"abc", 0, 2, true, lines, false), EAssertionFailed);
}

TEST(SplitAtLineBreaks, LineFeedsAndLongLines) {
    TLines lines;
    EXPECT_EQ(SplitAtLineBreaks(u"a\n\n\nbb", 5, 10, true, lines), 1);
    EXPECT_EQ(LinesOf(lines), (Strings{u"a", u"bb"}));
    EXPECT_EQ(SplitAtLineBreaks(u"\nab", 5, 10, true, lines), 1);
    EXPECT_EQ(LinesOf(lines), (Strings{u"", u"ab"}));
    EXPECT_EQ(SplitAtLineBreaks(u"abcdefg", 5, 3, true, lines), 0) << "ties keep the first";
    EXPECT_EQ(LinesOf(lines), (Strings{u"abc", u"def", u"g"}));
    EXPECT_EQ(SplitAtLineBreaks(u"a\r\nbcd\nef", 2, 10, true, lines), 1);
    EXPECT_EQ(LinesOf(lines), (Strings{u"a\r", u"bcd"})) << "carriage returns stay";
    EXPECT_EQ(SplitAtLineBreaks(u"", 5, 10, true, lines), -1);
}

TEST(LongestLineIndex, FirstOfTheLongest) {
    TLines lines;
    EXPECT_EQ(LongestLineIndex(lines), -1);
    lines.Add(u"ab");
    lines.Add(u"abc");
    lines.Add(u"xyz");
    EXPECT_EQ(LongestLineIndex(lines), 1);
}
