#pragma once
// Two small string routines.
#include <cstddef>
#include <string_view>

// Copies the first min(length, MaxChars) characters of S into Buffer and a terminating zero;
// Buffer must hold MaxChars + 1 characters.
void CopyToBuffer(std::u16string_view s, size_t maxChars, char16_t* buffer);

// True for "0" to "9" only.
constexpr bool IsDigitChar(char16_t c) {
    return c >= u'0' && c <= u'9';
}
