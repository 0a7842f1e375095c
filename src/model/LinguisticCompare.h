#pragma once
// A portable stand-in for the shell's locale-aware comparisons, with the same case rules:
// letters compare alphabetically whatever their case (Latin, Greek and Cyrillic, with Ё after
// Е), punctuation before digits before letters, and only when two texts differ in nothing but
// case does the lower-case one come first.
#include <string>
#include <string_view>

char16_t FoldCase(char16_t c);

// <0, 0, >0 like strcmp; case-sensitive (0 only for identical texts).
int CompareLinguistic(std::u16string_view a, std::u16string_view b);
// Bytes whose plain order is CompareLinguistic's order.
std::string LinguisticSortKey(std::u16string_view text);
// Case-insensitive over at most count characters of each.
int CompareLinguisticNoCase(std::u16string_view a, std::u16string_view b, int count);
// Case-insensitive substring test; an empty part is never found.
bool ContainsNoCase(std::u16string_view text, std::u16string_view part);
