// What the updater takes from the server: the version file, compared with the running version,
// and the head of a downloaded installer. The input is both the file and the head; the bytes
// after the first eight also give a local version to compare with.
#include "FuzzCheck.h"

#include "services/UpdateRules.h"

#include <cstdint>

namespace {

TVersionWords Version(uint16_t major, uint16_t minor, uint16_t build) {
    return TVersionWords{build, build, minor, major};
}

uint16_t WordAt(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const auto words = ParseVersionFile(bytes);
    FUZZ_CHECK(words.has_value() == (size == 8));
    if (words)
        for (size_t i = 0; i < 4; ++i)
            FUZZ_CHECK((*words)[i] == WordAt(bytes, 2 * i));

    if (LooksLikeWindowsProgram(bytes)) {
        FUZZ_CHECK(size >= 0x40 && bytes[0] == 'M' && bytes[1] == 'Z');
        const uint32_t at =
            bytes[0x3C] | (bytes[0x3D] << 8) | (bytes[0x3E] << 16) | (uint32_t(bytes[0x3F]) << 24);
        FUZZ_CHECK(at + uint64_t(4) <= size && bytes[at] == 'P' && bytes[at + 1] == 'E' &&
                   bytes[at + 2] == 0 && bytes[at + 3] == 0);
    }

    if (size < 14)
        return 0;
    const auto remote = ParseVersionFile(bytes.first(8));
    const uint16_t major = WordAt(bytes, 8), minor = WordAt(bytes, 10), build = WordAt(bytes, 12);
    const uint16_t remoteMajor = (*remote)[3], remoteMinor = (*remote)[2];
    const bool newer = IsNewerVersion(*remote, major, minor);
    // One of the two is newer unless major and minor agree, whatever the build words.
    FUZZ_CHECK(!IsNewerVersion(Version(major, minor, build), major, minor));
    FUZZ_CHECK(!(newer && IsNewerVersion(Version(major, minor, build), remoteMajor, remoteMinor)));
    FUZZ_CHECK(newer || IsNewerVersion(Version(major, minor, build), remoteMajor, remoteMinor) ||
               (major == remoteMajor && minor == remoteMinor));
    FUZZ_CHECK(newer == IsNewerVersion(Version(remoteMajor, remoteMinor, build), major, minor));
    return 0;
}
