#pragma once
// Base definitions every subsystem uses: arithmetic, error texts and conversions with no
// platform need.
#include <cstdint>
#include <string>
#include <string_view>

// GL_MAX_TEXTURE_SIZE as read by the requirement check; the atlases are sized from it.
extern int32_t MaxTextureSize;

// The smallest power of two not below n (n >= 1).
int32_t NextPowerOfTwo(int32_t n);

// Name of an OpenGL error code followed by a blank ("GL_INVALID_ENUM "); asserts on unknown codes.
const char* GLErrorName(uint32_t code);

// "message: {Path=path, ID=id}" or, without a path, "message: {ID=id}".
std::u16string FormatItemError(const std::u16string& message, const std::u16string& id,
                               const std::u16string& path);

// Raises the runtime's base exception (std::runtime_error, UTF-8 text) with FormatItemError's text.
[[noreturn]] void RaiseItemError(const std::u16string& message, const std::u16string& id,
                                 const std::u16string& path);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// Whole MiB of a byte count, rounded down.
inline uint64_t WholeMiB(uint64_t bytes) {
    return bytes >> 20;
}
