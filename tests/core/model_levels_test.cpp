#include "model_folder_fakes.h"

#include "model/FolderOrder.h"
#include "services/LocalizedStrings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TNode = TMemoryNamespace::TNode;

class LevelsCollection : public ::testing::Test {
protected:
    LevelsCollection() {
        Drive = Shell.AddDrive(u'C', u"Local Disk");
        A = Shell.AddFolder(Drive, u"A");
        AB = Shell.AddFolder(A, u"B");
        ABC = Shell.AddFolder(AB, u"C");
        D = Shell.AddFolder(Drive, u"D");
        Shell.AddFile(A, u"readme.txt", 10, 10);
        TLevelsHooks hooks;
        hooks.ShowLimit = [this](const std::u16string& title, const std::u16string& text) {
            Limits.push_back(title + u"|" + text);
        };
        hooks.CurrentChanged = [this](TFolderView& view) { CurrentChanges.push_back(&view); };
        hooks.FlightFinished = [this](TAfterFlight after) { FlightEnds.push_back(after); };
        Levels = std::make_unique<TLevelsCollection>(Shell, Resources, &Camera, Timer, hooks);
        Root = Levels->OpenOrActivate(Levels->DesktopIDList(), TOpenFlight::NoFlight);
        Computer = Levels->OpenOrActivate(Levels->DrivesIDList(), TOpenFlight::NoFlight);
    }

    TFolderView* Open(TNode node, TOpenFlight flight = TOpenFlight::NoFlight) {
        return Levels->OpenOrActivate(Shell.AbsoluteIDList(node).Get(), flight);
    }

    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    TGeomCamera Camera{0, 0, 5};
    std::unique_ptr<TLevelsCollection> Levels;
    std::vector<std::u16string> Limits;
    std::vector<TFolderView*> CurrentChanges;
    std::vector<TAfterFlight> FlightEnds;
    TFolderView* Root = nullptr;
    TFolderView* Computer = nullptr;
    TNode Drive = 0, A = 0, AB = 0, ABC = 0, D = 0;
};

} // namespace

TEST_F(LevelsCollection, StartsWithTheDesktopAndComputer) {
    ASSERT_NE(Root, nullptr);
    ASSERT_NE(Computer, nullptr);
    EXPECT_TRUE(Root->IsRoot());
    EXPECT_EQ(Root->Depth(), 0);
    EXPECT_EQ(Computer->Depth(), 1);
    EXPECT_EQ(Computer->Parent(), Root);
    EXPECT_EQ(Levels->Current(), Computer);
    EXPECT_EQ(Levels->Marked(), Computer);
    EXPECT_EQ(Levels->FindView(Levels->DesktopIDList()), Root);
    EXPECT_EQ(Levels->FindDesktopKindView(*Shell.Desktop()), Root);
    EXPECT_TRUE(Timer.Running.empty());
}

TEST_F(LevelsCollection, OpeningAnOpenFolderActivatesItAndFlies) {
    TFolderView* a = Open(A);
    Levels->SetCurrent(Root);
    Levels->SetMarked(Root);
    EXPECT_EQ(Open(A, TOpenFlight::Fly), a);
    EXPECT_EQ(Levels->ViewCount(), 3);
    EXPECT_EQ(Levels->Current(), a);
    EXPECT_EQ(Levels->Marked(), a);
    EXPECT_TRUE(Timer.Running.count(CameraFlightTimerId));
    // The flight ends where the layout puts the camera for that level.
    for (uint32_t i = 0; i <= CameraFlightSteps; ++i)
        Levels->StepCameraAnimation();
    TVector3 expected;
    TVector3 position;
    Levels->LevelLayout().GetCameraPosition(*a->LayoutManager(), expected);
    Camera.GetPosition(position);
    EXPECT_NEAR(VectorDistance(expected, position), 0, 1e-4);
    EXPECT_EQ(FlightEnds, std::vector<TAfterFlight>{TAfterFlight::KeepPane});
}

