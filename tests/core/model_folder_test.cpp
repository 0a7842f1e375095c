#include "model_folder_fakes.h"

#include "base/Errors.h"
#include "model/FolderOrder.h"
#include "model/LinguisticCompare.h"
#include "services/LocalizedStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using TNode = TMemoryNamespace::TNode;

std::u16string Numbered(int i) {
    std::string digits = std::to_string(i);
    while (digits.size() < 3)
        digits.insert(digits.begin(), '0');
    return u"file" + std::u16string(digits.begin(), digits.end());
}

class FolderView : public ::testing::Test {
protected:
    FolderView() {
        Drive = Shell.AddDrive(u'C', u"Local Disk");
        Data = Shell.AddFolder(Drive, u"Data");
    }

    std::vector<TNode> AddFiles(int count) {
        std::vector<TNode> files;
        for (int i = 0; i < count; ++i)
            files.push_back(Shell.AddFile(Data, Numbered(i), 0, 0));
        return files;
    }

    TFolderView* Open(TNode node) {
        Levels.OpenOrActivate(Levels.DesktopIDList(), TOpenFlight::NoFlight);
        return Levels.OpenOrActivate(Shell.AbsoluteIDList(node).Get(), TOpenFlight::NoFlight);
    }

    std::vector<std::u16string> Names(const TFolderView& view) const {
        std::vector<std::u16string> names;
        for (int32_t i = 0; i < view.Count(); ++i)
            names.push_back(view.ItemAt(i)->DisplayName());
        return names;
    }

    static std::u16string PageCaption(const TFolderView& view, int32_t page) {
        const TPageInfo* info = view.Page(page);
        return info && info->Caption ? AsFake(info->Caption.get())->Text : u"<none>";
    }

    static int SelectedCount(const TFolderView& view) {
        int selected = 0;
        for (int32_t i = 0; i < view.Count(); ++i)
            selected += view.ItemAt(i)->Selected() ? 1 : 0;
        return selected;
    }

    TMemoryNamespace Shell;
    TFakeResources Resources;
    TFakeTimer Timer;
    TGeomCamera Camera{0, 0, 5};
    TLevelsCollection Levels{Shell, Resources, &Camera, Timer};
    TNode Drive = 0;
    TNode Data = 0;
};

} // namespace

TEST_F(FolderView, EmptyFolderHasNoPagesAndOneTileShape) {
    TFolderView* view = Open(Data);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->PageCount(), 0);
    EXPECT_EQ(view->CurrentPage(), 0);
    EXPECT_EQ(view->LayoutManager()->GetItemCount(), 1);
    EXPECT_EQ(view->LayoutManager()->GetPageCount(), 1);
    EXPECT_EQ(view->Page(0), nullptr);
    EXPECT_EQ(view->Focused(), nullptr);
    view->NextPage();
    view->MoveFocus(TRectangularLattice::RowDown, false);
    EXPECT_EQ(view->CurrentPage(), 0);
}

TEST_F(FolderView, FullPagesWithTheirCaptions) {
    AddFiles(ItemsPerPage);
    TFolderView* view = Open(Data);
    EXPECT_EQ(view->PageCount(), 1);
    EXPECT_EQ(PageCaption(*view, 0), u"  ");

    Shell.AddFile(Data, u"zz-last", 0, 0);
    view->Reload();
    ASSERT_EQ(view->PageCount(), 2);
    EXPECT_EQ(PageCaption(*view, 0), u"1 of 2 [PgUp/PgDown]");
    view->NextPage();
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(PageCaption(*view, 1), u"2 of 2 [PgUp/PgDown]");
    EXPECT_EQ(view->LayoutManager()->GetItemCount(), 1);
    view->NextPage();
    EXPECT_EQ(view->CurrentPage(), 1);
    view->PrevPage();
    view->PrevPage();
    EXPECT_EQ(view->CurrentPage(), 0);
    EXPECT_EQ(view->LayoutManager()->GetItemCount(), ItemsPerPage);
}

