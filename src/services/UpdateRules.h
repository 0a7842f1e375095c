#pragma once
// The updater's decisions apart from the network: the version file, the version comparison and
// the check that a downloaded installer is a Windows program.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

// Four 16-bit words as in the program's version record: 0 and 1 the build, 2 the minor and
// 3 the major version.
using TVersionWords = std::array<uint16_t, 4>;

// The words of a version file: exactly 8 bytes, little-endian; none for any other size.
std::optional<TVersionWords> ParseVersionFile(std::span<const uint8_t> bytes);

// Newer by major, then by minor version; the build words do not count.
bool IsNewerVersion(const TVersionWords& remote, uint16_t localMajor, uint16_t localMinor);

// The start of a Windows executable: "MZ", and at the offset stored at 0x3C, "PE\0\0".
bool LooksLikeWindowsProgram(std::span<const uint8_t> head);
