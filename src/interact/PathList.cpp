#include "interact/PathList.h"

#include <algorithm>

namespace {

constexpr std::size_t FilesOffsetAt = 0; // pFiles
constexpr std::size_t WideFlagAt = 16;   // fWide

void PutUInt32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t UInt32At(std::span<const uint8_t> bytes, std::size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
    return value;
}

// Splits zero-ended names until an empty one or the end; a cut last name still counts.
template <typename TChar, typename TConvert>
std::vector<std::u16string> SplitNames(std::basic_string_view<TChar> text, TConvert convert) {
    std::vector<std::u16string> names;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(TChar(0)), text.size());
        if (end == 0)
            break;
        names.push_back(convert(text.substr(0, end)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return names;
}

std::u16string Latin1(std::string_view ansi) {
    std::u16string wide;
    wide.reserve(ansi.size());
    for (const char c : ansi)
        wide.push_back(static_cast<unsigned char>(c));
    return wide;
}

} // namespace

TPathList BuildPathList(const std::vector<std::u16string>& paths) {
    TPathList list;
    for (const auto& path : paths) {
        if (path.empty())
            continue;
        list += path;
        list += u'\0';
    }
    list += u'\0';
    return list;
}

std::vector<std::u16string> PathsOf(const TPathList& list) {
    return SplitNames(std::u16string_view(list),
                      [](std::u16string_view name) { return std::u16string(name); });
}

bool IsVolumeRoot(std::u16string_view path) {
    std::u16string name(path);
    std::replace(name.begin(), name.end(), u'/', u'\\');
    std::u16string_view rest(name);
    if (rest.starts_with(u"\\\\?\\UNC\\"))
        rest.remove_prefix(8);
    else if (rest.starts_with(u"\\\\?\\") || rest.starts_with(u"\\\\.\\"))
        rest.remove_prefix(4);
    else if (rest.starts_with(u"\\\\"))
        rest.remove_prefix(2);
    else if (rest.size() >= 2 && rest[1] == u':')
        return rest.find_first_not_of(u'\\', 2) == std::u16string_view::npos;
    else
        return !rest.empty() && rest.find_first_not_of(u'\\') == std::u16string_view::npos;
    if (rest.size() >= 2 && rest[1] == u':') // a drive behind a device prefix
        return rest.find_first_not_of(u'\\', 2) == std::u16string_view::npos;
    // A server, or a server and its share: the parts between backslashes.
    int parts = 0;
    for (std::size_t at = 0; at < rest.size();) {
        const std::size_t end = std::min(rest.find(u'\\', at), rest.size());
        if (end > at)
            ++parts;
        at = end + 1;
    }
    return parts <= 2;
}

bool HoldsVolumeRoot(const TPathList& list) {
    const std::vector<std::u16string> paths = PathsOf(list);
    return std::any_of(paths.begin(), paths.end(),
                       [](const std::u16string& path) { return IsVolumeRoot(path); });
}

std::vector<uint8_t> BuildDropFiles(const TPathList& list) {
    std::vector<uint8_t> block(DropFilesHeaderSize + 2 * list.size(), 0);
    PutUInt32(block, FilesOffsetAt, DropFilesHeaderSize);
    PutUInt32(block, WideFlagAt, 1);
    std::size_t at = DropFilesHeaderSize;
    for (const char16_t c : list) {
        block[at++] = static_cast<uint8_t>(c);
        block[at++] = static_cast<uint8_t>(c >> 8);
    }
    return block;
}

std::optional<std::vector<std::u16string>>
ReadDropFiles(std::span<const uint8_t> block, std::u16string (*fromAnsi)(std::string_view)) {
    if (block.size() < DropFilesHeaderSize)
        return std::nullopt;
    const uint32_t filesAt = UInt32At(block, FilesOffsetAt);
    if (filesAt >= block.size())
        return std::nullopt;
    const std::span<const uint8_t> bytes = block.subspan(filesAt);
    if (UInt32At(block, WideFlagAt) != 0) {
        // Wide characters from the bytes themselves: the block need not be aligned.
        std::u16string wide(bytes.size() / 2, u'\0');
        for (std::size_t i = 0; i < wide.size(); ++i)
            wide[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        return PathsOf(wide);
    }
    const std::string_view ansi(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return SplitNames(ansi, fromAnsi ? fromAnsi : Latin1);
}
