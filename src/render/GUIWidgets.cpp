#include "render/GUIWidgets.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

#include "base/Errors.h"
#include "base/WindowIds.h"
#include "render/BitmapAlpha.h"

namespace {
constexpr const char* Module = "GUIWidgets";
constexpr UINT CaretBlinkMs = 200;
// Where the label and the text start in the field.
constexpr int32_t TextIndent = 2;
} // namespace

// --- TWidgetManager ---------------------------------------------------------------------------

TWidgetManager::TWidgetManager(const TViewportManager2& viewports, TMainWindowValues& window)
    : FViewports(viewports), FWindow(window) {
    // Without a window SetTimer would make a thread timer with an id of its own.
    if (HWND mainWindow = FWindow.MainWindow())
        FTimerStarted =
            SetTimer(mainWindow, TimerId(TMainTimer::WidgetCaret), CaretBlinkMs, nullptr) != 0;
}

TWidgetManager::~TWidgetManager() {
    if (FTimerStarted)
        KillTimer(FWindow.MainWindow(), TimerId(TMainTimer::WidgetCaret));
}

POINT TWidgetManager::ToViewport(const TBasicWidget& widget, int32_t x, int32_t y) const {
    int32_t vx = 0;
    int32_t vy = 0;
    FViewports.WindowToViewport(widget.Viewport(), x, y, vx, vy);
    return POINT{vx, vy};
}

void TWidgetManager::MouseDown(int32_t x, int32_t y) {
    for (TBasicWidget* widget : FWidgets) {
        const POINT p = ToViewport(*widget, x, y);
        widget->MouseDownAt(p.x, p.y);
    }
}

void TWidgetManager::MouseUp(int32_t x, int32_t y) {
    for (TBasicWidget* widget : FWidgets) {
        const POINT p = ToViewport(*widget, x, y);
        widget->MouseUpAt(p.x, p.y);
    }
}

void TWidgetManager::MouseMove(int32_t x, int32_t y) {
    const int32_t under = FViewports.HitTest(x, y);
    FFocusedWidget = nullptr;
    for (TBasicWidget* widget : FWidgets) {
        // A widget of another viewport loses the keyboard too, or it would keep taking
        // characters while nothing shows it has them.
        if (widget->Viewport() != under) {
            widget->KillFocus();
            continue;
        }
        const POINT p = ToViewport(*widget, x, y);
        widget->MouseMoveAt(p.x, p.y);
        if (widget->Contains(p.x, p.y))
            widget->SetFocus();
        else
            widget->KillFocus();
    }
}

void TWidgetManager::Char(char16_t c) {
    for (TBasicWidget* widget : FWidgets)
        if (widget->Focused())
            widget->KeyPress(c);
}

void TWidgetManager::Tick() {
    if (auto* view = dynamic_cast<TBasicView*>(FFocusedWidget))
        view->Blink();
}

void TWidgetManager::Draw(int32_t viewport) {
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const TBasicWidget* widget : FWidgets)
        if (widget->Viewport() == viewport)
            widget->Draw();
}

void TWidgetManager::Register(TBasicWidget& widget) {
    FWidgets.push_back(&widget);
}

void TWidgetManager::Unregister(TBasicWidget& widget) {
    std::erase(FWidgets, &widget);
    if (FFocusedWidget == &widget)
        FFocusedWidget = nullptr;
}

// --- TBasicWidget -----------------------------------------------------------------------------

TBasicWidget::TBasicWidget(const TWidgetRect& rect, int32_t viewport, TWidgetManager& manager,
                           bool registered)
    : FRect(rect), FPixels(size_t(rect.Width) * size_t(rect.Height) * 4), FViewport(viewport),
      FManager(manager), FBitmap(rect.Width, rect.Height), FRegistered(registered) {
    if (FRegistered)
        FManager.Register(*this);
}

TBasicWidget::~TBasicWidget() {
    if (FRegistered)
        FManager.Unregister(*this);
    else if (FManager.FFocusedWidget == this)
        FManager.FFocusedWidget = nullptr;
}

void TBasicWidget::SetFocus() {
    FFocused = true;
    FManager.FFocusedWidget = this;
}

void TBasicWidget::KillFocus() {
    if (FManager.FFocusedWidget == this)
        FManager.FFocusedWidget = nullptr;
    FFocused = false;
}

void TBasicWidget::KeyPress(char16_t) {}
void TBasicWidget::MouseMoveAt(int32_t, int32_t) {}
void TBasicWidget::MouseUpAt(int32_t, int32_t) {}

