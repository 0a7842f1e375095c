#include "interact/FilterEdit.h"

#include "model/LevelsCollection.h"
#include "services/LocalizedStrings.h"

namespace {
constexpr int32_t FieldWidth = 200;
constexpr int32_t FieldHeight = 30;
// From the top of the client area down to the field's lower edge, once the window is laid out.
constexpr int32_t FieldDrop = 45;
} // namespace

TFilterEdit::TFilterEdit(TLevelsCollection& levels, TWidgetManager& widgets, int32_t viewport)
    : FMenuHeight(GetSystemMetrics(SM_CYMENU)), FLevels(levels), FWindow(widgets.Window()),
      FField(TWidgetRect{0, FWindow.ClientHeight() - (FMenuHeight + FieldHeight), FieldWidth,
                         FieldHeight},
             viewport, widgets, true) {
    FOnTextSet =
        FField.Bind([](const std::u16string&) { return true; }, [this] { return FText; },
                    [this](const std::u16string& text) { ApplyFilter(text); }, sFilterLabel);
}

void TFilterEdit::ApplyFilter(const std::u16string& text) {
    FText = text;
    if (TFolderView* view = FLevels.Current())
        view->SetFilter(text);
    FWindow.RequestRedraw();
}

void TFilterEdit::ShowText(const std::u16string& text) {
    FText = text;
    if (FOnTextSet)
        FOnTextSet();
}

void TFilterEdit::Clear() {
    ApplyFilter(std::u16string());
    FOnTextSet();
}

void TFilterEdit::ToggleInput() {
    if (FField.Focused())
        FField.KillFocus();
    else
        FField.SetFocus();
}

void TFilterEdit::Reposition() {
    FField.MoveTo(0, FWindow.ClientHeight() - FieldDrop);
}
