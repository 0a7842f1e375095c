#include "render/CaptionLines.h"

#include <utility>

#include "base/Errors.h"
#include "services/WStrUtils.h"

namespace {
constexpr const char* Module = "CaptionsFormatting";
constexpr char16_t LineFeed = u'\n';
constexpr int32_t InitialCapacity = 10;
constexpr int32_t GrowthSlack = 5;

// A surrogate pair is one character: cutting between its halves would draw both broken. A lone
// half is one character of its own.
size_t CharUnits(std::u16string_view text, size_t position) {
    int i = static_cast<int>(position) + 1; // CharKind counts from 1
    bool pair = CharKind(text, i) == TCharKind::LeadSurrogate &&
                CharKind(text, i + 1) == TCharKind::TrailSurrogate;
    return pair ? 2 : 1;
}

// The position after up to Count characters from Position.
size_t SkipChars(std::u16string_view text, size_t position, int32_t count) {
    for (; count > 0 && position < text.size(); --count)
        position += CharUnits(text, position);
    return position;
}

int32_t CountChars(std::u16string_view text) {
    int32_t count = 0;
    for (size_t position = 0; position < text.size(); position += CharUnits(text, position))
        ++count;
    return count;
}
} // namespace

TLines::TLines() : FItems(InitialCapacity) {}

void TLines::Add(std::u16string line) {
    ++FCount;
    if (Capacity() < FCount)
        FItems.resize(static_cast<size_t>(FCount + GrowthSlack));
    FItems[static_cast<size_t>(FCount - 1)] = std::move(line);
}

const std::u16string& TLines::GetLine(int32_t index) const {
    GMAssert(index >= 0 && index < FCount, Module);
    return FItems[static_cast<size_t>(index)];
}

void TLines::SetLine(int32_t index, std::u16string line) {
    GMAssert(index >= 0 && index < FCount, Module);
    FItems[static_cast<size_t>(index)] = std::move(line);
}

void SplitFixedWidth(std::u16string_view text, int32_t maxLines, int32_t maxChars, bool clearFirst,
                     TLines& lines, bool ellipsis) {
    GMAssert(maxChars >= 1 && maxLines >= 1, Module);
    if (clearFirst)
        lines.Clear();
    size_t position = 0;
    while (lines.Count() < maxLines && position < text.size()) {
        size_t end = SkipChars(text, position, maxChars);
        lines.Add(std::u16string(text.substr(position, end - position)));
        position = end;
    }
    bool textLeftOver = position < text.size();
    if (!ellipsis || lines.Empty() || !textLeftOver)
        return;
    int32_t last = lines.Count() - 1;
    std::u16string line = lines.GetLine(last);
    int32_t chars = CountChars(line);
    if (chars < 4)
        return;
    line.replace(SkipChars(line, 0, chars - 3), std::u16string::npos, u"...");
    lines.SetLine(last, std::move(line));
}

int32_t SplitAtLineBreaks(std::u16string_view text, int32_t maxLines, int32_t maxChars,
                          bool clearFirst, TLines& lines) {
    GMAssert(maxChars >= 1 && maxLines >= 1, Module);
    if (clearFirst)
        lines.Clear();
    int64_t longestLength = -1;
    int32_t longestIndex = -1;
    size_t position = 0;
    while (lines.Count() < maxLines && position < text.size()) {
        size_t end = SkipChars(text.substr(0, text.find(LineFeed, position)), position, maxChars);
        lines.Add(std::u16string(text.substr(position, end - position)));
        if (static_cast<int64_t>(end - position) > longestLength) {
            longestLength = static_cast<int64_t>(end - position);
            longestIndex = lines.Count() - 1;
        }
        position = end;
        while (position < text.size() && text[position] == LineFeed)
            ++position;
    }
    return longestIndex;
}

int32_t LongestLineIndex(const TLines& lines) {
    int32_t longest = -1;
    size_t longestLength = 0;
    for (int32_t i = 0; i < lines.Count(); ++i) {
        size_t length = lines.GetLine(i).size();
        if (longest < 0 || length > longestLength) {
            longest = i;
            longestLength = length;
        }
    }
    return longest;
}
