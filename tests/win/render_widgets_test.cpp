#include "GLTestContext.h"
#include "PumpMessages.h"
#include "TestWindowValues.h"
#include "base/WindowIds.h"
#include "render/GUIWidgets.h"
#include "render/PassState.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int32_t Size = 400;
constexpr int32_t Split = 100;
constexpr int32_t SceneViewport = 1;
constexpr TWidgetRect FieldRect{20, 40, 200, 30};

using TPixel = std::array<uint8_t, 4>; // blue, green, red, alpha
constexpr TPixel LabelLine{240, 202, 166, 127};
constexpr TPixel White{255, 255, 255, 127};
constexpr TPixel Black{0, 0, 0, 127};

TWidgetManager* TimerTarget = nullptr;

// The test window plays the main window: its caret timer reaches the widget manager.
LRESULT CALLBACK WidgetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == TimerId(TMainTimer::WidgetCaret) && TimerTarget) {
        TimerTarget->Tick();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class WidgetManager : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Context.Ready());
        SetWindowLongPtrW(Context.Window(), GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(&WidgetWindowProc));
        Window.Window = Context.Window();
        Window.Width = Size;
        Window.Height = Size;
        Window.SplitWidth = Split;
        Viewports.Add(TViewport{0, 0, Split, Size});
        Viewports.Add(TViewport{Split, 0, Size - Split, Size});
        Manager = std::make_unique<TWidgetManager>(Viewports, Window);
        TimerTarget = Manager.get();
        Field = std::make_unique<TStringView1>(FieldRect, SceneViewport, *Manager, true);
        Field->Bind([](const std::u16string&) { return true; }, [this] { return Text; },
                    [this](const std::u16string& text) { Text = text; }, u"L");
    }

    void TearDown() override {
        TimerTarget = nullptr;
        Field.reset();
        Manager.reset();
    }

    // The window point over viewport point (x, y) of the scene.
    void MoveOverScene(int32_t x, int32_t y) { Manager->MouseMove(Split + x, Size - y); }
    void MoveOverField() { MoveOverScene(FieldRect.X + 10, FieldRect.Y + 10); }

    // The field's pixel at (x, y), y counted down from its top as GDI drew it.
    TPixel PixelAt(int32_t x, int32_t y) const {
        const std::vector<uint8_t>& pixels = Field->Pixels();
        const size_t at = (size_t(FieldRect.Height - 1 - y) * FieldRect.Width + x) * 4;
        return TPixel{pixels[at], pixels[at + 1], pixels[at + 2], pixels[at + 3]};
    }

    TGLTestContext Context{Size, Size};
    TTestWindowValues Window;
    TViewportManager2 Viewports{Window.Height};
    std::unique_ptr<TWidgetManager> Manager;
    std::unique_ptr<TStringView1> Field;
    std::u16string Text;
};

} // namespace

TEST_F(WidgetManager, KeyboardFollowsThePointer) {
    MoveOverField();
    EXPECT_EQ(Manager->FocusedWidget(), Field.get());
    EXPECT_TRUE(Field->Focused());
    // Letters of any alphabet, digits; no blank, no slash.
    for (char16_t c : std::u16string(u"Жя 9/"))
        Manager->Char(c);
    EXPECT_EQ(Text, u"Жя9");

    // Moving within the field asks for no frame.
    const int redraws = Window.Redraws;
    MoveOverScene(FieldRect.X + 20, FieldRect.Y + 5);
    EXPECT_EQ(Window.Redraws, redraws);

    // The right and top edges are the field's; one pixel further is not.
    MoveOverScene(FieldRect.X + FieldRect.Width, FieldRect.Y + FieldRect.Height);
    EXPECT_TRUE(Field->Focused());
    MoveOverScene(FieldRect.X + FieldRect.Width + 1, FieldRect.Y + 10);
    EXPECT_FALSE(Field->Focused());
    EXPECT_EQ(Manager->FocusedWidget(), nullptr);
    Manager->Char(u'b');
    EXPECT_EQ(Text, u"Жя9");

    // Over the Explorer strip the scene's field keeps nothing either.
    MoveOverField();
    Manager->MouseMove(Split / 2, Size - (FieldRect.Y + 10));
    EXPECT_FALSE(Field->Focused());
    EXPECT_EQ(Manager->FocusedWidget(), nullptr);
    Manager->Char(u'c');
    EXPECT_EQ(Text, u"Жя9");
}

