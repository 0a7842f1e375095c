// Names and filter texts are any UTF-16. The orders must be orders (antisymmetric, transitive,
// equal only for equal texts), the sort keys must order bytewise as the comparison does, and
// the case-insensitive tests must not see case.
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "model/LinguisticCompare.h"

#include <algorithm>
#include <cstdint>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

int KeyOrder(std::u16string_view a, std::u16string_view b) {
    return Sign(LinguisticSortKey(a).compare(LinguisticSortKey(b)));
}

std::u16string Folded(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = FoldCase(c);
    return folded;
}

int Longest(std::u16string_view a, std::u16string_view b) {
    return int(std::max(a.size(), b.size()));
}

void CheckPair(std::u16string_view a, std::u16string_view b, int count) {
    const int order = Sign(CompareLinguistic(a, b));
    FUZZ_CHECK(order == -Sign(CompareLinguistic(b, a)));
    FUZZ_CHECK((order == 0) == (a == b));
    FUZZ_CHECK(order == KeyOrder(a, b));

    // Case decides only between texts equal but for it.
    const int noCase = Sign(CompareLinguisticNoCase(a, b, Longest(a, b)));
    FUZZ_CHECK(noCase == -Sign(CompareLinguisticNoCase(b, a, Longest(a, b))));
    FUZZ_CHECK(noCase == 0 || noCase == order);
    FUZZ_CHECK(CompareLinguisticNoCase(a, Folded(a), Longest(a, a)) == 0);
    // A count looks at that many characters of each and no further.
    const size_t n = size_t(std::max(count, 0));
    FUZZ_CHECK(Sign(CompareLinguisticNoCase(a, b, count)) ==
               Sign(CompareLinguisticNoCase(a.substr(0, n), b.substr(0, n), Longest(a, b))));

    FUZZ_CHECK(ContainsNoCase(a, b) == ContainsNoCase(Folded(a), Folded(b)));
    FUZZ_CHECK(!ContainsNoCase(a, b) || (!b.empty() && b.size() <= a.size()));
    FUZZ_CHECK(!ContainsNoCase(a, u""));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const int count = int(input.Byte()) - 8;
    const std::u16string a = input.Text();
    const std::u16string b = input.Text();
    const std::u16string c = input.RestAsText();

    for (const char16_t unit : a + b + c)
        FUZZ_CHECK(FoldCase(FoldCase(unit)) == FoldCase(unit));
    CheckPair(a, b, count);
    CheckPair(b, c, count);
    CheckPair(a, c, count);
    if (!a.empty())
        FUZZ_CHECK(ContainsNoCase(a, a.substr(a.size() / 2, (a.size() + 1) / 2)));
    // Sorting by keys and by comparison agree on three texts, which needs transitivity.
    if (CompareLinguistic(a, b) <= 0 && CompareLinguistic(b, c) <= 0)
        FUZZ_CHECK(CompareLinguistic(a, c) <= 0);
    return 0;
}