TEST_F(FolderView, OnlyTheFirstAndTheCurrentPageStayLoaded) {
    constexpr int32_t P = ItemsPerPage;
    AddFiles(3 * P + P / 2);
    TFolderView* view = Open(Data);
    const int pagesBefore = Resources.LivePages;
    view->GoToPage(2);
    view->GoToPage(3);
    EXPECT_TRUE(view->Page(0)->Texture);
    EXPECT_FALSE(view->Page(1)->Texture);
    EXPECT_FALSE(view->Page(2)->Texture);
    EXPECT_TRUE(view->Page(3)->Texture);
    EXPECT_EQ(Resources.LivePages, pagesBefore + 1);
    // Items off the loaded pages keep their icons but lose their captions.
    EXPECT_EQ(view->ItemAt(2 * P + 5)->Caption(), nullptr);
    EXPECT_TRUE(view->ItemAt(2 * P + 5)->IconRequested());
    EXPECT_NE(view->ItemAt(3 * P + 5)->Caption(), nullptr);
    // Going to a page selects its first item.
    EXPECT_EQ(view->Focused(), view->ItemAt(3 * P));
    view->GoToPage(7);
    EXPECT_EQ(view->CurrentPage(), 3);
}

TEST_F(FolderView, ItemsAreTracedWhenTheirPageLoads) {
    AddFiles(ItemsPerPage + 5);
    TFolderView* view = Open(Data);
    Resources.Traced.clear();
    view->GoToPage(1);
    ASSERT_EQ(Resources.Traced.size(), 5u);
    EXPECT_EQ(Resources.Traced.front(), u"C:\\Data\\" + Numbered(ItemsPerPage));
}

TEST_F(FolderView, ReloadSelectsExactlyTheFirstItem) {
    AddFiles(5);
    TFolderView* view = Open(Data);
    view->SelectAll();
    EXPECT_EQ(SelectedCount(*view), 5);
    EXPECT_EQ(view->Focused(), view->ItemAt(4));
    view->Reload();
    EXPECT_EQ(SelectedCount(*view), 1);
    EXPECT_TRUE(view->ItemAt(0)->Selected());
    EXPECT_EQ(view->Focused(), view->ItemAt(0));
}

TEST_F(FolderView, FolderThatNeverStopsChangingIsReadOnceAndKept) {
    AddFiles(30);
    TFolderView* view = Open(Data);
    int reads = 0;
    Shell.OnEnumerate = [&](TNode folder) {
        if (folder == Data)
            Shell.AddFile(Data, u"new" + Numbered(reads++), 0, 0);
    };
    view->Reload();
    Shell.OnEnumerate = nullptr;
    EXPECT_EQ(reads, 1);
    EXPECT_EQ(view->PageCount(), (view->Count() + ItemsPerPage - 1) / ItemsPerPage);
    EXPECT_GE(view->Count(), 30);
    view->GoToPage(view->PageCount() - 1);
    EXPECT_EQ(view->CurrentPage(), view->PageCount() - 1);
}

