#include "render/CaptionLines.h"

#include <algorithm>

#include "app/Errors.h"

namespace {
constexpr const char* Module = "CaptionsFormatting";
constexpr char16_t LineFeed = u'\n';
constexpr int32_t InitialCapacity = 10;
constexpr int32_t GrowthSlack = 5;
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
        size_t n = std::min(static_cast<size_t>(maxChars), text.size() - position);
        lines.Add(std::u16string(text.substr(position, n)));
        position += n;
    }
    bool textLeftOver = position < text.size();
    if (!ellipsis || lines.Empty() || !textLeftOver)
        return;
    int32_t last = lines.Count() - 1;
    std::u16string line = lines.GetLine(last);
    if (line.size() < 4)
        return;
    line.replace(line.size() - 3, 3, u"...");
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
        size_t end = position;
        while (end < text.size() && end - position < static_cast<size_t>(maxChars) &&
               text[end] != LineFeed)
            ++end;
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