TEST_F(LevelsCollection, AFlightEndsWithWhatItsStartAskedToFollow) {
    TFolderView* a = Open(A);
    Levels->FlyTo(Computer, TAfterFlight::KeepPane, TFlightPath::ToLevel);
    // A new flight replaces the running one, whose end is never reported.
    Levels->FlyTo(a, TAfterFlight::BrowsePane, TFlightPath::TurnInPlace);
    for (uint32_t i = 0; i <= CameraFlightSteps; ++i)
        Levels->StepCameraAnimation();
    EXPECT_EQ(FlightEnds, std::vector<TAfterFlight>{TAfterFlight::BrowsePane});
}

TEST_F(LevelsCollection, FortyFirstFolderIsRefused) {
    std::vector<TNode> folders;
    for (int i = 0; i < 40; ++i)
        folders.push_back(Shell.AddFolder(D, u"f" + std::u16string(1, char16_t(u'A' + i % 26)) +
                                                 std::u16string(1, char16_t(u'a' + i / 26))));
    int i = 0;
    while (Levels->ViewCount() < MaxOpenFolders)
        ASSERT_NE(Open(folders[i++]), nullptr);
    TFolderView* current = Levels->Current();
    EXPECT_EQ(Open(folders[i]), nullptr);
    EXPECT_EQ(Levels->ViewCount(), 40);
    EXPECT_EQ(Levels->Current(), current);
    ASSERT_EQ(Limits.size(), 1u);
    EXPECT_EQ(Limits[0], sLimitsTitle + u"|" + sTooManyFolders);
    EXPECT_EQ(Limits[0], u"Glimmera: limits|Too many folders opened. Please close a few");
    // An open one is still found at the limit.
    EXPECT_NE(Open(folders[0]), nullptr);
    EXPECT_EQ(Limits.size(), 1u);
}

TEST_F(LevelsCollection, OpenedFoldersLinkToTheirParents) {
    TFolderView* a = Open(A);
    a->SetSortOrder(TSortOrder::OldestFirst);
    TFolderView* b = Open(AB);
    EXPECT_EQ(b->Parent(), a);
    EXPECT_EQ(b->Depth(), a->Depth() + 1);
    EXPECT_EQ(a->Children(), std::vector<TFolderView*>{b});
    EXPECT_EQ(b->SortOrder(), TSortOrder::OldestFirst) << "inherited from the parent";
    // A folder whose parent is not open hangs below nothing.
    TFolderView* c = Levels->OpenOrActivate(Shell.AbsoluteIDList(D).Get(), TOpenFlight::NoFlight);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_EQ(c->Depth(), 1);
    EXPECT_EQ(c->SortOrder(), TSortOrder::NameAscending);
}

TEST_F(LevelsCollection, ClosingTheSubtreeOfTheCurrentViewChoosesTheDeepestRemaining) {
    TFolderView* a = Open(A);
    Open(AB);
    Open(ABC);
    TFolderView* d = Open(D);
    Levels->SetCurrent(Levels->FindView(Shell.AbsoluteIDList(ABC).Get()));
    Levels->CloseView(*a, true);
    EXPECT_EQ(Levels->ViewCount(), 3);
    EXPECT_EQ(Levels->FindView(Shell.AbsoluteIDList(AB).Get()), nullptr);
    // d (depth 1) is as deep as Computer but stands later.
    EXPECT_EQ(Levels->Current(), d);
    EXPECT_EQ(Levels->Marked(), d);
    EXPECT_TRUE(Timer.Running.count(CameraFlightTimerId));
    // The root never closes.
    Levels->CloseView(*Root, false);
    EXPECT_EQ(Levels->ViewCount(), 3);
}

// Paging goes to the marked view: a closed one must not stay marked.
TEST_F(LevelsCollection, ClosingTheMarkedViewMarksTheNewCurrentOne) {
    TFolderView* a = Open(A);
    Open(AB);
    TFolderView* d = Open(D);
    ASSERT_EQ(Levels->Marked(), d);
    Levels->SetCurrent(a);
    Levels->CloseView(*d, false);
    ASSERT_NE(Levels->Current(), nullptr);
    ASSERT_EQ(Levels->Marked(), Levels->Current());
    Levels->NextPage();

    // Also when the marked view goes with its parent's subtree, or with every other view.
    Levels->SetCurrent(Computer);
    Levels->CloseView(*a, false);
    ASSERT_EQ(Levels->Marked(), Computer);
    Open(D);
    Levels->SetCurrent(Computer);
    Levels->CloseAllBut(*Computer);
    ASSERT_EQ(Levels->Marked(), Computer);
    Levels->PrevPage();
}