TEST_F(FolderView, ReloadOfAShrunkFolderKeepsTheCurrentPageWithinIt) {
    constexpr int32_t P = ItemsPerPage;
    const std::vector<TNode> files = AddFiles(3 * P + P / 2);
    TFolderView* view = Open(Data);
    view->GoToPage(3);
    for (size_t i = P + 5; i < files.size(); ++i)
        Shell.Remove(files[i]);
    view->Reload();
    ASSERT_EQ(view->PageCount(), 2);
    EXPECT_EQ(view->CurrentPage(), 1) << "the last page that is left";
    EXPECT_TRUE(view->Page(1)->Texture);
    EXPECT_EQ(view->LayoutManager()->GetItemCount(), 5);
    view->LayoutManager()->InvalidatePages();
    view->PlaceCaptions(view->CurrentPage());
    ASSERT_NE(view->ItemAt(P + 4)->Caption(), nullptr);
    EXPECT_GT(AsFake(view->ItemAt(P + 4)->Caption())->Placed, 0);
    view->NextPage();
    EXPECT_EQ(view->CurrentPage(), 1);

    for (int i = 0; i < P + 5; ++i)
        Shell.Remove(files[i]);
    view->Refresh();
    EXPECT_EQ(view->PageCount(), 0);
    EXPECT_EQ(view->CurrentPage(), 0);
    EXPECT_EQ(view->Focused(), nullptr);
    view->LayoutManager()->InvalidatePages();
    view->PlaceCaptions(view->CurrentPage());
    view->MoveFocus(TRectangularLattice::RowDown, false);
}

// A refresh that brings on another one while it runs (the change that caused it, reported again)
// must not read the folder inside its own read.
TEST_F(FolderView, RefreshDoesNotReenterItself) {
    AddFiles(3);
    TFolderView* view = Open(Data);
    int enumerations = 0;
    Shell.OnEnumerate = [&](TNode folder) {
        if (folder != Data)
            return;
        ++enumerations;
        if (enumerations < 10)
            view->Refresh();
    };
    view->Refresh();
    EXPECT_EQ(enumerations, 1);
    EXPECT_EQ(view->Count(), 3);

    // The guard is down again after a refresh, also after one that failed.
    Shell.OnEnumerate = [](TNode) { throw std::runtime_error("shell failure"); };
    EXPECT_THROW(view->Refresh(), std::runtime_error);
    Shell.OnEnumerate = nullptr;
    Shell.AddFile(Data, u"new", 0, 0);
    view->Refresh();
    EXPECT_EQ(view->Count(), 4);
}

TEST_F(FolderView, FolderThatCannotBeEnumeratedIsEmpty) {
    AddFiles(3);
    Shell.SetEnumerationFails(Data, true);
    TFolderView* view = Open(Data);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Count(), 0);
}

TEST_F(FolderView, FilterKeepsDisplayNamesContainingTheTextInAnyCase) {
    Shell.AddFile(Data, u"docket", 0, 0);
    Shell.AddFile(Data, u"MyDocs", 0, 0);
    Shell.AddFile(Data, u"notes", 0, 0);
    Shell.AddVirtual(Data, u"Settings", u"::{DOC-GUID}", false);
    TFolderView* view = Open(Data);
    view->SetFilter(u"DOC");
    EXPECT_TRUE(view->Filtered());
    EXPECT_EQ(Names(*view), (std::vector<std::u16string>{u"docket", u"MyDocs"}));
    EXPECT_EQ(AsFake(view->LevelCaption())->Text, sFilterPrefix + u"C:\\Data");
    // Type-ahead is off while filtered, even towards an item the filter shows.
    ASSERT_EQ(view->Focused()->DisplayName(), u"docket");
    view->SelectByPrefix(u"my");
    EXPECT_EQ(view->Focused()->DisplayName(), u"docket");
    EXPECT_EQ(SelectedCount(*view), 1);
}

