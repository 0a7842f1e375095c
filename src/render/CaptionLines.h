#pragma once
// Caption text cut into lines by character count and line feeds; no word wrapping.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A growable list of caption lines. Clear keeps the strings allocated for reuse.
class TLines {
public:
    TLines();

    void Add(std::u16string line);
    void Clear() { FCount = 0; }
    const std::u16string& GetLine(int32_t index) const;
    void SetLine(int32_t index, std::u16string line);

    int32_t Count() const { return FCount; }
    int32_t Capacity() const { return static_cast<int32_t>(FItems.size()); }
    bool Empty() const { return FCount == 0; }

private:
    std::vector<std::u16string> FItems;
    int32_t FCount = 0;
};

// Cuts Text into slices of MaxChars characters, at most MaxLines in all (line feeds are ordinary
// characters). With Ellipsis, a cut text ends its last line in "..." when that line has at least
// four characters.
void SplitFixedWidth(std::u16string_view text, int32_t maxLines, int32_t maxChars, bool clearFirst,
                     TLines& lines, bool ellipsis);

// Cuts Text at line feeds and after MaxChars characters, at most MaxLines in all. Runs of line
// feeds end one line only. Returns the index of the first longest line produced, or -1.
int32_t SplitAtLineBreaks(std::u16string_view text, int32_t maxLines, int32_t maxChars,
                          bool clearFirst, TLines& lines);

// Index of the first line of greatest length, or -1 for an empty list.
int32_t LongestLineIndex(const TLines& lines);
