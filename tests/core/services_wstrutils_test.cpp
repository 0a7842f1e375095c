#include "services/WStrUtils.h"

#include "base/Errors.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
const std::u16string Smile = u"\U0001F600"; // a surrogate pair
} // namespace

TEST(WStrCopy, CutsAtTheEndAndRefusesOutOfRange) {
    EXPECT_EQ(Copy(u"abcdef", 2, 3), u"bcd");
    EXPECT_EQ(Copy(u"abcdef", 6, INT_MAX), u"f");
    EXPECT_EQ(Copy(u"abcdef", 0, 3), u"");
    EXPECT_EQ(Copy(u"abcdef", 7, 1), u"");
    EXPECT_EQ(Copy(u"abcdef", 1, -5), u"");
    EXPECT_THROW(Copy(u"abc", -1, 1), EAssertionFailed);
}

TEST(WStrNormalizeTrailingBackslash, EndsInExactlyOneBackslash) {
    const std::pair<std::u16string, std::u16string> cases[] = {{u"C:\\", u"C:\\"},
                                                               {u"C:\\Data", u"C:\\Data\\"},
                                                               {u"C:\\Data\\\\", u"C:\\Data\\"},
                                                               {u"", u""},
                                                               {u"\\", u"\\"},
                                                               {u"\\\\", u"\\"}};
    for (auto [input, expected] : cases) {
        NormalizeTrailingBackslash(input);
        EXPECT_EQ(input, expected);
    }
}

TEST(WStrIntToText, WholeRangeOfInt32) {
    EXPECT_EQ(IntToText(0), u"0");
    EXPECT_EQ(IntToText(-42), u"-42");
    EXPECT_EQ(IntToText(INT32_MAX), u"2147483647");
    EXPECT_EQ(IntToText(INT32_MIN), u"-2147483648");
}

TEST(WStrScanning, ScanCharAndLastDelimiter) {
    const char16_t* text = u"a\\b";
    EXPECT_EQ(ScanChar(text, u'\\'), text + 1);
    EXPECT_EQ(ScanChar(text, 0), text + 3);
    EXPECT_EQ(ScanChar(text, u'z'), nullptr);
    EXPECT_EQ(ScanChar(nullptr, u'a'), nullptr);

    EXPECT_EQ(LastDelimiter(u"\\:", u"C:\\Data\\File.txt"), 8);
    EXPECT_EQ(LastDelimiter(u"\\:", u"File.txt"), 0);
    // A zero among the delimiters never matches a zero in the text.
    EXPECT_EQ(LastDelimiter(std::u16string(u"x\0", 2), std::u16string(u"a\0b", 3)), 0);
}

TEST(WStrSurrogates, CharKindAndIsDelimiter) {
    const std::u16string s = u"\\" + Smile;
    EXPECT_EQ(CharKind(s, 1), TCharKind::Ordinary);
    EXPECT_EQ(CharKind(s, 2), TCharKind::LeadSurrogate);
    EXPECT_EQ(CharKind(s, 3), TCharKind::TrailSurrogate);
    EXPECT_EQ(CharKind(s, 0), TCharKind::Ordinary);
    EXPECT_EQ(CharKind(s, 4), TCharKind::Ordinary);
    EXPECT_TRUE(IsDelimiter(u"\\", s, 1));
    EXPECT_FALSE(IsDelimiter(u"\\", s, 4));
    // A surrogate half is never a delimiter, even when the delimiters hold it.
    EXPECT_FALSE(IsDelimiter(Smile, s, 2));
    EXPECT_FALSE(IsDelimiter(Smile, s, 3));
}

TEST(WStrExtractDirectory, ExamplesAndOddPaths) {
    EXPECT_EQ(ExtractDirectory(u"C:\\Data\\File.txt"), u"C:\\Data");
    EXPECT_EQ(ExtractDirectory(u"C:\\Data"), u"C:\\");
    EXPECT_EQ(ExtractDirectory(u"C:\\"), u"C:\\");
    EXPECT_EQ(ExtractDirectory(u"C:File.txt"), u"C:");
    EXPECT_EQ(ExtractDirectory(u"File.txt"), u"");
    EXPECT_EQ(ExtractDirectory(u""), u"");
    EXPECT_EQ(ExtractDirectory(u"\\\\server\\share\\f.txt"), u"\\\\server\\share");
    EXPECT_EQ(ExtractDirectory(u"C:\\Фото\\" + Smile + u".jpg"), u"C:\\Фото");
}

TEST(WStrExtractLastComponent, ExamplesAndOddPaths) {
    EXPECT_EQ(ExtractLastComponent(u"C:\\Data\\File.txt"), u"File.txt");
    EXPECT_EQ(ExtractLastComponent(u"C:\\Data\\Sub\\"), u"Sub\\");
    EXPECT_EQ(ExtractLastComponent(u"C:\\"), u"C:\\");
    EXPECT_EQ(ExtractLastComponent(u""), u"");
    EXPECT_EQ(ExtractLastComponent(u"\\\\"), u"\\");
    EXPECT_EQ(ExtractLastComponent(u"C:\\Данные\\" + Smile + Smile), Smile + Smile);
}

TEST(WStrPaths, ExtensionAndExtendedLengthForm) {
    EXPECT_EQ(FindExtension(u"C:\\a.tar.gz"), u".gz");
    EXPECT_EQ(FindExtension(u"C:\\Dir.d\\File"), u"");
    EXPECT_EQ(FindExtension(u"C:\\Data\\a.b c"), u"");
    EXPECT_EQ(FindExtension(u"C:\\photo." + Smile), u"." + Smile);

    EXPECT_EQ(ExtendedLengthPath(u"C:\\Data"), u"\\\\?\\C:\\Data");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\server\\share\\x"), u"\\\\?\\UNC\\server\\share\\x");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\?\\C:\\Data"), u"\\\\?\\C:\\Data");
    EXPECT_EQ(ExtendedLengthPath(u"C:Data"), u"");
    EXPECT_EQ(ExtendedLengthPath(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), u"");
    EXPECT_EQ(ExtendedLengthPath(u"\\\\"), u"");
}

TEST(WStrDriveRootOf, DrivePathsGiveTheirRootAndOthersNothing) {
    EXPECT_EQ(DriveRootOf(u"E:\\Photos\\Trips"), u"E:\\");
    EXPECT_EQ(DriveRootOf(u"e:"), u"e:\\");
    EXPECT_EQ(DriveRootOf(u"\\\\server\\share"), u"");
    EXPECT_EQ(DriveRootOf(u"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"), u"");
    EXPECT_EQ(DriveRootOf(u"E"), u"");
}