TEST_F(FolderView, FocusUnderAFilter) {
    constexpr int32_t P = ItemsPerPage;
    AddFiles(2 * P + 5);
    Shell.AddFile(Data, u"zz-hidden", 0, 0);
    TFolderView* view = Open(Data);
    TFSEView* hidden = view->ItemAt(2 * P + 5);
    hidden->SelectOnly();
    view->SetFilter(u"file");
    ASSERT_EQ(view->Count(), 2 * P + 5);
    EXPECT_EQ(view->Focused(), nullptr) << "the focused item is hidden";
    EXPECT_EQ(Levels.FocusedItem(), nullptr);
    Levels.ActivateItem(*view);
    EXPECT_TRUE(Shell.Executions.empty()) << "a hidden item is not launched";
    Levels.TypeAhead(u'f');
    EXPECT_EQ(view->Focused(), nullptr) << "typing does not focus while filtered";
    view->ClearFilter(true);
    EXPECT_EQ(view->Focused(), hidden) << "shown again, the item has the focus back";

    view->SetFilter(u"file");
    view->NextPage();
    EXPECT_EQ(view->Focused(), view->ItemAt(P)) << "paging focuses the page's first item";
    view->MoveFocus(TRectangularLattice::RowDown, false);
    EXPECT_EQ(view->Focused(), view->ItemAt(P + 1));
    EXPECT_FALSE(hidden->Selected()) << "moving the focus leaves one item selected";

    // A narrower filter hides the focused item; moving the focus then starts on page 0's first.
    view->SetFilter(u"file00");
    EXPECT_EQ(view->Focused(), nullptr);
    view->MoveFocus(TRectangularLattice::RowDown, false);
    EXPECT_EQ(view->Focused()->DisplayName(), u"file001");
}

TEST_F(FolderView, FilterMatchingNothingAndClearingRestoresTheOrder) {
    constexpr int32_t P = ItemsPerPage;
    AddFiles(2 * P + 5);
    TFolderView* view = Open(Data);
    view->SetSortOrder(TSortOrder::NameDescending);
    std::vector<TFSEView*> before;
    for (int32_t i = 0; i < view->Count(); ++i)
        before.push_back(view->ItemAt(i));
    const auto visibleCount = [&] {
        return std::count_if(before.begin(), before.end(),
                             [](const TFSEView* item) { return item->Visible(); });
    };
    view->GoToPage(2);
    view->SetFilter(u"file01");
    EXPECT_EQ(view->Count(), 10);
    EXPECT_EQ(visibleCount(), 10);
    EXPECT_EQ(view->CurrentPage(), 0);
    view->SetFilter(u"nothing like this");
    EXPECT_EQ(view->Count(), 0);
    EXPECT_EQ(visibleCount(), 0);
    EXPECT_EQ(view->PageCount(), 0);
    EXPECT_EQ(view->AllCount(), 2 * P + 5);
    view->ClearFilter(true);
    EXPECT_FALSE(view->Filtered());
    EXPECT_EQ(view->FilterText(), u"");
    EXPECT_EQ(visibleCount(), 2 * P + 5);
    ASSERT_EQ(view->Count(), 2 * P + 5);
    for (int32_t i = 0; i < 2 * P + 5; ++i)
        EXPECT_EQ(view->ItemAt(i), before[i]) << i;
    EXPECT_EQ(view->PageCount(), 3);
    EXPECT_EQ(AsFake(view->LevelCaption())->Text, u"C:\\Data");
    // Every loaded page's captions are for the items it shows now.
    for (int32_t i = 0; i < P; ++i)
        EXPECT_NE(view->ItemAt(i)->Caption(), nullptr);
    EXPECT_EQ(view->ItemAt(P)->Caption(), nullptr);
}