TEST_F(WidgetManager, CaretBlinksInTheFocusedFieldOnTheManagersTimer) {
    // Unfocused: the tick does nothing.
    const std::vector<uint8_t> plain = Field->Pixels();
    Manager->Tick();
    EXPECT_FALSE(Field->CaretVisible());
    EXPECT_EQ(Field->Pixels(), plain);

    MoveOverField();
    const std::vector<uint8_t> focused = Field->Pixels();
    Manager->Tick();
    ASSERT_TRUE(Field->CaretVisible());
    // The caret is one column just after the (empty) text, in the text line.
    int changed = 0;
    for (int32_t y = 0; y < FieldRect.Height; ++y)
        for (int32_t x = 0; x < FieldRect.Width; ++x) {
            const size_t at = (size_t(y) * FieldRect.Width + x) * 4;
            if (Field->Pixels()[at] != focused[at]) {
                ++changed;
                EXPECT_EQ(x, 2) << "row " << y;
            }
        }
    EXPECT_GT(changed, 5);
    Manager->Tick();
    EXPECT_EQ(Field->Pixels(), focused);

    // The main window's timer drives it: two more blinks, each asking for a frame.
    const int redraws = Window.Redraws;
    EXPECT_TRUE(PumpUntil([&] { return Window.Redraws >= redraws + 2; }, 5000));

    TimerTarget = nullptr;
    Field.reset();
    Manager.reset();
    // Killing it again fails: the manager already did.
    EXPECT_FALSE(KillTimer(Context.Window(), TimerId(TMainTimer::WidgetCaret)));
}

TEST_F(WidgetManager, FieldShowsItsLabelLineHalfTransparentAndAFrameOnlyWhileFocused) {
    Text = u"abc";
    Field->Render();
    const int32_t right = FieldRect.Width - 1;
    const int32_t bottom = FieldRect.Height - 1;
    EXPECT_EQ(PixelAt(150, 1), LabelLine);
    EXPECT_EQ(PixelAt(0, 0), LabelLine);
    EXPECT_EQ(PixelAt(right, bottom), White);
    for (size_t i = 3; i < Field->Pixels().size(); i += 4)
        ASSERT_EQ(Field->Pixels()[i], 127) << "byte " << i;

    MoveOverField();
    EXPECT_EQ(PixelAt(0, 0), Black);
    EXPECT_EQ(PixelAt(right, bottom), Black);
    EXPECT_EQ(PixelAt(0, bottom / 2), Black);
    EXPECT_EQ(PixelAt(150, 1), LabelLine);

    MoveOverScene(FieldRect.X + FieldRect.Width + 20, FieldRect.Y);
    EXPECT_EQ(PixelAt(0, 0), LabelLine);
    EXPECT_EQ(PixelAt(right, bottom), White);

    // Select-all inverts the text line under the text, not beyond it.
    Field->KeyPress(FieldKeySelectAll);
    EXPECT_EQ(PixelAt(3, bottom), Black);
    EXPECT_EQ(PixelAt(150, bottom), White);
}

TEST_F(WidgetManager, DrawBlendsTheFieldAtItsPlaceInTheViewport) {
    Text = u"abc";
    Field->Render();
    glViewport(0, 0, Size - Split, Size);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    BeginOverlayPass(Size - Split, Size);
    Manager->Draw(0); // no widget lives there
    Manager->Draw(SceneViewport);
    glFinish();

    auto read = [](int32_t x, int32_t y) {
        std::array<uint8_t, 4> rgba{};
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    };
    // The label line's top row at half strength over black.
    const std::array<uint8_t, 4> label = read(FieldRect.X + 150, FieldRect.Y + 28);
    EXPECT_NEAR(label[0], 166 / 2, 2);
    EXPECT_NEAR(label[1], 202 / 2, 2);
    EXPECT_NEAR(label[2], 240 / 2, 2);
    EXPECT_EQ(read(FieldRect.X - 1, FieldRect.Y)[0], 0);
    EXPECT_EQ(read(FieldRect.X + 150, FieldRect.Y + 30)[0], 0);
    EXPECT_NEAR(read(FieldRect.X + 150, FieldRect.Y)[0], 127, 2);
}
