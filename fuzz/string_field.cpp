// The one-line text field over the scene: its text may be set from outside at any time (any
// UTF-16, lone surrogate halves included), and any key may arrive. Every key is held to what
// it must do to the text and the selection.
#include "FuzzCheck.h"
#include "FuzzInput.h"

#include "render/StringFieldRules.h"

#include <cstdint>

namespace {

bool EndsInPair(std::u16string_view text) {
    const size_t n = text.size();
    return n >= 2 && text[n - 2] >= 0xD800 && text[n - 2] <= 0xDBFF && text[n - 1] >= 0xDC00 &&
           text[n - 1] <= 0xDFFF;
}

std::u16string WithoutSelection(std::u16string_view text, const TFieldSelection& selection) {
    const TFieldSelection cut = SelectionWithin(selection, text.size());
    return std::u16string(text.substr(0, size_t(cut.Start - 1))) +
           std::u16string(text.substr(size_t(cut.End)));
}

bool Same(const TFieldSelection& a, const TFieldSelection& b) {
    return a.Start == b.Start && a.End == b.End;
}

// One key against the field's state before it.
void Press(std::u16string& text, TFieldSelection& selection, char16_t c, bool letterOrDigit) {
    const TFieldSelection before = selection;
    const bool selected = HasSelection(selection, text.size());
    const TFieldEdit edit = EditFieldText(text, c, letterOrDigit, selection);
    if (c == FieldKeySelectAll) {
        FUZZ_CHECK(edit.Change == TFieldChange::SelectionOnly);
        FUZZ_CHECK(Same(selection, TFieldSelection{1, int32_t(text.size())}));
        return;
    }
    if (edit.Change == TFieldChange::None) {
        FUZZ_CHECK(Same(selection, before)); // a refused key changes nothing
        return;
    }
    if (c == FieldKeyBackspace && selected) {
        FUZZ_CHECK(edit.Change == TFieldChange::DeletedText);
        FUZZ_CHECK(edit.Text == WithoutSelection(text, before));
        FUZZ_CHECK(!HasSelection(selection, edit.Text.size()));
    } else if (c == FieldKeyBackspace) {
        // One character goes: a surrogate pair as a whole, anything else alone.
        FUZZ_CHECK(edit.Change == TFieldChange::Text && !text.empty());
        FUZZ_CHECK(edit.Text == text.substr(0, text.size() - (EndsInPair(text) ? 2 : 1)));
        FUZZ_CHECK(Same(selection, before));
    } else {
        FUZZ_CHECK(edit.Change == TFieldChange::Text && AcceptsFieldChar(c, letterOrDigit));
        const std::u16string kept = selected ? WithoutSelection(text, before) : text;
        FUZZ_CHECK(edit.Text == kept + c);
        FUZZ_CHECK(edit.Text.size() <= size_t(MaxFieldTextLength));
    }
    text = edit.Text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TFuzzInput input(data, size);
    std::u16string text = input.Text();
    TFieldSelection selection;
    while (!input.AtEnd()) {
        const uint8_t step = input.Byte();
        if (step & 2) {
            text = input.Text(); // set from outside; the selection stays as it was
            continue;
        }
        const char16_t c = input.UInt16();
        Press(text, selection, c, (step & 1) != 0);
    }
    return 0;
}
