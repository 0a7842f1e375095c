#include <gtest/gtest.h>

#include <string>

#include "render/StringFieldRules.h"

namespace {

// A field's text as KeyPress keeps it: every change is taken as it comes.
struct TField {
    std::u16string Text;
    TFieldSelection Selection{};

    void Type(std::u16string_view keys, bool letterOrDigit = false) {
        for (char16_t c : keys) {
            const TFieldEdit edit = EditFieldText(Text, c, letterOrDigit, Selection);
            if (edit.Change == TFieldChange::Text || edit.Change == TFieldChange::DeletedText)
                Text = edit.Text;
        }
    }
};

} // namespace

TEST(StringFieldRules, TakesLettersDigitsAndFourSignsUpToThirtyCharacters) {
    TField field;
    field.Type(u"Ж7", true);
    field.Type(u"_-~. /*\\:\r");
    EXPECT_EQ(field.Text, u"Ж7_-~.");
    field.Type(std::u16string(MaxFieldTextLength, u'a'), true);
    EXPECT_EQ(field.Text, u"Ж7_-~." + std::u16string(MaxFieldTextLength - 6, u'a'));
}

TEST(StringFieldRules, BackspaceTakesOneCharacterOrTheSelection) {
    TField field{u"ab"};
    field.Type(u"\b\b\b");
    EXPECT_EQ(field.Text, u"");
    // A character beyond the basic plane (set from outside) goes as a whole.
    field.Text = u"a\xD83D\xDE00";
    field.Type(u"\b");
    EXPECT_EQ(field.Text, u"a");
    // A lone half is a character of its own, and so is what follows it.
    field.Text = u"a\xD83Dz";
    field.Type(u"\b");
    EXPECT_EQ(field.Text, u"a\xD83D");
    field.Text = u"a\xD83D\xD83D";
    field.Type(u"\b");
    EXPECT_EQ(field.Text, u"a\xD83D");
    field.Type(u"\b");
    EXPECT_EQ(field.Text, u"a");

    // One selected character is a selection; select-all on an empty text selects nothing.
    field.Type(u"\x01");
    EXPECT_TRUE(HasSelection(field.Selection, 1));
    field.Type(u"\b\x01");
    EXPECT_FALSE(HasSelection(field.Selection, 0));

    // The text shrank from outside after select-all: only what is left goes.
    field.Text = u"abcdef";
    field.Type(u"\x01");
    field.Text = u"ab";
    EXPECT_EQ(EditFieldText(field.Text, FieldKeyBackspace, false, field.Selection).Change,
              TFieldChange::DeletedText);
    EXPECT_FALSE(HasSelection(field.Selection, 2));
}

TEST(StringFieldRules, TypingReplacesTheSelectionEvenInAFullField) {
    TField field{std::u16string(MaxFieldTextLength, u'a')};
    field.Type(u"\x01 ");
    EXPECT_TRUE(HasSelection(field.Selection, field.Text.size())); // a refused key keeps it
    field.Type(u"z", true);
    EXPECT_EQ(field.Text, u"z");

    // Set from outside, the text outgrew the field: even without the selection there is no
    // room, and the refused key leaves the selection as it was.
    field.Type(u"\x01");
    field.Text = std::u16string(MaxFieldTextLength + 5, u'b');
    field.Type(u"y", true);
    EXPECT_EQ(field.Text, std::u16string(MaxFieldTextLength + 5, u'b'));
    EXPECT_TRUE(HasSelection(field.Selection, field.Text.size()));
}

TEST(StringFieldRules, WidgetRectangleHoldsItsRightAndTopEdges) {
    const TWidgetRect rect{10, 20, 200, 30};
    EXPECT_TRUE(rect.Contains(10, 20));
    EXPECT_TRUE(rect.Contains(210, 50));
    EXPECT_FALSE(rect.Contains(211, 50));
    EXPECT_FALSE(rect.Contains(210, 51));
    EXPECT_FALSE(rect.Contains(9, 20));
}
