// The scene's input machine fed with events over an in-memory shell: presses, drags, bands,
// the strip's edge, the modifier tables, shortcuts of the command table and characters.
#include "model_folder_fakes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "interact/SceneCommandTable.h"
#include "interact/SceneCommands.h"
#include "interact/SceneInputMachine.h"
#include "interact/SceneRules.h"
#include "services/LocalizedStrings.h"

namespace {

using TNode = TMemoryNamespace::TNode;

constexpr int32_t SplitX = 200;
constexpr int32_t Width = 1000;

// What the machine asked of the window, in the order asked.
class TFakeHost : public TSceneInputHost {
public:
    // The hit a test places under a client point; anywhere else is empty space.
    std::map<std::pair<int32_t, int32_t>, TSceneHit> Hits;
    std::vector<TFSEView*> BandItems;
    std::vector<std::string> Calls;
    bool Field = false;
    bool Filter = false;
    std::u16string FieldText;
    int32_t Redraws = 0;

    TSceneHit HitTest(int32_t x, int32_t y, uint32_t, bool) override {
        if (!InScene(x, y))
            return {};
        const auto found = Hits.find({x, y});
        return found == Hits.end() ? TSceneHit{} : found->second;
    }
    bool InScene(int32_t x, int32_t) const override { return x > SplitX && x < Width; }
    std::vector<TFSEView*> ItemsInBand(const TBand&, bool toggle, bool) override {
        Calls.push_back(toggle ? "band toggle" : "band replace");
        return BandItems;
    }
    void Redraw() override { ++Redraws; }
    void ShowSplitCursor() override { Calls.push_back("split cursor"); }
    void GripSplit() override { Calls.push_back("grip split"); }
    void ReleasePointer() override { Calls.push_back("release"); }
    int32_t Split() const override { return SplitX; }
    int32_t ClientWidth() const override { return Width; }
    void KeepPointerInWindow() override { Calls.push_back("pointer in window"); }
    void ShowSortMenu(const TLevelSortCaption&) override { Calls.push_back("sort menu"); }
    bool ShowInfoTooltip(const TSceneHit& hit, int32_t, int32_t) override {
        if (!hit.Item && !hit.View)
            return false;
        Calls.push_back("tooltip");
        return true;
    }
    void HideTooltip() override { Calls.push_back("hide tooltip"); }
    bool FieldHasKeyboard() const override { return Field; }
    // The manager passes characters on to the field that has the keyboard.
    void FieldChar(char16_t c) override {
        if (Field)
            FieldText += c;
    }
    bool FilterActive() const override { return Filter; }
    void ToggleFilter() override { Calls.push_back("toggle filter"); }
    void ClearFilter() override { Calls.push_back("clear filter"); }
    void RestartTypeAheadTimer() override { Calls.push_back("type-ahead timer"); }
};

class TRecordingCommands : public TSceneCommands {
public:
    std::vector<std::string> Calls;
    std::vector<std::u16string> CopiedPaths;
    std::vector<std::u16string> MenuPaths;
    bool PaneFocus = false;

    void MoveSplit(int32_t x) override { Calls.push_back("split " + std::to_string(x)); }
    void ExplorerBrowse(const TIDList*) override { Calls.push_back("browse"); }
    void ExplorerParent() override { Calls.push_back("pane parent"); }
    bool ExplorerHasFocus() const override { return PaneFocus; }
    void DeleteSelection(TFolderView&, bool allowUndo) override {
        Calls.push_back(allowUndo ? "recycle" : "delete");
    }
    void CopySelection() override { Calls.push_back("copy"); }
    void CopyFullPath(const std::u16string& path) override { CopiedPaths.push_back(path); }
    void Paste() override { Calls.push_back("paste"); }
    bool ShowContextMenu(const std::u16string& path, int32_t, int32_t) override {
        MenuPaths.push_back(path);
        return true;
    }
    void StartDrag(TFolderView&) override { Calls.push_back("drag"); }
    void ShowHelp() override { Calls.push_back("help"); }
};

TInputEvent Mouse(TInputKind kind, int32_t x, int32_t y, uint32_t held) {
    TInputEvent event;
    event.Kind = kind;
    event.X = x;
    event.Y = y;
    event.Held = held;
    return event;
}

TInputEvent KeyEvent(TInputKind kind, uint32_t key, uint32_t held = 0) {
    TInputEvent event;
    event.Kind = kind;
    event.Key = key;
    event.Held = held;
    return event;
}

class SceneInput : public ::testing::Test {
protected:
    SceneInput() {
        InitLocalizedStrings(0x409);
        Drive = Shell.AddDrive(u'C', u"Local Disk");
        A = Shell.AddFolder(Drive, u"A");
        Shell.AddFile(Drive, u"b.txt", 10, 10);
        Shell.AddFile(Drive, u"c.txt", 10, 10);
        Levels =
            std::make_unique<TLevelsCollection>(Shell, Resources, &Camera, Timer, TLevelsHooks{});
        Levels->OpenOrActivate(Levels->DesktopIDList(), TOpenFlight::NoFlight);
        Levels->OpenOrActivate(Levels->DrivesIDList(), TOpenFlight::NoFlight);
        View = Levels->OpenOrActivate(Shell.AbsoluteIDList(Drive).Get(), TOpenFlight::NoFlight);
        Machine = std::make_unique<TSceneInputMachine>(*Levels, Camera, Commands, Host);
    }