TEST_F(FolderView, SortModesAndTheirCaptions) {
    Shell.AddFile(Data, u"beta", 300, 10);
    Shell.AddFile(Data, u"Alpha", 100, 30);
    Shell.AddFile(Data, u"gamma", 200, 20);
    TFolderView* view = Open(Data);
    using TNames = std::vector<std::u16string>;
    EXPECT_EQ(Names(*view), (TNames{u"Alpha", u"beta", u"gamma"}));
    EXPECT_EQ(AsFake(view->SortCaptionLow())->Text, u"ABC");
    EXPECT_EQ(AsFake(view->SortCaptionHigh())->Text, u"XYZ");
    const struct {
        TSortOrder Mode;
        TNames Order;
        const char16_t* Low;
    } cases[] = {{TSortOrder::SizeAscending, {u"Alpha", u"gamma", u"beta"}, u"small"},
                 {TSortOrder::SizeDescending, {u"beta", u"gamma", u"Alpha"}, u"large"},
                 {TSortOrder::NameDescending, {u"gamma", u"beta", u"Alpha"}, u"XYZ"},
                 {TSortOrder::NewestFirst, {u"Alpha", u"gamma", u"beta"}, u"recent"},
                 {TSortOrder::OldestFirst, {u"beta", u"gamma", u"Alpha"}, u"old"}};
    for (const auto& c : cases) {
        view->SetSortOrder(c.Mode);
        EXPECT_EQ(Names(*view), c.Order) << int(c.Mode);
        EXPECT_EQ(AsFake(view->SortCaptionLow())->Text, c.Low) << int(c.Mode);
        EXPECT_EQ(view->SortOrder(), c.Mode);
    }
    EXPECT_THROW(view->SetSortOrder(static_cast<TSortOrder>(SortOrderCount)), EAssertionFailed);
}

TEST_F(FolderView, EachOrdersComparerTellsApartOnlyByItsKey) {
    // Pairs alike in one key and unlike in the other two.
    Shell.AddFile(Data, u"same size a", 100, 10);
    Shell.AddFile(Data, u"same size b", 100, 20);
    Shell.AddFile(Data, u"same time a", 300, 40);
    Shell.AddFile(Data, u"same time b", 200, 40);
    // Both shown as "same name": the shell hides the link's extension.
    Shell.HiddenExtensions = {u".lnk"};
    Shell.AddFile(Data, u"same name", 500, 60);
    Shell.AddFile(Data, u"same name.lnk", 700, 80);
    TFolderView* view = Open(Data);
    const auto item = [&](std::u16string_view file) -> const TFSEView& {
        for (int32_t i = 0; i < view->Count(); ++i)
            if (view->ItemAt(i)->Path().ends_with(file))
                return *view->ItemAt(i);
        throw std::runtime_error("no such item");
    };
    const TNameOrder names(Shell, false);
    const struct {
        TSortKey Key;
        const char16_t* A;
        const char16_t* B;
    } ties[] = {{TSortKey::Size, u"same size a", u"same size b"},
                {TSortKey::WriteTime, u"same time a", u"same time b"},
                {TSortKey::Name, u"\\same name", u"same name.lnk"}};
    for (const TSortOrderRow& row : SortOrders) {
        for (const auto& tie : ties) {
            const int order = row.Compare(item(tie.A), item(tie.B), names);
            if (tie.Key == row.Compare.Key)
                EXPECT_EQ(order, 0) << int(row.Order) << " " << int(tie.Key);
            else
                EXPECT_NE(order, 0) << int(row.Order) << " " << int(tie.Key);
        }
        // Descending turns round what ascending says.
        const TItemComparer ascending{row.Compare.Key, false};
        EXPECT_EQ(row.Compare(item(u"same size a"), item(u"same time a"), names),
                  (row.Compare.Descending ? -1 : 1) *
                      ascending(item(u"same size a"), item(u"same time a"), names));
    }
}

TEST_F(FolderView, DrivesSortByTheirLettersWhateverTheirLabels) {
    Shell.AddDrive(u'D', u"Archive");
    Shell.AddDrive(u'E', u"Backup");
    Levels.OpenOrActivate(Levels.DesktopIDList(), TOpenFlight::NoFlight);
    TFolderView* computer = Levels.OpenOrActivate(Levels.DrivesIDList(), TOpenFlight::NoFlight);
    ASSERT_NE(computer, nullptr);
    std::vector<std::u16string> paths;
    for (int32_t i = 0; i < computer->Count(); ++i)
        paths.push_back(computer->ItemAt(i)->Path());
    EXPECT_EQ(paths, (std::vector<std::u16string>{u"C:\\", u"D:\\", u"E:\\"}));
}

