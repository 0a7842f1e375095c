#include <gtest/gtest.h>

#include <vector>

#include "base/Errors.h"
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

Strings AtLineBreaks(std::u16string_view text, int32_t maxLines, int32_t maxChars) {
    TLines lines;
    SplitAtLineBreaks(text, maxLines, maxChars, true, lines);
    return LinesOf(lines);
}

const std::u16string Smile = u"\U0001F600"; // a surrogate pair
const std::u16string LoneLead(1, char16_t(0xD83D));
const std::u16string LoneTrail(1, char16_t(0xDE00));
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

// An emoji in a file name must not be drawn as two broken halves.
TEST(SplitFixedWidth, SurrogatePairsStayWholeAndCountAsOneCharacter) {
    EXPECT_EQ(FixedWidth(u"abcde" + Smile + u"fgh", 5, 6), (Strings{u"abcde" + Smile, u"fgh"}));
    EXPECT_EQ(FixedWidth(Smile + Smile + Smile, 5, 1), (Strings{Smile, Smile, Smile}));
    EXPECT_EQ(FixedWidth(u"abc" + Smile + u"deXYZ", 1, 6), (Strings{u"abc..."}))
        << "the ellipsis replaces whole characters";
    EXPECT_EQ(FixedWidth(u"ab" + Smile + u"cd", 1, 3), (Strings{u"ab" + Smile}))
        << "three characters are too short for an ellipsis";
    EXPECT_EQ(FixedWidth(LoneTrail + LoneLead + u"a" + LoneLead, 5, 1),
              (Strings{LoneTrail, LoneLead, u"a", LoneLead}))
        << "lone halves are one character each";
}

TEST(SplitAtLineBreaks, SurrogatePairsStayWholeAndCountAsOneCharacter) {
    EXPECT_EQ(AtLineBreaks(u"abcde" + Smile + u"fgh", 1, 6), (Strings{u"abcde" + Smile}));
    EXPECT_EQ(AtLineBreaks(u"abcde" + Smile + u"fgh", 5, 3),
              (Strings{u"abc", u"de" + Smile, u"fgh"}));
    EXPECT_EQ(AtLineBreaks(Smile + u"\n" + Smile + Smile, 5, 1), (Strings{Smile, Smile, Smile}));
    EXPECT_EQ(AtLineBreaks(u"a" + LoneLead + u"\n" + LoneTrail + LoneLead, 5, 1),
              (Strings{u"a", LoneLead, LoneTrail, LoneLead}))
        << "lone halves are one character each, a line feed pairs with neither";
}

TEST(LongestLineIndex, FirstOfTheLongest) {
    TLines lines;
    EXPECT_EQ(LongestLineIndex(lines), -1);
    lines.Add(u"ab");
    lines.Add(u"abc");
    lines.Add(u"xyz");
    EXPECT_EQ(LongestLineIndex(lines), 1);
}