    TFSEView* Item(int32_t index) const { return View->ItemAt(index); }
    int32_t SelectedCount() const {
        int32_t count = 0;
        for (int32_t i = 0; i < View->Count(); ++i)
            count += Item(i)->Selected() ? 1 : 0;
        return count;
    }
    // Places an item's tile, the level's frame or nothing under the point.
    void PlaceItem(int32_t x, int32_t y, TFSEView* item) { Host.Hits[{x, y}].Item = item; }
    void PlaceLevel(int32_t x, int32_t y) { Host.Hits[{x, y}].View = View; }

    void Press(int32_t x, int32_t y, uint32_t held = HeldLeft) {
        Machine->Input(Mouse(TInputKind::LeftDown, x, y, held));
    }
    void MoveTo(int32_t x, int32_t y, uint32_t held = HeldLeft) {
        Machine->Input(Mouse(TInputKind::Move, x, y, held));
    }
    void Release(int32_t x, int32_t y, uint32_t held = 0) {
        Machine->Input(Mouse(TInputKind::LeftUp, x, y, held));
    }
    void Key(uint32_t key, uint32_t held = 0) {
        Machine->Input(KeyEvent(TInputKind::KeyDown, key, held));
    }
    void Type(char16_t c, uint32_t held = 0) {
        Machine->Input(KeyEvent(TInputKind::Char, c, held));
    }

    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    TGeomCamera Camera{0, 0, 5};
    std::unique_ptr<TLevelsCollection> Levels;
    TFakeHost Host;
    TRecordingCommands Commands;
    std::unique_ptr<TSceneInputMachine> Machine;
    TFolderView* View = nullptr;
    TNode Drive = 0, A = 0;
};

TEST_F(SceneInput, AClickSelectsAndOpensOnlyWhenNothingElseIsHeldAtTheRelease) {
    PlaceItem(300, 300, Item(0)); // the folder A
    Press(300, 300);
    EXPECT_EQ(Machine->State(), TSceneState::ItemPressed);
    EXPECT_TRUE(Item(0)->Selected());
    for (const uint32_t spoiler : {HeldShift, HeldCtrl, HeldRight, HeldMiddle, HeldX1}) {
        Press(300, 300);
        Release(300, 300, spoiler);
        EXPECT_EQ(Levels->ViewCount(), 3) << spoiler;
        EXPECT_EQ(Machine->State(), TSceneState::Idle);
    }
    Press(300, 300);
    Release(300, 300);
    EXPECT_EQ(Levels->ViewCount(), 4);
    EXPECT_EQ(Levels->Current()->DisplayName(), u"A");
}

TEST_F(SceneInput, AnItemDragsOnlyBeyondTheThresholdAndTheDragTakesTheRelease) {
    PlaceItem(300, 300, Item(1));
    Press(300, 300);
    MoveTo(300 + DragThreshold, 300 - DragThreshold);
    EXPECT_TRUE(Commands.Calls.empty());
    EXPECT_EQ(Machine->State(), TSceneState::ItemPressed);
    MoveTo(300 + DragThreshold + 1, 300);
    EXPECT_EQ(Commands.Calls, std::vector<std::string>{"drag"});
    EXPECT_EQ(Machine->State(), TSceneState::Idle);
    EXPECT_EQ(Machine->DragSourceView(), nullptr);
    // Moves after the drag start nothing more.
    MoveTo(400, 400);
    EXPECT_EQ(Commands.Calls.size(), 1u);
}

TEST_F(SceneInput, ABandKeepsTheKindItsPressGaveIt) {
    Host.BandItems = {Item(1), Item(2)};
    PlaceLevel(300, 300);
    Press(300, 300);
    EXPECT_EQ(Machine->State(), TSceneState::BandReplace);
    EXPECT_EQ(Commands.Calls, std::vector<std::string>{"browse"});
    MoveTo(302, 302);
    EXPECT_TRUE(Host.Calls.empty()); // within the threshold no band is drawn
    MoveTo(350, 350, HeldLeft | HeldCtrl);
    EXPECT_EQ(Host.Calls, std::vector<std::string>{"band replace"});
    EXPECT_TRUE(Item(1)->Selected() && Item(2)->Selected());
    EXPECT_EQ(Machine->Band().EndX, 350);
    EXPECT_TRUE(Machine->Banding());
    Release(350, 350);
    EXPECT_FALSE(Machine->Banding());

    // Ctrl's band toggles what it covers, the item under the press at once, each item once
    // in a band however often the band passes it.
    Host.Calls.clear();
    View->ClearSelection();
    PlaceItem(310, 310, Item(0));
    Press(310, 310, HeldLeft | HeldCtrl);
    EXPECT_EQ(Machine->State(), TSceneState::BandToggle);
    EXPECT_TRUE(Item(0)->Selected());
    MoveTo(311, 311, HeldLeft);
    MoveTo(312, 312, HeldLeft);
    EXPECT_EQ(Host.Calls, (std::vector<std::string>{"band toggle", "band toggle"}));
    EXPECT_TRUE(Item(1)->Selected() && Item(2)->Selected());
}

TEST_F(SceneInput, TheStripsEdgeMovesUntilItReachesAMarginOrIsReleased) {
    Press(SplitX + SplitGrip - 1, 100);
    EXPECT_EQ(Machine->State(), TSceneState::MovingSplit);
    EXPECT_EQ(Host.Calls, std::vector<std::string>{"grip split"});
    MoveTo(SplitX + 50, 100);
    MoveTo(SplitX - 150, 100); // signed: a captured drag goes left of the scene window
    EXPECT_EQ(Commands.Calls, (std::vector<std::string>{"split 250", "split 50"}));
    Release(SplitX - 150, 100);
    EXPECT_EQ(Machine->State(), TSceneState::Idle);
    EXPECT_EQ(Host.Calls.back(), "release");

    // Pressed off the grip, the edge does not move; hovering it shows its cursor.
    Host.Calls.clear();
    Commands.Calls.clear();
    MoveTo(SplitX + 2, 100, 0);
    EXPECT_EQ(Host.Calls, std::vector<std::string>{"split cursor"});
    Press(SplitX + SplitGrip, 100);
    EXPECT_NE(Machine->State(), TSceneState::MovingSplit);

    // The edge lets go at the window's far margin.
    Release(SplitX + SplitGrip, 100);
    Press(SplitX, 100);
    MoveTo(Width - 5, 100);
    EXPECT_EQ(Machine->State(), TSceneState::Idle);
}

TEST_F(SceneInput, ModifiersPickTheCameraOrTheGrid) {
    struct TCase {
        uint32_t Held;
        bool OnLevel;
        TSceneState State;
    };
    const TCase cases[] = {
        {HeldLeft | HeldShift, false, TSceneState::CameraOrbit},
        {HeldLeft | HeldShift, true, TSceneState::GridMove},
        {HeldRight | HeldShift, false, TSceneState::CameraPan},
        {HeldRight | HeldShift, true, TSceneState::GridTilt},
        {HeldLeft | HeldRight | HeldShift, false, TSceneState::CameraDolly},
        {HeldLeft | HeldRight | HeldShift, true, TSceneState::GridDepth},
        {HeldRight | HeldShift | HeldCtrl, true, TSceneState::CameraPan},
        {HeldLeft | HeldRight | HeldShift | HeldCtrl, true, TSceneState::CameraDolly},
        {HeldLeft | HeldShift | HeldCtrl, false, TSceneState::Idle},
        // The middle button and the X buttons do not change the table.
        {HeldRight | HeldShift | HeldMiddle | HeldX2, false, TSceneState::CameraPan},
    };
    PlaceLevel(500, 500);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Held);
        const int32_t x = c.OnLevel ? 500 : 600;
        const TInputKind kind = (c.Held & HeldLeft) ? TInputKind::LeftDown : TInputKind::RightDown;
        Machine->Input(Mouse(kind, x, 500, c.Held));
        EXPECT_EQ(Machine->State(), c.State);
        if (c.State == TSceneState::CameraPan) {
            TVector3 before, after;
            Camera.GetPosition(before);
            MoveTo(x + 30, 520, c.Held);
            Camera.GetPosition(after);
            EXPECT_NE(before.x, after.x);
        }
        Machine->Input(Mouse(TInputKind::RightUp, x, 500, 0));
        EXPECT_EQ(Machine->State(), TSceneState::Idle);
    }
}

