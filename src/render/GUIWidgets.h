#pragma once
// Flat widgets drawn over the scene as pixel rectangles. Each renders itself into an
// off-screen bitmap with GDI, keeps the pixels and draws them with glDrawPixels in the overlay
// pass. The manager routes mouse and keyboard input to them in viewport coordinates, gives the
// keyboard to the widget under the mouse and blinks the text caret on the main window's
// WidgetCaret timer.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/MainWindowValues.h"
#include "render/LightBitmap.h"
#include "render/StringFieldRules.h"
#include "space/Viewports.h"

class TBasicWidget;

class TWidgetManager {
public:
    // Starts the caret timer on the main window when there is one.
    TWidgetManager(const TViewportManager2& viewports, TMainWindowValues& window);
    ~TWidgetManager();
    TWidgetManager(const TWidgetManager&) = delete;
    TWidgetManager& operator=(const TWidgetManager&) = delete;

    // Client coordinates of the main window.
    void MouseDown(int32_t x, int32_t y);
    void MouseUp(int32_t x, int32_t y);
    // Only when the mouse moved: the keyboard goes to the widget under it, or to none.
    void MouseMove(int32_t x, int32_t y);
    void Char(char16_t c);
    // The caret timer fired.
    void Tick();
    // Every widget of the viewport, in registration order, in the overlay pass.
    void Draw(int32_t viewport);

    // Set while a widget takes the keyboard.
    TBasicWidget* FocusedWidget() const { return FFocusedWidget; }
    TMainWindowValues& Window() const { return FWindow; }
    bool TimerStarted() const { return FTimerStarted; }

private:
    friend class TBasicWidget;
    void Register(TBasicWidget& widget);
    void Unregister(TBasicWidget& widget);
    // The point in the coordinates of the widget's viewport.
    POINT ToViewport(const TBasicWidget& widget, int32_t x, int32_t y) const;

    const TViewportManager2& FViewports;
    TMainWindowValues& FWindow;
    std::vector<TBasicWidget*> FWidgets;
    TBasicWidget* FFocusedWidget = nullptr;
    bool FTimerStarted = false;
};

class TBasicWidget {
public:
    // A registered widget stays in the manager's list until it is destroyed.
    TBasicWidget(const TWidgetRect& rect, int32_t viewport, TWidgetManager& manager,
                 bool registered);
    virtual ~TBasicWidget();
    TBasicWidget(const TBasicWidget&) = delete;
    TBasicWidget& operator=(const TBasicWidget&) = delete;

    virtual void SetFocus();
    virtual void KillFocus();
    // Viewport coordinates; the edges belong to the widget.
    virtual bool Contains(int32_t x, int32_t y) const { return FRect.Contains(x, y); }
    virtual void KeyPress(char16_t c);
    virtual void MouseMoveAt(int32_t x, int32_t y);
    // True when the press hit the widget.
    virtual bool MouseDownAt(int32_t x, int32_t y) { return Contains(x, y); }
    virtual void MouseUpAt(int32_t x, int32_t y);
    virtual void Draw() const;

    void MoveTo(int32_t x, int32_t y);
    const TWidgetRect& Rect() const { return FRect; }
    int32_t CenterX() const { return FRect.X + FRect.Width / 2; }
    int32_t CenterY() const { return FRect.Y + FRect.Height / 2; }
    bool Focused() const { return FFocused; }
    int32_t Viewport() const { return FViewport; }
    TWidgetManager& Manager() const { return FManager; }
    // Width x Height blue-green-red-alpha pixels, rows bottom-up, as last rendered.
    const std::vector<uint8_t>& Pixels() const { return FPixels; }

protected:
    TWidgetRect FRect;
    std::vector<uint8_t> FPixels;
    bool FFocused = false;
    int32_t FViewport;
    TWidgetManager& FManager;
    TDIBSection FBitmap;
    TFieldSelection FSelection;

private:
    bool FRegistered;
};

class TBasicView : public TBasicWidget {
public:
    using TBasicWidget::TBasicWidget;

    virtual void Render() = 0;
    virtual void Blink() { FCaretVisible = !FCaretVisible; }
    bool CaretVisible() const { return FCaretVisible; }

protected:
    bool FCaretVisible = false;
};

class TBasicStringView : public TBasicView {
public:
    using TValidate = std::function<bool(const std::u16string& text)>;
    using TGetText = std::function<std::u16string()>;
    using TSetText = std::function<void(const std::u16string& text)>;

    using TBasicView::TBasicView;

    // Blinks the caret, re-renders and asks the main window for a frame.
    void Blink() override;
    // Once per widget. Returns what the owner calls when the text changed from outside.
    virtual std::function<void()> Bind(TValidate validate, TGetText getText, TSetText setText,
                                       std::u16string label);

    const std::u16string& Label() const { return FLabel; }
    std::u16string Text() const { return FGetText ? FGetText() : std::u16string(); }

protected:
    std::u16string FLabel;
    TValidate FValidate;
    TGetText FGetText;
    TSetText FSetText;
};

// The one-line text field: a coloured label line above the text, letters, digits and
// "_" "-" "~" "." up to MaxFieldTextLength characters, Backspace and Ctrl+A.
class TStringView1 : public TBasicStringView {
public:
    using TBasicStringView::TBasicStringView;

    void SetFocus() override;
    void KillFocus() override;
    void KeyPress(char16_t c) override;
    bool MouseDownAt(int32_t x, int32_t y) override;
    void Render() override;
    std::function<void()> Bind(TValidate validate, TGetText getText, TSetText setText,
                               std::u16string label) override;

    const TFieldSelection& Selection() const { return FSelection; }
};

// The colour of the field's label line.
constexpr TColour FieldLabelColour = RGB(166, 202, 240);