TEST_F(LevelsCollection, CloseAllButAGrandchildKeepsTheRootAndIt) {
    Open(A);
    Open(AB);
    TFolderView* c = Open(ABC);
    Open(D);
    Levels->CloseAllBut(*c);
    EXPECT_EQ(Levels->ViewCount(), 2);
    EXPECT_EQ(Levels->ViewAt(0), Root);
    EXPECT_EQ(Levels->ViewAt(1), c);
    EXPECT_EQ(c->Parent(), nullptr);
    EXPECT_TRUE(Root->Children().empty());
    EXPECT_EQ(Levels->Current(), c);
    EXPECT_EQ(c->Depth(), 3);
}

TEST_F(LevelsCollection, CloseAllButAChildOfTheRootKeepsItsParent) {
    Open(A);
    Levels->CloseAllBut(*Computer);
    EXPECT_EQ(Levels->ViewCount(), 2);
    EXPECT_EQ(Computer->Parent(), Root);
    EXPECT_EQ(Root->Children(), std::vector<TFolderView*>{Computer});
}

namespace {

// Where the camera aims once its flight has ended, and the centre of the view's frame as the
// view stands now (computed afresh, so a stale one cannot agree by accident).
void ExpectFlightEndsOn(TLevelsCollection& levels, TGeomCamera& camera, TFolderView& view) {
    for (uint32_t i = 0; i <= CameraFlightSteps; ++i)
        levels.StepCameraAnimation();
    TVector3 aimed;
    camera.GetTarget(aimed);
    TQuad frame;
    view.LayoutManager()->ComputeFrame(frame);
    TVector3 centre = frame[3];
    VectorAdd(centre, frame[0]);
    VectorScale(centre, 0.5f);
    EXPECT_NEAR(VectorDistance(aimed, centre), 0, 1e-4);
}

} // namespace

TEST_F(LevelsCollection, ClosingLevelsFliesToWhereTheSurvivorIsLaidOutNow) {
    Open(A);
    Open(AB);
    TFolderView* c = Open(ABC);
    TFolderView* d = Open(D, TOpenFlight::Fly);
    ExpectFlightEndsOn(*Levels, Camera, *d);

    // The kept level moves from the fifth place to the second.
    Levels->CloseAllBut(*c);
    ExpectFlightEndsOn(*Levels, Camera, *c);

    // Closing a level before the last moves the last one up.
    TFolderView* a = Open(A);
    TFolderView* dAgain = Open(D, TOpenFlight::Fly);
    ExpectFlightEndsOn(*Levels, Camera, *dAgain);
    Levels->CloseView(*a, true);
    ExpectFlightEndsOn(*Levels, Camera, *dAgain);
}

TEST_F(LevelsCollection, NextAndPreviousViewStopAtTheEnds) {
    TFolderView* a = Open(A);
    EXPECT_EQ(Levels->NextView(), a);
    EXPECT_EQ(Levels->NextView(), a);
    EXPECT_EQ(Levels->PrevView(), Computer);
    EXPECT_EQ(Levels->PrevView(), Root);
    EXPECT_EQ(Levels->PrevView(), Root);
    Levels->SetCurrent(nullptr);
    EXPECT_EQ(Levels->NextView(), Root);
}