TEST_F(SceneInput, ARightPressShowsTheMenuAndTheNextLeftPressActsAsAny) {
    PlaceItem(300, 300, Item(2));
    Item(1)->SelectOnly();
    Machine->Input(Mouse(TInputKind::RightDown, 300, 300, HeldRight));
    EXPECT_EQ(Commands.MenuPaths, std::vector<std::u16string>{u"C:\\c.txt"});
    EXPECT_TRUE(Item(2)->Selected());
    EXPECT_FALSE(Item(1)->Selected());
    // The menu's loop took the right release.
    EXPECT_EQ(Machine->State(), TSceneState::ContextMenuShown);
    Press(300, 300);
    EXPECT_EQ(Machine->State(), TSceneState::ItemPressed);

    // Empty space has no menu.
    Release(300, 300, HeldShift);
    Machine->Input(Mouse(TInputKind::RightDown, 700, 300, HeldRight));
    EXPECT_EQ(Commands.MenuPaths.size(), 1u);
    EXPECT_EQ(Machine->State(), TSceneState::Idle);
}

TEST_F(SceneInput, ShortcutsComeFromTheCommandTable) {
    PlaceItem(300, 300, Item(1));
    PlaceLevel(400, 300);
    MoveTo(300, 300, 0);
    Key('P', HeldCtrl);
    MoveTo(400, 300, 0);
    Key('P', HeldCtrl);
    MoveTo(700, 300, 0);
    Key('P', HeldCtrl);
    EXPECT_EQ(Commands.CopiedPaths, (std::vector<std::u16string>{u"C:\\b.txt", u"C:\\", u""}));
    // A sort caption copies nothing; the machine only tells it from the rest by its address.
    Host.Hits[{700, 300}].SortCaption = reinterpret_cast<TLevelSortCaption*>(&Host);
    Key('P', HeldCtrl);
    EXPECT_EQ(Commands.CopiedPaths.size(), 3u);

    Key('C', HeldCtrl);
    Key('V', HeldCtrl);
    // Other modifiers make another key: AltGr (Ctrl+Alt) types characters.
    Key('C', HeldCtrl | HeldAlt);
    Key('V', HeldCtrl | HeldShift);
    Key('C');
    // The control characters that follow the keys run nothing again.
    Type(3, HeldCtrl);
    Type(22, HeldCtrl);
    EXPECT_EQ(Commands.Calls, (std::vector<std::string>{"copy", "paste"}));
    EXPECT_TRUE(Host.FieldText.empty());

    Key('A', HeldCtrl);
    EXPECT_EQ(SelectedCount(), View->Count());
    // While the filter field has the keyboard, Ctrl+A is the field's.
    View->ClearSelection();
    Host.Field = true;
    Key('A', HeldCtrl);
    Type(1, HeldCtrl);
    EXPECT_EQ(SelectedCount(), 0);
    EXPECT_EQ(Host.FieldText, std::u16string(1, char16_t{1}));
}

