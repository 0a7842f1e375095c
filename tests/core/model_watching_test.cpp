// The folder model's side of change watching: who is watched, what a report does, and how
// volumes that go away close their levels.
#include "model_folder_fakes.h"

#include <gtest/gtest.h>

namespace {

using TNode = TMemoryNamespace::TNode;

class Watching : public ::testing::Test {
protected:
    Watching() {
        C = Shell.AddDrive(u'C', u"Local Disk");
        E = Shell.AddDrive(u'E', u"Stick");
        Docs = Shell.AddFolder(C, u"Docs");
        Photos = Shell.AddFolder(E, u"Photos");
        Trips = Shell.AddFolder(Photos, u"Trips");
        Shell.AddFile(Docs, u"b.txt", 1, 1);
        Resources.Volumes[u"E:\\"] = 0xE0;
        TLevelsHooks hooks;
        hooks.Redraw = [this] { ++Redraws; };
        Levels = std::make_unique<TLevelsCollection>(Shell, Resources, nullptr, Timer, hooks);
        Root = Levels->OpenOrActivate(Levels->DesktopIDList(), TOpenFlight::NoFlight);
        Computer = Levels->OpenOrActivate(Levels->DrivesIDList(), TOpenFlight::NoFlight);
    }

    TFolderView* Open(TNode node) {
        return Levels->OpenOrActivate(Shell.AbsoluteIDList(node).Get(), TOpenFlight::NoFlight);
    }

    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    std::unique_ptr<TLevelsCollection> Levels;
    TFolderView* Root = nullptr;
    TFolderView* Computer = nullptr;
    TNode C = 0, E = 0, Docs = 0, Photos = 0, Trips = 0;
    int Redraws = 0;
};

} // namespace

TEST_F(Watching, EveryFolderButTheRootIsWatchedUntilItsLevelCloses) {
    EXPECT_EQ(Resources.LiveWatches, 1) << "the Computer level, not the desktop";
    TFolderView* docs = Open(Docs);
    ASSERT_NE(docs, nullptr);
    EXPECT_EQ(Resources.Watched.back(), docs->Path());
    EXPECT_EQ(Resources.LiveWatches, 2);
    Levels->CloseView(*docs, false);
    EXPECT_EQ(Resources.LiveWatches, 1) << "the watch goes with its level";
}

TEST_F(Watching, AReportIsTakenBeforeTheReadAndOneForAClosedViewIsIgnored) {
    TFolderView* docs = Open(Docs);
    const int reads = Resources.Traced.size();
    Shell.AddFile(Docs, u"a.txt", 1, 1);
    Levels->OnFolderChanged(docs);
    EXPECT_EQ(Resources.Acknowledged, 1);
    EXPECT_GT(static_cast<int>(Resources.Traced.size()), reads) << "the page was read again";
    EXPECT_EQ(docs->ItemAt(0)->DisplayName(), u"a.txt");
    EXPECT_GT(Redraws, 0);

    Levels->CloseView(*docs, false);
    const int acknowledged = Resources.Acknowledged;
    Levels->OnFolderChanged(docs); // posted before the close, delivered after it
    EXPECT_EQ(Resources.Acknowledged, acknowledged);
}

TEST_F(Watching, OnlyDrivesThatCanGoAwayGiveTheirViewsAVolume) {
    TFolderView* docs = Open(Docs);
    TFolderView* photos = Open(Photos);
    EXPECT_EQ(docs->Volume(), 0u);
    EXPECT_EQ(photos->Volume(), 0xE0u);
    EXPECT_EQ(Resources.Roots.back(), u"E:\\");
}

TEST_F(Watching, AVolumeAskedForClosesItsViewsWithTheirChildrenAndIsLetGo) {
    TFolderView* docs = Open(Docs);
    Open(Photos);
    Open(Trips);
    ASSERT_EQ(Levels->ViewCount(), 5);
    Levels->OnDeviceQueryRemove(0xE0);
    EXPECT_EQ(Levels->ViewCount(), 3);
    EXPECT_GE(Levels->IndexOf(docs), 0);
    EXPECT_EQ(Resources.Released, std::vector<TVolumeToken>{0xE0});
    Levels->OnDeviceQueryRemove(0);
    EXPECT_EQ(Resources.Released.size(), 1u) << "no volume, nothing to let go";
}

TEST_F(Watching, ARemovedVolumeClosesTheViewsOnItsFirstLetterAndRereadsComputer) {
    TFolderView* docs = Open(Docs);
    Open(Photos);
    Open(Trips);
    Levels->OnVolumeRemoved(0); // an empty mask names no drive
    EXPECT_EQ(Levels->ViewCount(), 5);
    const size_t traced = Resources.Traced.size();
    Levels->OnVolumeRemoved((1u << (u'E' - u'A')) | (1u << (u'F' - u'A')));
    EXPECT_EQ(Levels->ViewCount(), 3);
    EXPECT_GE(Levels->IndexOf(docs), 0);
    EXPECT_GT(Resources.Traced.size(), traced) << "the Computer level was read again";
    Levels->OnVolumeRemoved(1u << (u'C' - u'A'));
    EXPECT_EQ(Levels->IndexOf(docs), -1);
    EXPECT_GE(Levels->IndexOf(Root), 0) << "the root never closes";
}

TEST_F(Watching, AShellChangeReadsTheViewOfItsFolderOnly) {
    Shell.AddFile(C, u"new.txt", 1, 1);
    const size_t traced = Resources.Traced.size();
    Levels->OnShellChange(TShellChangeKind::RecycleBin); // not open: nothing happens
    EXPECT_EQ(Resources.Traced.size(), traced);
    Levels->OnShellChange(TShellChangeKind::Drives);
    EXPECT_GT(Resources.Traced.size(), traced);
}
