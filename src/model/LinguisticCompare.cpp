#include "model/LinguisticCompare.h"

#include <algorithm>
#include <cstdint>

namespace {

bool InRange(char16_t c, char16_t first, char16_t last) {
    return c >= first && c <= last;
}

// Alphabetic weight of a case-folded character; equal weights mean equal letters.
uint32_t PrimaryWeight(char16_t c) {
    const char16_t f = FoldCase(c);
    if (f < 0x80) {
        if (InRange(f, u'0', u'9'))
            return 0x100 + (f - u'0');
        if (InRange(f, u'a', u'z'))
            return 0x200 + (f - u'a');
        return f; // blanks, punctuation and symbols come first
    }
    if (InRange(f, 0xE0, 0xFF))
        return 0x300 + f; // accented Latin letters after z
    if (InRange(f, 0x3B1, 0x3C9))
        return 0x1000 + f; // Greek
    if (f == 0x451)
        return 0x2000 + (0x435 - 0x430) * 2 + 1; // ё right after е
    if (InRange(f, 0x430, 0x44F))
        return 0x2000 + (f - 0x430) * 2;
    if (InRange(f, 0x450, 0x45F))
        return 0x2100 + f;
    return 0x10000 + f;
}

int Sign(int64_t value) {
    return (value > 0) - (value < 0);
}

} // namespace

char16_t FoldCase(char16_t c) {
    if (InRange(c, u'A', u'Z') || (InRange(c, 0xC0, 0xDE) && c != 0xD7) ||
        (InRange(c, 0x391, 0x3A9) && c != 0x3A2) || InRange(c, 0x410, 0x42F))
        return static_cast<char16_t>(c + 0x20);
    if (InRange(c, 0x400, 0x40F))
        return static_cast<char16_t>(c + 0x50);
    return c;
}

int CompareLinguistic(std::u16string_view a, std::u16string_view b) {
    const int primary =
        CompareLinguisticNoCase(a, b, static_cast<int>(std::max(a.size(), b.size())));
    if (primary != 0)
        return primary;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i])
            continue;
        const bool aLower = FoldCase(a[i]) == a[i];
        const bool bLower = FoldCase(b[i]) == b[i];
        if (aLower != bLower)
            return aLower ? -1 : 1;
        return Sign(static_cast<int64_t>(a[i]) - b[i]);
    }
    return 0;
}

std::string LinguisticSortKey(std::u16string_view text) {
    std::string key;
    const auto put = [&key](uint32_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
            key.push_back(static_cast<char>((value >> shift) & 0xFF));
    };
    // Letters first, shifted by one so that the end of a shorter text sorts before any letter;
    // then case and code, which decide only between texts of equal letters.
    for (char16_t c : text)
        put(PrimaryWeight(c) + 1, 3);
    put(0, 3);
    for (char16_t c : text) {
        put(FoldCase(c) == c ? 0 : 1, 1);
        put(c, 2);
    }
    return key;
}

int CompareLinguisticNoCase(std::u16string_view a, std::u16string_view b, int count) {
    const size_t limit = count > 0 ? static_cast<size_t>(count) : 0;
    const size_t aLength = std::min(a.size(), limit);
    const size_t bLength = std::min(b.size(), limit);
    for (size_t i = 0; i < aLength && i < bLength; ++i) {
        const uint32_t wa = PrimaryWeight(a[i]);
        const uint32_t wb = PrimaryWeight(b[i]);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    return Sign(static_cast<int64_t>(aLength) - static_cast<int64_t>(bLength));
}

bool ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    if (part.empty() || part.size() > text.size())
        return false;
    auto same = [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); };
    return std::search(text.begin(), text.end(), part.begin(), part.end(), same) != text.end();
}
