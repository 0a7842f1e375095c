#include "render/StringFieldRules.h"

#include <algorithm>

namespace {

constexpr std::u16string_view FieldSigns = u"_-~.";

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::u16string DeleteSelection(std::u16string_view text, TFieldSelection& selection) {
    const TFieldSelection cut = SelectionWithin(selection, text.size());
    std::u16string result(text);
    result.erase(size_t(cut.Start - 1), size_t(cut.End - cut.Start + 1));
    selection = TFieldSelection{1, 0};
    return result;
}

} // namespace

TFieldSelection SelectionWithin(const TFieldSelection& selection, size_t textLength) {
    return TFieldSelection{selection.Start, std::min(selection.End, int32_t(textLength))};
}

bool HasSelection(const TFieldSelection& selection, size_t textLength) {
    const TFieldSelection cut = SelectionWithin(selection, textLength);
    return cut.Start >= 1 && cut.Start <= cut.End;
}

bool AcceptsFieldChar(char16_t c, bool letterOrDigit) {
    return letterOrDigit || FieldSigns.find(c) != std::u16string_view::npos;
}

TFieldEdit EditFieldText(std::u16string_view text, char16_t c, bool letterOrDigit,
                         TFieldSelection& selection) {
    if (c == FieldKeySelectAll) {
        selection = TFieldSelection{1, int32_t(text.size())};
        return TFieldEdit{TFieldChange::SelectionOnly, {}};
    }
    const bool selected = HasSelection(selection, text.size());
    if (c == FieldKeyBackspace) {
        if (selected)
            return TFieldEdit{TFieldChange::DeletedText, DeleteSelection(text, selection)};
        if (text.empty())
            return {};
        size_t keep = text.size() - 1;
        // A character outside the basic plane goes as a whole; a lone half is one of its own.
        if (keep > 0 && IsHighSurrogate(text[keep - 1]) && IsLowSurrogate(text[keep]))
            --keep;
        return TFieldEdit{TFieldChange::Text, std::u16string(text.substr(0, keep))};
    }
    if (!AcceptsFieldChar(c, letterOrDigit))
        return {};
    // A typed character replaces the selection, as in any edit field. A text set from outside
    // may leave no room even then: the key is refused and the selection stays.
    TFieldSelection after = selection;
    std::u16string result = selected ? DeleteSelection(text, after) : std::u16string(text);
    if (result.size() + 1 > size_t(MaxFieldTextLength))
        return {};
    selection = after;
    result += c;
    return TFieldEdit{TFieldChange::Text, std::move(result)};
}
