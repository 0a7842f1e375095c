// The path helpers take paths from drops, the clipboard and the shell: any UTF-16. Their parts
// must be parts of the path, and the index-taking ones must stay within it.
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "services/WStrUtils.h"

#include <cstdint>

namespace {

bool IsSuffix(std::u16string_view part, std::u16string_view whole) {
    return whole.ends_with(part);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const int index = int(input.UInt16()) - 4;
    const int count = int(input.UInt16()) - 4;
    const std::u16string delimiters = input.Text();
    const std::u16string path = input.RestAsText();
    const int length = int(path.size());

    const std::u16string directory = ExtractDirectory(path);
    FUZZ_CHECK(path.starts_with(directory));
    const std::u16string last = ExtractLastComponent(path);
    FUZZ_CHECK(IsSuffix(last, path) && last.empty() == path.empty());
    const std::u16string extension = FindExtension(path);
    FUZZ_CHECK(IsSuffix(extension, path) && (extension.empty() || extension[0] == u'.'));
    FUZZ_CHECK(extension.find_first_of(u"\\ ") == std::u16string::npos);
    const std::u16string root = DriveRootOf(path);
    FUZZ_CHECK(root.empty() || (root.size() == 3 && path.starts_with(root.substr(0, 2))));
    const std::u16string extended = ExtendedLengthPath(path);
    FUZZ_CHECK(extended.empty() || extended.starts_with(u"\\\\?\\"));
    FUZZ_CHECK(EqualsIgnoringAsciiCase(path, path));

    std::u16string normalized = path;
    NormalizeTrailingBackslash(normalized);
    FUZZ_CHECK(path.empty() ? normalized.empty() : normalized.ends_with(u'\\'));

    if (index >= 0) {
        const std::u16string copy = Copy(path, index, count);
        FUZZ_CHECK(copy.size() <= size_t(count > 0 ? count : 0));
        FUZZ_CHECK(copy.empty() || path.substr(size_t(index - 1), copy.size()) == copy);
    }
    const int at = LastDelimiter(delimiters, path);
    FUZZ_CHECK(at >= 0 && at <= length);
    FUZZ_CHECK(at == 0 || (path[size_t(at - 1)] != 0 &&
                           delimiters.find(path[size_t(at - 1)]) != std::u16string::npos));
    for (int i = -1; i <= length + 1; ++i) {
        const bool delimiter = IsDelimiter(delimiters, path, i);
        FUZZ_CHECK(!delimiter ||
                   (i >= 1 && i <= length && CharKind(path, i) == TCharKind::Ordinary));
    }
    const char16_t sought = delimiters.empty() ? u'\\' : delimiters[0];
    const char16_t* found = ScanChar(path.c_str(), sought);
    FUZZ_CHECK(!found ||
               (found >= path.c_str() && found <= path.c_str() + length && *found == sought));
    return 0;
}
