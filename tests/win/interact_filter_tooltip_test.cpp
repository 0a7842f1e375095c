#include "TestWindowValues.h"
#include "core/model_folder_fakes.h"
#include "interact/FilterEdit.h"
#include "interact/TooltipPhantom.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr int32_t Width = 640;
constexpr int32_t Height = 480;
constexpr int32_t Split = 140;
constexpr int32_t SceneViewport = 1;

using TNode = TMemoryNamespace::TNode;

// The filter edit over a real levels collection of a folder in memory, wired as the main
// window wires them: the collection's filter-text hook shows the text in the edit.
class FilterEdit : public ::testing::Test {
protected:
    FilterEdit() {
        Window.Width = Width;
        Window.Height = Height;
        Window.SplitWidth = Split;
        Viewports.Add(TViewport{0, 0, Split, Height});
        Viewports.Add(TViewport{Split, 0, Width - Split, Height});

        const TNode drive = Shell.AddDrive(u'C', u"Local Disk");
        Folder = Shell.AddFolder(drive, u"Work");
        Other = Shell.AddFolder(drive, u"Other");
        for (const char16_t* name : {u"alpha.txt", u"beta.txt", u"Alphabet.doc"})
            Shell.AddFile(Folder, name, 10, 10);

        TLevelsHooks hooks;
        hooks.FilterText = [this](const std::u16string& text) {
            if (Edit)
                Edit->ShowText(text);
        };
        Levels = std::make_unique<TLevelsCollection>(Shell, Resources, nullptr, Timer, hooks);
        Edit = std::make_unique<TFilterEdit>(*Levels, Manager, SceneViewport);
        Levels->OpenOrActivate(Levels->DesktopIDList(), TOpenFlight::NoFlight);
        View = Open(Folder);
    }

    TFolderView* Open(TNode node) {
        return Levels->OpenOrActivate(Shell.AbsoluteIDList(node).Get(), TOpenFlight::NoFlight);
    }

    void MoveOverField() {
        const TWidgetRect& rect = Edit->Field().Rect();
        Manager.MouseMove(Split + rect.X + 10, Height - (rect.Y + 10));
    }

    void Type(std::u16string_view text) {
        for (char16_t c : text)
            Manager.Char(c);
    }

    TTestWindowValues Window;
    TViewportManager2 Viewports{Window.Height};
    TWidgetManager Manager{Viewports, Window};
    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    // The edit goes after the collection, whose closing views still show their texts in it.
    std::unique_ptr<TFilterEdit> Edit;
    std::unique_ptr<TLevelsCollection> Levels;
    TFolderView* View = nullptr;
    TNode Folder = 0;
    TNode Other = 0;
};

} // namespace

TEST_F(FilterEdit, TypingFiltersTheCurrentViewOnEveryKeystrokeAndClearRemovesTheFilter) {
    ASSERT_EQ(Levels->Current(), View);
    ASSERT_EQ(View->Count(), 3);
    MoveOverField();
    Type(u"alp");
    EXPECT_EQ(View->FilterText(), u"alp");
    EXPECT_TRUE(View->Filtered());
    EXPECT_EQ(View->Count(), 2);
    Type(u"\bz");
    EXPECT_EQ(View->FilterText(), u"alz");

    Edit->Clear();
    EXPECT_FALSE(View->Filtered());
    EXPECT_EQ(View->Count(), 3);
    EXPECT_EQ(Edit->Text(), u"");
    EXPECT_EQ(Edit->Field().Text(), u"");
}

TEST_F(FilterEdit, EachViewKeepsItsOwnTextAndWithoutACurrentViewOnlyTheFieldChanges) {
    MoveOverField();
    Type(u"beta");
    TFolderView* other = Open(Other);
    EXPECT_EQ(Edit->Field().Text(), u"");
    Levels->SetCurrent(View);
    EXPECT_EQ(Edit->Field().Text(), u"beta");
    EXPECT_EQ(View->Count(), 1);

    Levels->SetCurrent(nullptr);
    Type(u"x");
    EXPECT_EQ(Edit->Text(), u"betax");
    EXPECT_EQ(View->FilterText(), u"beta");
    EXPECT_FALSE(other->Filtered());
}

TEST_F(FilterEdit, F3GivesTheFieldTheKeyboardUntilTheMouseMoves) {
    EXPECT_FALSE(Edit->IsActive());
    Edit->ToggleInput();
    EXPECT_TRUE(Edit->IsActive());
    EXPECT_EQ(Manager.FocusedWidget(), &Edit->Field());
    Type(u"a");
    EXPECT_EQ(View->FilterText(), u"a");
    Edit->ToggleInput();
    EXPECT_FALSE(Edit->IsActive());
    EXPECT_EQ(Manager.FocusedWidget(), nullptr);
    Type(u"b");
    EXPECT_EQ(View->FilterText(), u"a");

    Edit->ToggleInput();
    Manager.MouseMove(Width - 5, 5);
    EXPECT_FALSE(Edit->IsActive());
}

TEST_F(FilterEdit, StandsUnderTheMenuAndAfterAResize45PixelsBelowTheTop) {
    const TWidgetRect& rect = Edit->Field().Rect();
    EXPECT_EQ(rect.Y, Height - (GetSystemMetrics(SM_CYMENU) + 30));
    EXPECT_EQ(rect.Width, 200);
    EXPECT_EQ(rect.Height, 30);

    Window.Height = 300;
    Edit->Reposition();
    EXPECT_EQ(rect.X, 0);
    EXPECT_EQ(rect.Y, 300 - 45);
    // The pointer finds it at its new place: 20 pixels below the top of the client area.
    Manager.MouseMove(Split + 10, 20);
    EXPECT_TRUE(Edit->IsActive());
}

TEST(Tooltip, StaysInsideTheSceneOnBothSides) {
    int32_t clientHeight = Height;
    TViewportManager2 viewports{clientHeight};
    viewports.Add(TViewport{0, 0, Split, Height});
    viewports.Add(TViewport{Split, 0, Width - Split, Height});
    TTooltipPhantom tooltip(viewports, SceneViewport);
    tooltip.SetText(u"C:\\Users\\Someone\\Documents\\report.txt\nType: Text Document");
    const int32_t textWidth = tooltip.TextWidth();
    ASSERT_GT(textWidth, 100);
    EXPECT_EQ(tooltip.Bitmap().Width(), textWidth);

    const int32_t sceneWidth = Width - Split;
    tooltip.ShowAt(sceneWidth - textWidth, 7);
    EXPECT_EQ(tooltip.X(), sceneWidth - textWidth);
    // Too little room to the right: it ends 2 pixels before the edge.
    tooltip.ShowAt(sceneWidth - textWidth / 2, 7);
    EXPECT_EQ(tooltip.X(), sceneWidth - textWidth - 2);
    EXPECT_EQ(tooltip.Y(), 7);
    // Wider than the whole scene: it starts at its left edge.
    viewports.SetSize(SceneViewport, textWidth - 10, Height);
    tooltip.ShowAt(30, 7);
    EXPECT_EQ(tooltip.X(), 0);
}
