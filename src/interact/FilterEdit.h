#pragma once
// The name filter: a text field in the upper left corner of the scene, under the address edit,
// whose text filters the current folder view by name on every keystroke. F3 gives it the
// keyboard, Ctrl+Backspace empties it.
#include <cstdint>
#include <functional>
#include <string>

#include "render/GUIWidgets.h"

class TLevelsCollection;

class TFilterEdit {
public:
    // The field is registered with Widgets in Viewport; Levels and Widgets must outlive it.
    TFilterEdit(TLevelsCollection& levels, TWidgetManager& widgets, int32_t viewport);
    TFilterEdit(const TFilterEdit&) = delete;
    TFilterEdit& operator=(const TFilterEdit&) = delete;

    // The field's text changed: the current view, if any, filters by it.
    void ApplyFilter(const std::u16string& text);
    // Another view became current: the field shows its filter text.
    void ShowText(const std::u16string& text);
    // Empties the field and removes the current view's filter.
    void Clear();
    // Gives the field the keyboard, or takes it away, until the mouse moves again.
    void ToggleInput();
    bool IsActive() const { return FField.Focused(); }
    // After a resize: the field stays 45 pixels below the top of the client area.
    void Reposition();

    const std::u16string& Text() const { return FText; }
    const TStringView1& Field() const { return FField; }

private:
    int32_t FMenuHeight;
    std::function<void()> FOnTextSet;
    std::u16string FText;
    TLevelsCollection& FLevels;
    TMainWindowValues& FWindow;
    TStringView1 FField;
};
