#include "services/UpdateRules.h"

namespace {
constexpr size_t VersionFileSize = 8;
constexpr size_t NewHeaderOffsetAt = 0x3C;
} // namespace

std::optional<TVersionWords> ParseVersionFile(std::span<const uint8_t> bytes) {
    if (bytes.size() != VersionFileSize)
        return std::nullopt;
    TVersionWords words{};
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = static_cast<uint16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    return words;
}

bool IsNewerVersion(const TVersionWords& remote, uint16_t localMajor, uint16_t localMinor) {
    return remote[3] > localMajor || (remote[3] == localMajor && remote[2] > localMinor);
}

bool LooksLikeWindowsProgram(std::span<const uint8_t> head) {
    if (head.size() < NewHeaderOffsetAt + 4 || head[0] != 'M' || head[1] != 'Z')
        return false;
    const uint32_t at = head[NewHeaderOffsetAt] | (head[NewHeaderOffsetAt + 1] << 8) |
                        (head[NewHeaderOffsetAt + 2] << 16) |
                        (uint32_t(head[NewHeaderOffsetAt + 3]) << 24);
    return at <= head.size() - 4 && head[at] == 'P' && head[at + 1] == 'E' && head[at + 2] == 0 &&
           head[at + 3] == 0;
}
