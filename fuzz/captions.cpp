// Captions are file names and paths from anywhere: any UTF-16, lone surrogate halves included.
// The text is cut into lines by both splitters and laid out on a proportional stand-in for the
// bitmap; no cut may fall inside a surrogate pair, and nothing drawn may leave its box.
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "render/CaptionsFormatting.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

using TStrings = std::vector<std::u16string>;

// Characters of four widths around half the font height; lines the font height plus one apart.
class TProportionalSurface : public TTextSurface {
public:
    void SetFont(int32_t pixelHeight) override { FontHeight = pixelHeight; }
    TTextMetrics TextMetrics() override { return {FontHeight, 1, FontHeight / 2}; }
    TTextExtent TextExtent(std::u16string_view text) override {
        int32_t width = 0;
        for (const char16_t c : text)
            width += FontHeight * (1 + c % 4) / 5;
        return {width, FontHeight};
    }
    void SetSize(int32_t width, int32_t height) override {
        FUZZ_CHECK(width >= 0 && height >= 0);
        Width = width, Height = height;
        Written.clear();
    }
    void Clear(TColour) override {}
    void WriteText(int32_t x, int32_t y, std::u16string_view text) override {
        FUZZ_CHECK(x == 0 && y >= 0);
        Written.emplace_back(text);
    }

    int32_t FontHeight = 10;
    int32_t Width = 0, Height = 0;
    TStrings Written;
};

// What the input asks of the layout, read before the text.
struct TLayout {
    int32_t MaxLines, MaxChars;
    int32_t FontSize; // 0 keeps the surface's font
    int32_t MaxWidth, MaxHeight, MarginChars;
    bool Fit;

    explicit TLayout(TFuzzInput& input)
        : MaxLines(1 + input.Byte() % 64), MaxChars(1 + input.Byte()), FontSize(input.Byte() % 61),
          MaxWidth(1 + input.UInt16() % 2048),
          // The callers' boxes hold at least one line.
          MaxHeight(LineStep() + input.UInt16() % 2048), MarginChars(input.Byte() % 40),
          Fit(input.Flag()) {}

    int32_t LineStep() const { return (FontSize > 0 ? FontSize : 10) + 1; }
};

bool InsidePair(std::u16string_view text, size_t position) {
    return position > 0 && position < text.size() && text[position - 1] >= 0xD800 &&
           text[position - 1] <= 0xDBFF && text[position] >= 0xDC00 && text[position] <= 0xDFFF;
}

int32_t Characters(std::u16string_view text) {
    int32_t count = 0;
    for (size_t i = 0; i < text.size(); ++i, ++count)
        if (InsidePair(text, i + 1))
            ++i;
    return count;
}

TStrings LinesFrom(const TLines& lines, int32_t first) {
    TStrings result;
    for (int32_t i = first; i < lines.Count(); ++i)
        result.push_back(lines.GetLine(i));
    return result;
}

// Slices after a line already there, as the drag label adds them; or, with the ellipsis, on
// their own, where the last slice may end in one.
TStrings FixedWidth(std::u16string_view text, const TLayout& layout, bool ellipsis) {
    TLines lines;
    lines.Add(u"kept");
    if (ellipsis) {
        SplitFixedWidth(text, layout.MaxLines, layout.MaxChars, true, lines, true);
        FUZZ_CHECK(lines.Count() <= layout.MaxLines);
        return LinesFrom(lines, 0);
    }
    SplitFixedWidth(text, layout.MaxLines + 1, layout.MaxChars, false, lines, false);
    FUZZ_CHECK(lines.GetLine(0) == u"kept" && lines.Count() <= layout.MaxLines + 1);
    return LinesFrom(lines, 1);
}

