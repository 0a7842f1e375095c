#include "base/BaseDefs.h"

#include "base/Errors.h"

int32_t MaxTextureSize = 0;

int32_t NextPowerOfTwo(int32_t n) {
    GMAssert(n >= 1, "BaseDefs");
    uint32_t v = static_cast<uint32_t>(n) - 1;
    v |= v >> 1;
    v |= v >> 2;
    v |= v >> 4;
    v |= v >> 8;
    v |= v >> 16;
    return static_cast<int32_t>(v + 1);
}

const char* GLErrorName(uint32_t code) {
    switch (code) {
    case 0x0500:
        return "GL_INVALID_ENUM ";
    case 0x0501:
        return "GL_INVALID_VALUE ";
    case 0x0502:
        return "GL_INVALID_OPERATION ";
    case 0x0503:
        return "GL_STACK_OVERFLOW ";
    case 0x0504:
        return "GL_STACK_UNDERFLOW ";
    case 0x0505:
        return "GL_OUT_OF_MEMORY ";
    }
    GMAssert(false, "BaseDefs");
    return "";
}

std::u16string FormatItemError(const std::u16string& message, const std::u16string& id,
                               const std::u16string& path) {
    if (!path.empty())
        return message + u": {Path=" + path + u", ID=" + id + u"}";
    return message + u": {ID=" + id + u"}";
}

void RaiseItemError(const std::u16string& message, const std::u16string& id,
                    const std::u16string& path) {
    throw std::runtime_error(Utf16ToUtf8(FormatItemError(message, id, path)));
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}