TEST_F(SceneInput, KeyTablesByTheirModifiers) {
    Key(Key::Delete);
    Key(Key::Delete, HeldShift);
    EXPECT_EQ(Commands.Calls, (std::vector<std::string>{"recycle", "delete"}));

    // Backspace: the pane's parent while the pane has the keyboard; else the level closes,
    // unless the filter takes it.
    Commands.PaneFocus = true;
    Key(Key::Back);
    EXPECT_EQ(Commands.Calls.back(), "pane parent");
    EXPECT_EQ(Levels->ViewCount(), 3);
    Commands.PaneFocus = false;
    Host.Filter = true;
    Key(Key::Back);
    EXPECT_EQ(Levels->ViewCount(), 3);
    Key(Key::Back, HeldCtrl);
    EXPECT_EQ(Host.Calls.back(), "clear filter");
    Host.Filter = false;
    Key(Key::Back);
    EXPECT_EQ(Levels->ViewCount(), 2);
    EXPECT_EQ(Commands.Calls.back(), "browse");

    // Digits make a level current unless typed ahead or into the field.
    Key('0');
    EXPECT_EQ(Levels->Current(), Levels->ViewAt(0));
    Key('1');
    EXPECT_EQ(Levels->Current(), Levels->ViewAt(1));
    Host.Field = true;
    Key('0');
    EXPECT_EQ(Levels->Current(), Levels->ViewAt(1));

    Key(Key::F3);
    EXPECT_EQ(Host.Calls.back(), "toggle filter");
    Key(Key::F1);
    EXPECT_EQ(Commands.Calls.back(), "help");

    // Ctrl+Shift and an arrow move the camera.
    TVector3 before, after;
    Camera.GetPosition(before);
    Key(Key::Left, HeldCtrl | HeldShift);
    Camera.GetPosition(after);
    EXPECT_GT(after.x, before.x);
}

