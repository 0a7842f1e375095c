#pragma once
// The editing rules of the one-line text field drawn over the scene, apart from the
// platform's letter-or-digit test, so they can be checked without a window.
#include <cstdint>
#include <string>
#include <string_view>

constexpr int32_t MaxFieldTextLength = 30;
constexpr char16_t FieldKeySelectAll = 1; // Ctrl+A
constexpr char16_t FieldKeyBackspace = 8;

// A widget's rectangle in viewport pixels, origin at the lower left.
struct TWidgetRect {
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    // The right and top edges belong to the rectangle.
    bool Contains(int32_t x, int32_t y) const {
        return X <= x && x <= X + Width && Y <= y && y <= Y + Height;
    }
};

// Selected characters, 1-based and inclusive; Start -1 before anything was selected.
struct TFieldSelection {
    int32_t Start = -1;
    int32_t End = 0;
};

// The selection cut to a text of that length; Start > End when nothing is selected. The text
// may have been replaced from outside since the selection was made.
TFieldSelection SelectionWithin(const TFieldSelection& selection, size_t textLength);
bool HasSelection(const TFieldSelection& selection, size_t textLength);

// Letters and digits (as the platform tells them) and four signs; never a blank.
bool AcceptsFieldChar(char16_t c, bool letterOrDigit);

enum class TFieldChange {
    None,
    Text,          // Text is the new text, to be validated before it is set
    DeletedText,   // Text is the new text after a deleted selection, set without validation
    SelectionOnly, // only the selection changed
};

struct TFieldEdit {
    TFieldChange Change = TFieldChange::None;
    std::u16string Text;
};

// What character c does to Text with Selection (updated in place). letterOrDigit is the
// platform's verdict on c.
TFieldEdit EditFieldText(std::u16string_view text, char16_t c, bool letterOrDigit,
                         TFieldSelection& selection);
