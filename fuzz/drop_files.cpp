// A CF_HDROP block from another program, wide or ANSI as its header says: the paths read are
// whole names, and a block the program builds from them reads back the same.
#include "FuzzCheck.h"

#include "interact/PathList.h"

#include <cstdint>
#include <string_view>

namespace {

// A stand-in for the system's code page: a byte per character, high bytes into Cyrillic.
std::u16string FromCodePage(std::string_view ansi) {
    std::u16string wide;
    for (const char c : ansi) {
        const auto byte = static_cast<unsigned char>(c);
        wide.push_back(byte < 0x80 ? char16_t(byte) : char16_t(0x0400 + byte - 0x80));
    }
    return wide;
}

void CheckNames(const std::vector<std::u16string>& names) {
    for (const auto& name : names)
        FUZZ_CHECK(!name.empty() && name.find(u'\0') == std::u16string::npos);
    const TPathList list = BuildPathList(names);
    FUZZ_CHECK(PathsOf(list) == names);
    FUZZ_CHECK(ReadDropFiles(BuildDropFiles(list)) == names);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> block(data, size);
    const auto latin1 = ReadDropFiles(block);
    const auto converted = ReadDropFiles(block, FromCodePage);
    FUZZ_CHECK(latin1.has_value() == converted.has_value());
    if (!latin1)
        return 0;
    FUZZ_CHECK(latin1->size() == converted->size());
    CheckNames(*latin1);
    CheckNames(*converted);
    return 0;
}
