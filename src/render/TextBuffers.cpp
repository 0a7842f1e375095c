#include "render/TextBuffers.h"

#include <algorithm>

void CopyToBuffer(std::u16string_view s, size_t maxChars, char16_t* buffer) {
    size_t n = std::min(s.size(), maxChars);
    // A cut keeps no first half of a surrogate pair: a name would end in a broken character.
    if (n > 0 && n < s.size() && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF)
        --n;
    std::copy_n(s.data(), n, buffer);
    buffer[n] = 0;
}