TEST_F(FolderView, VirtualItemsHaveNoSizeOrDateAndSortFirstBySize) {
    Shell.AddFile(Data, u"big", 500, 50);
    Shell.AddVirtual(Data, u"Panel", u"::{PANEL}", false);
    TFolderView* view = Open(Data);
    view->SetSortOrder(TSortOrder::SizeAscending);
    EXPECT_EQ(view->ItemAt(0)->DisplayName(), u"Panel");
    EXPECT_EQ(view->ItemAt(0)->Size(), 0u);
    EXPECT_EQ(view->ItemAt(0)->WriteTime(), 0u);
}

TEST_F(FolderView, SelectByPrefixMatchesCaseInsensitivelyAndShortNames) {
    Shell.AddFile(Data, u"aardvark", 0, 0);
    Shell.AddFile(Data, u"AB", 0, 0);
    Shell.AddFile(Data, u"abacus", 0, 0);
    AddFiles(ItemsPerPage + 10);
    TFolderView* view = Open(Data);
    view->SelectByPrefix(u"ab");
    EXPECT_EQ(view->Focused()->DisplayName(), u"AB");
    view->SelectByPrefix(u"abc");
    EXPECT_EQ(view->Focused()->DisplayName(), u"AB");
    // AB comes before abacus and its whole name is a prefix of "aba".
    view->SelectByPrefix(u"aba");
    EXPECT_EQ(view->Focused()->DisplayName(), u"AB");
    view->SelectByPrefix(u"AA");
    EXPECT_EQ(view->Focused()->DisplayName(), u"aardvark");
    EXPECT_EQ(SelectedCount(*view), 1);
    // A match on another page turns to it.
    const std::u16string onPage1 = Numbered(ItemsPerPage + 5);
    view->SelectByPrefix(onPage1);
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(view->Focused()->DisplayName(), onPage1);
}

TEST_F(FolderView, MoveFocusCrossesPageEdges) {
    constexpr int32_t P = ItemsPerPage;
    AddFiles(2 * P + 5);
    TFolderView* view = Open(Data);
    view->MoveFocus(TRectangularLattice::RowUp, false);
    EXPECT_EQ(view->Focused(), view->ItemAt(0));
    view->MoveFocus(TRectangularLattice::NextColumn, false);
    EXPECT_EQ(view->Focused(), view->ItemAt(P / 2)) << "two columns of half a page";
    view->ItemAt(P - 1)->SelectOnly();
    view->MoveFocus(TRectangularLattice::RowDown, false);
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_EQ(view->Focused(), view->ItemAt(P));
    EXPECT_EQ(SelectedCount(*view), 1);
    view->MoveFocus(TRectangularLattice::RowUp, true);
    EXPECT_EQ(view->CurrentPage(), 0);
    EXPECT_EQ(view->Focused(), view->ItemAt(P - 1));
    // Extending keeps the item it left selected.
    EXPECT_TRUE(view->ItemAt(P)->Selected());
    // On the last page the focus stops at the last tile.
    view->GoToPage(2);
    view->ItemAt(2 * P + 4)->SelectOnly();
    view->MoveFocus(TRectangularLattice::RowDown, false);
    EXPECT_EQ(view->CurrentPage(), 2);
    EXPECT_EQ(view->Focused(), view->ItemAt(2 * P + 4));
}

TEST_F(FolderView, SelectionStampsAndSelectOnly) {
    AddFiles(3);
    TFolderView* view = Open(Data);
    TFSEView* item = view->ItemAt(2);
    item->ToggleSelect(5);
    item->ToggleSelect(5);
    EXPECT_TRUE(item->Selected());
    EXPECT_EQ(view->Focused(), item);
    item->ToggleSelect(6);
    EXPECT_FALSE(item->Selected());

    view->SelectAll();
    view->SetFocused(nullptr);
    view->ItemAt(1)->SelectOnly();
    EXPECT_EQ(SelectedCount(*view), 3);
    view->ItemAt(0)->SelectOnly();
    EXPECT_EQ(SelectedCount(*view), 1);
}

