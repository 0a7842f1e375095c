#include "render/TextBuffers.h"

#include <algorithm>

void CopyToBuffer(std::u16string_view s, size_t maxChars, char16_t* buffer) {
    size_t n = std::min(s.size(), maxChars);
    std::copy_n(s.data(), n, buffer);
    buffer[n] = 0;
}