TEST_F(LevelsCollection, NavigateAlongDepthsParentsAndChildren) {
    TFolderView* a = Open(A);
    TFolderView* d = Open(D);
    Levels->SetCurrent(Computer);
    Levels->NavigateLevels(1);
    EXPECT_EQ(Levels->Current(), a);
    Levels->NavigateLevels(1);
    EXPECT_EQ(Levels->Current(), d);
    Levels->NavigateLevels(1);
    EXPECT_EQ(Levels->Current(), d);
    Levels->NavigateLevels(0);
    EXPECT_EQ(Levels->Current(), a);
    // Drive C is not open, so A hangs below nothing.
    Levels->NavigateLevels(2);
    EXPECT_EQ(Levels->Current(), a);
    Levels->SetCurrent(Computer);
    Levels->NavigateLevels(2);
    EXPECT_EQ(Levels->Current(), Root);
    Levels->NavigateLevels(3);
    EXPECT_EQ(Levels->Current(), Computer);
    EXPECT_EQ(Levels->ViewsAtDepth(1), (TLevel{Computer, a, d}));
}

TEST_F(LevelsCollection, TypeAheadNeverStartsWithADigit) {
    TFolderView* a = Open(A);
    Shell.AddFile(A, u"1st", 0, 0);
    Shell.AddFile(A, u"r2", 0, 0);
    a->Reload();
    Levels->SetCurrent(a);
    Levels->TypeAhead(u'1');
    EXPECT_EQ(Levels->TypeAheadText(), u"");
    Levels->TypeAhead(u'r');
    Levels->TypeAhead(u'2');
    EXPECT_EQ(Levels->TypeAheadText(), u"r2");
    EXPECT_EQ(a->Focused()->DisplayName(), u"r2");
    Levels->ClearTypeAhead();
    EXPECT_EQ(Levels->TypeAheadText(), u"");
}

TEST_F(LevelsCollection, ActivatingAFolderOpensItAndAFileLaunchesIt) {
    TFolderView* drive = Open(Drive);
    drive->ItemAt(0)->SelectOnly(); // A
    ASSERT_EQ(drive->Focused()->DisplayName(), u"A");
    Levels->ActivateItem(*drive);
    TFolderView* a = Levels->FindView(Shell.AbsoluteIDList(A).Get());
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Levels->Current(), a);

    Shell.QuietExecuteSucceeds = false;
    a->ItemAt(a->Count() - 1)->SelectOnly(); // readme.txt
    Levels->ActivateItem(*a);
    ASSERT_EQ(Shell.Executions.size(), 2u);
    EXPECT_TRUE(Shell.Executions[0].Quietly);
    EXPECT_FALSE(Shell.Executions[1].Quietly);
}

TEST_F(LevelsCollection, RefreshClosesChildrenWhoseFoldersVanished) {
    TFolderView* a = Open(A);
    Open(AB);
    Resources.Missing.insert(u"C:\\A\\B");
    a->Refresh();
    EXPECT_EQ(Levels->FindView(Shell.AbsoluteIDList(AB).Get()), nullptr);
    EXPECT_EQ(Levels->FindView(Shell.AbsoluteIDList(A).Get()), a);
    Resources.Missing.insert(u"C:\\A");
    a->Refresh();
    EXPECT_EQ(Levels->FindView(Shell.AbsoluteIDList(A).Get()), nullptr);
}

TEST_F(LevelsCollection, ClosingDuringALayoutSwapIsSafe) {
    Open(A);
    Open(AB);
    Levels->ToggleLevelLayout();
    EXPECT_TRUE(Levels->Stacked());
    EXPECT_EQ(Levels->Marked(), nullptr);
    Levels->StepLayoutSwap();
    Levels->CloseView(*Levels->FindView(Shell.AbsoluteIDList(A).Get()), false);
    Levels->StepLayoutSwap();
    EXPECT_EQ(Levels->ViewCount(), 2);
}

TEST_F(LevelsCollection, CameraIsPlacedAndTurnedTowardsTheCurrentView) {
    Levels->PlaceCamera(Computer);
    TVector3 target;
    TVector3 wanted;
    Camera.GetTarget(target);
    Levels->LevelLayout().GetCameraTarget(*Computer->LayoutManager(), wanted);
    EXPECT_NEAR(VectorDistance(target, wanted), 0, 1e-4);
    Levels->TurnToCurrent();
    EXPECT_FALSE(Timer.Running.count(CameraFlightTimerId));
    Levels->SetCurrent(Root);
    Levels->TurnToCurrent();
    EXPECT_TRUE(Timer.Running.count(CameraFlightTimerId));
}
