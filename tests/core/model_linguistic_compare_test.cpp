#include "model/LinguisticCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(LinguisticCompare, AlphabeticWhateverTheCaseThenLowerFirst) {
    EXPECT_LT(CompareLinguistic(u"apple", u"Banana"), 0);
    EXPECT_LT(CompareLinguistic(u"a", u"A"), 0);
    EXPECT_GT(CompareLinguistic(u"A", u"a"), 0);
    EXPECT_EQ(CompareLinguistic(u"Same", u"Same"), 0);
    EXPECT_LT(CompareLinguistic(u"ab", u"ABC"), 0);

    std::vector<std::u16string> names = {u"ёлка", u"Жук",   u"zeta", u"Елена", u"10",    u"_x",
                                         u"яма",  u"Alpha", u"Ёж",   u"2",     u"Яблоко"};
    std::sort(names.begin(), names.end(),
              [](const auto& a, const auto& b) { return CompareLinguistic(a, b) < 0; });
    const std::vector<std::u16string> expected = {
        u"_x", u"10", u"2", u"Alpha", u"zeta", u"Елена", u"Ёж", u"ёлка", u"Жук", u"Яблоко", u"яма"};
    EXPECT_EQ(names, expected);
}

TEST(LinguisticCompare, CaseInsensitiveFormsCountAndSubstring) {
    EXPECT_EQ(CompareLinguisticNoCase(u"ДОКУМЕНТ", u"документы", 8), 0);
    EXPECT_LT(CompareLinguisticNoCase(u"ДОКУМЕНТ", u"документы", 9), 0);
    EXPECT_EQ(CompareLinguisticNoCase(u"x", u"y", -1), 0);
    EXPECT_EQ(CompareLinguisticNoCase(u"Ελλάδα", u"ΕΛΛ", 3), 0);

    EXPECT_TRUE(ContainsNoCase(u"MyDocs", u"DOC"));
    EXPECT_TRUE(ContainsNoCase(u"Мои документы", u"ДОК"));
    EXPECT_FALSE(ContainsNoCase(u"Елка", u"ёл"));
    EXPECT_FALSE(ContainsNoCase(u"abc", u"abcd"));
    EXPECT_FALSE(ContainsNoCase(u"abc", u""));
}

// Sorting by keys must give every pair the order the comparison gives, ties included.
TEST(LinguisticCompare, SortKeysOrderEveryPairLikeTheComparison) {
    const std::vector<std::u16string> texts = {
        u"",    u"a",    u"A",    u"ab",   u"aB",   u"Ab",    u"AB",    u"abc",  u"a b",
        u"a.b", u"a-b",  u"10",   u"9",    u"_",    u"Ёж",    u"ёж",    u"Еж",   u"еЖ",
        u"Жук", u"zeta", u"Zeta", u"zéta", u"ZÉTA", u"Ωmega", u"ωmega", u"中文", u"😀"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto& a : texts)
        for (const auto& b : texts) {
            const int byKeys = sign(LinguisticSortKey(a).compare(LinguisticSortKey(b)));
            EXPECT_EQ(byKeys, sign(CompareLinguistic(a, b)))
                << "texts " << (&a - texts.data()) << " and " << (&b - texts.data());
        }
}