TEST_F(FolderView, PlaceCaptionsNeedsAChangedPage) {
    AddFiles(3);
    TFolderView* view = Open(Data);
    view->LayoutManager()->InvalidatePages();
    view->PlaceCaptions(0);
    const TFakeCaption* caption = AsFake(view->ItemAt(1)->Caption());
    const int placed = caption->Placed;
    EXPECT_GT(placed, 0);
    view->PlaceCaptions(0);
    EXPECT_EQ(caption->Placed, placed);
    TQuad quad;
    view->LayoutManager()->GetIconQuad(1, quad);
    EXPECT_FLOAT_EQ(view->ItemAt(1)->Corners()[0].y, quad[0].y);
}

TEST_F(FolderView, IconThreadsSurviveRapidReloadsPageFlipsAndCloses) {
    Resources.ThreadedIcons = true;
    AddFiles(100);
    for (int round = 0; round < 4; ++round) {
        TFolderView* view = Open(Data);
        for (int i = 0; i < 6; ++i) {
            view->GoToPage(i % 5);
            view->Reload();
            view->SetFilter(u"file0");
            view->SetSortOrder(static_cast<TSortOrder>(i % SortOrderCount));
        }
        Levels.CloseView(*view, false);
    }
    TFolderView* view = Open(Data);
    // Waiting for the jobs ends them; every item of page 0 then has its exact icon.
    Resources.FetchDelayMicroseconds = 0;
    view->GoToPage(0);
    while (view->Page(0)->IconJob && view->Page(0)->IconJob->Running())
        std::this_thread::yield();
    for (int32_t i = 0; i < ItemsPerPage; ++i)
        EXPECT_EQ(view->ItemAt(i)->Icon().Texture, 7) << i;
    EXPECT_GT(Resources.Repaints.load(), 0);
}

