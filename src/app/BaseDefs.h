#pragma once
// Portable part of the base definitions: decisions and arithmetic with no platform need.
#include <cstdint>
#include <string>
#include <string_view>

// GL_MAX_TEXTURE_SIZE as read by the requirement check; the atlases are sized from it.
extern int32_t MaxTextureSize;

// The smallest power of two not below n (n >= 1).
int32_t NextPowerOfTwo(int32_t n);

// What start-up measured about the machine; the requirement check decides from these alone.
struct TMeasuredSystem {
    bool VersionKnown = false; // GetVersionExW succeeded
    uint32_t MajorVersion = 0;
    bool HasBgra = false;     // GL_EXT_bgra in the extension string
    bool HasGL14 = false;     // the context supports OpenGL 1.4
    int32_t ScreenWidth = 0;  // HORZRES of the screen
    int32_t ScreenHeight = 0; // VERTRES of the screen
    uint64_t TotalPhysicalBytes = 0;
};

enum class TRequirement { Met, Vista, Bgra, GL14, Resolution, Ram };

// The first requirement the machine misses, in the order they are checked.
TRequirement FirstUnmetRequirement(const TMeasuredSystem& system);

// The localised message of an unmet requirement (empty for Met).
const std::u16string& RequirementMessage(TRequirement requirement);

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
