#pragma once
// Small helpers over UTF-16 strings. Positions are 1-based, as in the paths they work on;
// they count UTF-16 code units, so a character outside the BMP takes two positions.
#include <cstdint>
#include <string>
#include <string_view>

// Characters index .. index + count - 1 of s, cut at its end; empty when index < 1,
// index > length or count < 1. A negative index is a programming error (asserts).
std::u16string Copy(std::u16string_view s, int index, int count);

// Makes a non-empty s end in exactly one backslash: a second trailing backslash is dropped,
// a missing one appended.
void NormalizeTrailingBackslash(std::u16string& s);

// Decimal text of n, with a leading minus sign when negative.
std::u16string IntToText(int32_t n);

// The first c in the zero-terminated text p, the terminator itself when c is 0, nullptr when
// c does not occur or p is nullptr.
const char16_t* ScanChar(const char16_t* p, char16_t c);

// The highest position whose character is one of delimiters (a zero never matches); 0 for none.
int LastDelimiter(std::u16string_view delimiters, std::u16string_view s);

enum class TCharKind { Ordinary = 0, LeadSurrogate = 1, TrailSurrogate = 2 };
// Ordinary also for a position out of range.
TCharKind CharKind(std::u16string_view s, int i);

// True when position i is in range, is no surrogate half and holds one of delimiters.
bool IsDelimiter(std::u16string_view delimiters, std::u16string_view s, int i);

// The directory part: C:\Data\File.txt gives C:\Data, C:\Data gives C:\, C:\ stays C:\.
std::u16string ExtractDirectory(std::u16string_view path);

// The last component, a trailing backslash kept: C:\Data\File.txt gives File.txt,
// C:\Data\Sub\ gives Sub\, C:\ stays C:\.
std::u16string ExtractLastComponent(std::u16string_view path);

// The extension of a file name with its dot (.txt), or empty: the last dot after the last
// backslash, provided no blank follows it.
std::u16string FindExtension(std::u16string_view path);
// The same, as a view into path.
std::u16string_view FindExtensionView(std::u16string_view path);

// Equal when only the case of the letters A to Z differs.
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

// The drive root of a drive path: C:\Data gives C:\ (the letter as written); empty for any
// other path.
std::u16string DriveRootOf(std::u16string_view path);

// The \\?\ form of an absolute drive path (C:\...) or UNC path (\\server\share\...), which the
// file functions take beyond MAX_PATH; a path already in that form is returned as it is.
// Empty for anything else: relative paths and shell names such as ::{...}.
std::u16string ExtendedLengthPath(std::u16string_view path);