// Plain files are named by a rule learned from the shell once per extension; everything the
// shell may name otherwise is asked for one by one. Either way the names are the shell's.
TEST_F(FolderView, NormalNamesAreTheShellsWithOneQuestionPerExtension) {
    Shell.HiddenExtensions = {u".lnk", u".url"};
    const std::vector<std::u16string> plain = {
        u"a.lnk", u"b.lnk",    u"c.LNK",    u"d.txt", u"e.txt", u"f",    u"g",
        u".lnk",  u"h.tar gz", u"i.tar.gz", u"j.",    u"k.",    u"x.url"};
    for (const std::u16string& name : plain)
        Shell.AddFile(Data, name, 0, 0);
    Shell.AddFolder(Data, u"folder.lnk");
    const TNode readOnly = Shell.AddFile(Data, u"readonly.lnk", 0, 0, FileAttrReadOnly);
    Shell.SetNormalName(readOnly, u"Read-only, named otherwise");
    const TNode system = Shell.AddFile(Data, u"system.txt", 0, 0, FileAttrSystem);
    Shell.SetNormalName(system, u"System, named otherwise");
    const TNode unreadable = Shell.AddFile(Data, u"a0.doc", 0, 0);
    Shell.SetNamesFail(unreadable, true);
    Shell.AddFile(Data, u"b0.doc", 0, 0);

    TFolderView* view = Open(Data);
    Shell.NormalNameCalls = 0;
    view->Reload();
    const std::vector<std::u16string> expected = {u"",
                                                  u"a",
                                                  u"b",
                                                  u"b0.doc",
                                                  u"c.LNK",
                                                  u"d.txt",
                                                  u"e.txt",
                                                  u"f",
                                                  u"folder.lnk",
                                                  u"g",
                                                  u"h.tar gz",
                                                  u"i.tar.gz",
                                                  u"j.",
                                                  u"k.",
                                                  u".lnk",
                                                  u"Read-only, named otherwise",
                                                  u"System, named otherwise",
                                                  u"x"};
    std::vector<std::u16string> names = Names(*view);
    std::vector<std::u16string> sortedExpected = expected;
    std::sort(names.begin(), names.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(names, sortedExpected);
    // .lnk, .LNK, .txt, none, ".lnk" alone, .gz, ".", .url, .doc, the folder and the two named
    // otherwise.
    EXPECT_EQ(Shell.NormalNameCalls, 12);
}

TEST_F(FolderView, BesideADesktopIniEveryItemIsAskedFor) {
    Shell.AddFile(Data, u"notes.txt", 0, 0);
    const TNode localized = Shell.AddFile(Data, u"report.txt", 0, 0);
    Shell.SetNormalName(localized, u"Quarterly report");
    Shell.AddFile(Data, u"Desktop.INI", 0, 0, FileAttrHidden);
    TFolderView* view = Open(Data);
    Shell.NormalNameCalls = 0;
    view->Reload();
    EXPECT_EQ(Names(*view),
              (std::vector<std::u16string>{u"Desktop.INI", u"notes.txt", u"Quarterly report"}));
    EXPECT_EQ(Shell.NormalNameCalls, 3);
}

// Keys and pairwise comparisons must leave every order the same, descending included.
TEST_F(FolderView, NameOrderIsTheSameWithAndWithoutSortKeys) {
    const std::vector<std::u16string> names = {u"beta", u"Beta",  u"BETA", u"alpha", u"Alpha",
                                               u"ёлка", u"Елка",  u"10",   u"9",     u"_x",
                                               u"zeta", u"Zeta2", u"a b",  u"a.b",   u"ab"};
    for (int i = 0; i < 60; ++i)
        Shell.AddFile(Data, names[(i * 7) % names.size()] + Numbered(i % 4), 0, 0);
    for (TSortOrder mode : {TSortOrder::NameAscending, TSortOrder::NameDescending}) {
        Shell.SortKeysFail = false;
        TFolderView* view = Open(Data);
        view->SetSortOrder(mode);
        view->Reload();
        const std::vector<std::u16string> byKeys = Names(*view);
        Shell.SortKeysFail = true;
        view->Reload();
        EXPECT_EQ(Names(*view), byKeys) << "mode " << int(mode);
        EXPECT_TRUE(std::is_sorted(byKeys.begin(), byKeys.end(), [&](const auto& a, const auto& b) {
            const int order = CompareLinguistic(a, b);
            return mode == TSortOrder::NameAscending ? order < 0 : order > 0;
        }));
    }
}

TEST_F(FolderView, SizeAndDateOrdersReadTheFolderInOnePass) {
    Shell.AddFile(Data, u"beta", 300, 10);
    Shell.AddFile(Data, u"Alpha", 100, 30);
    Shell.AddVirtual(Data, u"Panel", u"::{PANEL}", false);
    TFolderView* view = Open(Data);
    using TNames = std::vector<std::u16string>;
    EXPECT_EQ(Shell.FileDataListings, 0); // a name order reads no data
    view->SetSortOrder(TSortOrder::NewestFirst);
    view->SetSortOrder(TSortOrder::SizeDescending);
    EXPECT_EQ(Names(*view), (TNames{u"beta", u"Alpha", u"Panel"}));
    EXPECT_EQ(Shell.FileDataListings, 1);
    // Only the item the pass does not name asks for its own.
    EXPECT_EQ(Shell.FileDataCalls, 1);

    // A reload reads again; a listing cut short leaves the rest to the items themselves.
    Shell.ListingFails = true;
    Shell.AddFile(Data, u"gamma", 200, 20);
    view->Refresh();
    view->SetSortOrder(TSortOrder::SizeAscending);
    EXPECT_EQ(Names(*view), (TNames{u"Panel", u"Alpha", u"gamma", u"beta"}));
    EXPECT_EQ(Shell.FileDataListings, 2);
}