void TBasicWidget::Draw() const {
    glRasterPos2i(FRect.X, FRect.Y);
    glDrawPixels(FRect.Width, FRect.Height, GL_BGRA, GL_UNSIGNED_BYTE, FPixels.data());
}

void TBasicWidget::MoveTo(int32_t x, int32_t y) {
    FRect.X = x;
    FRect.Y = y;
}

// --- TBasicStringView -------------------------------------------------------------------------

void TBasicStringView::Blink() {
    TBasicView::Blink();
    Render();
    FManager.Window().RequestRedraw();
}

std::function<void()> TBasicStringView::Bind(TValidate validate, TGetText getText, TSetText setText,
                                             std::u16string label) {
    GMAssert(!FValidate && !FGetText && !FSetText, Module);
    FValidate = std::move(validate);
    FGetText = std::move(getText);
    FSetText = std::move(setText);
    FLabel = std::move(label);
    return [this] { Render(); };
}

// --- TStringView1 -----------------------------------------------------------------------------

void TStringView1::SetFocus() {
    const bool wasFocused = FFocused;
    TBasicStringView::SetFocus();
    // The frame shows the focus; the pointer moving within the field changes nothing.
    if (!wasFocused) {
        Render();
        FManager.Window().RequestRedraw();
    }
}

void TStringView1::KillFocus() {
    const bool wasFocused = FFocused;
    TBasicStringView::KillFocus();
    if (wasFocused) {
        Render();
        FManager.Window().RequestRedraw();
    }
}

void TStringView1::KeyPress(char16_t c) {
    // Nothing changes before the owner bound the text.
    if (!FGetText || !FSetText)
        return;
    const std::u16string text = FGetText();
    // The wide test: an 8-bit one would lose every Cyrillic letter.
    const bool letterOrDigit = IsCharAlphaNumericW(static_cast<WCHAR>(c)) != FALSE;
    const TFieldEdit edit = EditFieldText(text, c, letterOrDigit, FSelection);
    switch (edit.Change) {
    case TFieldChange::None:
        return;
    case TFieldChange::Text:
        if (FValidate && !FValidate(edit.Text))
            return;
        FSetText(edit.Text);
        break;
    case TFieldChange::DeletedText:
        FSetText(edit.Text);
        break;
    case TFieldChange::SelectionOnly:
        break;
    }
    Render();
}

bool TStringView1::MouseDownAt(int32_t x, int32_t y) {
    const bool hit = TBasicStringView::MouseDownAt(x, y);
    Render();
    return hit;
}

std::function<void()> TStringView1::Bind(TValidate validate, TGetText getText, TSetText setText,
                                         std::u16string label) {
    std::function<void()> notify = TBasicStringView::Bind(std::move(validate), std::move(getText),
                                                          std::move(setText), std::move(label));
    Render();
    return notify;
}

void TStringView1::Render() {
    GMAssert(FBitmap.Width() == FRect.Width && FBitmap.Height() == FRect.Height, Module);
    const std::u16string text = Text();
    const int32_t width = FRect.Width;
    const int32_t height = FRect.Height;
    const int32_t lineHeight = FBitmap.LineHeight();

    FBitmap.Clear(ColourWhite);
    FBitmap.FillRectColour(FieldLabelColour, RECT{0, 0, width, lineHeight});
    FBitmap.WriteText(TextIndent, 0, FLabel);
    FBitmap.WriteText(TextIndent, lineHeight, text);
    // A caret left over from blinking must not stay on a field that lost the keyboard.
    if (FCaretVisible && FFocused)
        FBitmap.InvertBar(FBitmap.TextExtent(text).Width + TextIndent, lineHeight, lineHeight);
    if (HasSelection(FSelection, text.size())) {
        // Measured, not counted in average widths, so the inversion covers the very glyphs.
        const TFieldSelection cut = SelectionWithin(FSelection, text.size());
        const std::u16string_view all(text);
        const int32_t left = FBitmap.TextExtent(all.substr(0, size_t(cut.Start - 1))).Width;
        const int32_t right = FBitmap.TextExtent(all.substr(0, size_t(cut.End))).Width;
        FBitmap.InvertRect(RECT{left + TextIndent, lineHeight, right + TextIndent, height});
    }
    CopyWithAlpha(FBitmap, FPixels.data(), FPixels.size(), FFocused ? CopyFramed : CopyOpaque);
}
