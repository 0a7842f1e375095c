#include <gtest/gtest.h>

#include <string>

#include "render/SelectionNames.h"
#include "render/SystemErrorText.h"
#include "render/TextBuffers.h"

TEST(TextBuffers, CopyToBufferCutsAndTerminates) {
    char16_t buffer[8] = {u'#', u'#', u'#', u'#', u'#', u'#', u'#', u'#'};
    CopyToBuffer(u"abcdef", 2, buffer);
    EXPECT_EQ(std::u16string(buffer), u"ab");
    EXPECT_EQ(buffer[3], u'#') << "nothing written past the terminator";
    CopyToBuffer(u"abc", 7, buffer);
    EXPECT_EQ(std::u16string(buffer), u"abc");
    CopyToBuffer(u"abc", 0, buffer);
    EXPECT_EQ(buffer[0], 0);
    CopyToBuffer(u"ab\U0001F600c", 3, buffer);
    EXPECT_EQ(std::u16string(buffer), u"ab") << "no lone half of a surrogate pair";
    CopyToBuffer(u"ab\U0001F600c", 4, buffer);
    EXPECT_EQ(std::u16string(buffer), u"ab\U0001F600");
    EXPECT_FALSE(IsDigitChar(u'/'));
    EXPECT_FALSE(IsDigitChar(u':'));
    EXPECT_TRUE(IsDigitChar(u'0') && IsDigitChar(u'9'));
}

TEST(SystemErrorText, CodeAndSystemMessageOrTheGeneralSentence) {
    EXPECT_EQ(FormatSystemErrorText(5, u"Access denied."),
              u"System error, (OS Code 5):\r\nAccess denied.");
    EXPECT_EQ(FormatSystemErrorText(0, u"ignored"), u"An operating system call failed.");
}

namespace {
struct TItem {
    int Value = 0;
};
struct TOther {
    int Value = 0;
};
} // namespace

TEST(SelectionNames, NamesLeadBackToTheirObjectsOfTheRightType) {
    TItem first, second;
    TOther other;
    uint32_t a = SelectionNameOf(&first);
    uint32_t c = SelectionNameOf(&other);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, SelectionNameOf(&second));
    EXPECT_EQ(SelectionNameOf(&first), a) << "stable while the object lives";
    EXPECT_EQ(ObjectOfSelectionName<TItem>(a), &first);
    EXPECT_EQ(ObjectOfSelectionName<TItem>(c), nullptr) << "another type's name";
    EXPECT_EQ(ObjectOfSelectionName<TOther>(c), &other);
    EXPECT_EQ(ObjectOfSelectionName<TItem>(0xFFFFFFFFu), nullptr);

    ForgetSelectionName(&first);
    EXPECT_EQ(ObjectOfSelectionName<TItem>(a), nullptr);
    TItem third;
    EXPECT_EQ(SelectionNameOf(&third), a) << "freed names are reused";
    ForgetSelectionName(&second);
    ForgetSelectionName(&third);
    ForgetSelectionName(&other);
}