void CheckFixedWidth(std::u16string_view text, const TLayout& layout) {
    const TStrings slices = FixedWidth(text, layout, false);
    size_t at = 0;
    for (const auto& slice : slices) {
        FUZZ_CHECK(!slice.empty() && Characters(slice) <= layout.MaxChars);
        FUZZ_CHECK(text.substr(at, slice.size()) == slice);
        at += slice.size();
        FUZZ_CHECK(!InsidePair(text, at));
    }
    const TStrings shortened = FixedWidth(text, layout, true);
    FUZZ_CHECK(shortened.size() == slices.size());
    if (slices.empty() || shortened.back() == slices.back())
        return;
    // Only a cut text's last slice of four or more characters, by whole characters.
    FUZZ_CHECK(at < text.size() && Characters(slices.back()) >= 4);
    FUZZ_CHECK(std::equal(slices.begin(), slices.end() - 1, shortened.begin()));
    const std::u16string& last = shortened.back();
    FUZZ_CHECK(last.ends_with(u"...") && Characters(last) == Characters(slices.back()));
    const std::u16string_view kept(last.data(), last.size() - 3);
    FUZZ_CHECK(slices.back().starts_with(kept) && !InsidePair(slices.back(), kept.size()));
}

void CheckLineBreaks(std::u16string_view text, const TLayout& layout) {
    TLines lines;
    const int32_t longest = SplitAtLineBreaks(text, layout.MaxLines, layout.MaxChars, true, lines);
    FUZZ_CHECK(longest == LongestLineIndex(lines));
    FUZZ_CHECK(lines.Count() <= layout.MaxLines && lines.Empty() == text.empty());
    size_t at = 0;
    for (int32_t i = 0; i < lines.Count(); ++i) {
        const std::u16string& line = lines.GetLine(i);
        FUZZ_CHECK(line.find(u'\n') == std::u16string::npos);
        FUZZ_CHECK(Characters(line) <= layout.MaxChars && (i == 0 || !line.empty()));
        FUZZ_CHECK(text.substr(at, line.size()) == line);
        at += line.size();
        FUZZ_CHECK(!InsidePair(text, at));
        while (at < text.size() && text[at] == u'\n')
            ++at;
    }
}

// A tooltip or a caption: the text broken to fit a box.
void CheckTextLayout(std::u16string_view text, const TLayout& layout) {
    if (layout.FontSize == 1)
        return; // a font without an average character width is never asked for
    TProportionalSurface surface;
    int32_t width = -1, height = -1;
    FormatTextToBitmap(text, layout.MaxWidth, layout.MaxHeight, layout.FontSize, ColourBlack,
                       surface, &width, &height, layout.Fit, layout.MarginChars);
    if (text.empty()) {
        FUZZ_CHECK(width == -1 && height == -1 && surface.Written.empty());
        return;
    }
    FUZZ_CHECK(width > 0 && width <= layout.MaxWidth && height > 0 && height <= layout.MaxHeight);
    FUZZ_CHECK(surface.Width == (layout.Fit ? width : layout.MaxWidth));
    FUZZ_CHECK(surface.Height == (layout.Fit ? height : layout.MaxHeight));
    FUZZ_CHECK(!surface.Written.empty() &&
               int32_t(surface.Written.size()) <= layout.MaxHeight / layout.LineStep());
}

// The drag label: each line of the text one of its lines, after the operation's word.
void CheckLinesLayout(std::u16string_view text, const TLayout& layout) {
    TLines lines;
    lines.Add(u"Copy ");
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find(u'\n', start), text.size());
        lines.Add(std::u16string(text.substr(start, end - start)));
        start = end + 1;
    }
    TProportionalSurface surface;
    int32_t width = -1, height = -1;
    FormatLinesToBitmap(lines, layout.MaxChars, layout.MaxLines, 0, ColourWhite, surface, width,
                        height);
    FUZZ_CHECK(width == surface.Width && height == surface.Height);
    FUZZ_CHECK(!surface.Written.empty() && int32_t(surface.Written.size()) <= layout.MaxLines);
    for (const auto& written : surface.Written)
        FUZZ_CHECK(Characters(written) <= layout.MaxChars);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    const TLayout layout(input);
    const std::u16string text = input.RestAsText();
    CheckFixedWidth(text, layout);
    CheckLineBreaks(text, layout);
    CheckTextLayout(text, layout);
    CheckLinesLayout(text, layout);
    return 0;
}