TEST_F(SceneInput, CharactersMoveTheCameraOrTypeAheadButNotWhileTheFieldHasTheKeyboard) {
    TVector3 start, after;
    Camera.GetPosition(start);
    Type(u'c');
    EXPECT_EQ(View->Focused()->DisplayName(), u"c.txt");
    Type(u'=');
    Camera.GetPosition(after);
    EXPECT_NE(start.z, after.z);
    EXPECT_EQ(Levels->TypeAheadText(), u"c=");
    EXPECT_EQ(std::count(Host.Calls.begin(), Host.Calls.end(), "type-ahead timer"), 2);

    Levels->ClearTypeAhead();
    Host.Field = true;
    Camera.GetPosition(start);
    Type(u'-');
    Type(u'b');
    Camera.GetPosition(after);
    EXPECT_EQ(start.z, after.z);
    EXPECT_EQ(Levels->TypeAheadText(), u"");
    EXPECT_EQ(Host.FieldText, u"-b");
}

TEST_F(SceneInput, TheWheelFliesOverEmptySpaceAndPagesOverTheMarkedLevel) {
    TInputEvent wheel;
    wheel.Kind = TInputKind::Wheel;
    wheel.WheelDelta = 120;
    MoveTo(700, 300, 0);
    Levels->SetMarked(View);
    Machine->Input(wheel);
    EXPECT_EQ(Levels->Marked(), nullptr);
    EXPECT_TRUE(Timer.Running.count(CameraFlightTimerId));

    PlaceLevel(400, 300);
    MoveTo(400, 300, 0);
    EXPECT_EQ(Levels->Marked(), View); // hovering marks the level
    const int32_t redraws = Host.Redraws;
    wheel.WheelDelta = -120;
    Machine->Input(wheel);
    EXPECT_GT(Host.Redraws, redraws);
}

TEST(SceneCommandTable, IdsShortcutsAndMenuTexts) {
    InitLocalizedStrings(0x409);
    for (const TSceneCommandRow& row : SceneCommandRows()) {
        EXPECT_EQ(CommandOfMenuId(MenuIdOf(row.Command)), row.Command);
        EXPECT_GT(MenuIdOf(row.Command), LastShellCommand);
        if (row.Shortcut.Key) {
            EXPECT_EQ(CommandOfShortcut(row.Shortcut.Held, row.Shortcut.Key), &row);
        }
    }
    EXPECT_EQ(CommandOfMenuId(FirstSceneCommand - 1), std::nullopt);
    EXPECT_EQ(CommandOfMenuId(FirstSceneCommand + SceneCommandRows().size()), std::nullopt);
    // Held buttons do not count; other modifiers do.
    EXPECT_EQ(CommandOfShortcut(HeldCtrl | HeldLeft, 'P')->Command, TSceneCommand::CopyFullPath);
    EXPECT_EQ(CommandOfShortcut(HeldCtrl | HeldShift, 'P'), nullptr);
    EXPECT_EQ(CommandOfShortcut(0, 'P'), nullptr);
    EXPECT_EQ(CommandOfControlCharacter(16)->Command, TSceneCommand::CopyFullPath);
    EXPECT_EQ(CommandOfControlCharacter(1)->Command, TSceneCommand::SelectAll);
    EXPECT_EQ(CommandOfControlCharacter(2), nullptr);
    EXPECT_EQ(CommandOfControlCharacter(u'P'), nullptr);

    const auto menuText = [](TSceneCommand command) {
        return MenuEntryText(SceneCommandRows()[static_cast<size_t>(command)]);
    };
    EXPECT_EQ(menuText(TSceneCommand::CopyFullPath), u"Copy full path [Ctrl+P]");
    EXPECT_EQ(menuText(TSceneCommand::CloseAllButThis), u"Close all but this");
    InitLocalizedStrings(0x419);
    EXPECT_EQ(menuText(TSceneCommand::CopyFullPath), u"Копировать полный путь [Ctrl+P]");
    InitLocalizedStrings(0x409);
}

} // namespace
