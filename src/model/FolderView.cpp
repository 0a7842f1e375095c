#include "model/FolderView.h"

#include "base/Errors.h"
#include "model/FolderOrder.h"
#include "model/LevelsCollection.h"
#include "model/NormalNames.h"
#include "render/CaptionGeometry.h"
#include "render/SelectionNames.h"
#include "services/LocalizedStrings.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <optional>
#include <stdexcept>

namespace {

const char* const Module = "FileCollections";

// Caption sizes in texels and scene units.

std::u16string FormatPageOf(int32_t page, int32_t count) {
    std::u16string text;
    const std::u16string& format = sPageOf;
    int argument = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'd') {
            const std::string number = std::to_string(argument++ == 0 ? page : count);
            text.append(number.begin(), number.end());
            ++i;
        } else {
            text += format[i];
        }
    }
    return text;
}

} // namespace

TFolderView::TFolderView(TLevelsCollection& owner, const TFolderViewInit& init)
    : FOwner(owner), FShellFolder(init.ShellFolder), FIsFileSystem(init.IsFileSystem),
      FSortOrder(init.SortOrder), FChildIDList(CloneIDList(init.ChildIDList)),
      FIDList(CloneIDList(init.AbsoluteIDList)), FPath(init.Path), FDisplayName(init.DisplayName),
      FParent(init.Parent), FIsRoot(init.IsRoot) {
    GMAssert(!FPath.empty(), Module);
    FChildren.reserve(5);
    FDepth = FIsRoot ? 0 : (FParent ? FParent->Depth() + 1 : 1);
    SetLevelCaption(FPath);
    MakeSortCaptions(FSortOrder);
    Reload();
}

TFolderView::~TFolderView() {
    StopIconJobs();
    UnloadAllPages();
    FreeItems();
    ForgetSelectionName(this);
}

TShellNamespace& TFolderView::Shell() const {
    return FOwner.Shell();
}

TFolderResources& TFolderView::Resources() const {
    return FOwner.Resources();
}

bool TFolderView::IsDesktopItself() const {
    return FShellFolder && FShellFolder == FOwner.DesktopFolder();
}

bool TFolderView::IsDesktopKind() const {
    TNamespaceFolder* desktop = FOwner.DesktopFolder().get();
    return desktop && FShellFolder && FShellFolder->SameKind(*desktop);
}

const TPageInfo* TFolderView::Page(int32_t page) const {
    if (page < 0 || page >= static_cast<int32_t>(FPages.size()))
        return nullptr;
    return &FPages[page];
}

// --- Reading ----------------------------------------------------------------------------------

void TFolderView::Reload() {
    ClearFilter(false);
    StopIconJobs();
    ReadFolder();
    // A folder that shrank shows its last page rather than one past its end.
    FCurrentPage = std::max(0, std::min(FCurrentPage, FPageCount - 1));
    Sort(FSortOrder);
    FPages.clear();
    FPages.resize(FPageCount);
    LoadPages(0, 0);
    LoadPages(FCurrentPage, FCurrentPage);
    if (!FLayoutManager) {
        if (FPageCount > 0)
            FLayoutManager = std::make_unique<TRectangularLattice>(
                TVector3{}, std::min<int32_t>(Count(), ItemsPerPage), FPageCount);
        else
            FLayoutManager = std::make_unique<TRectangularLattice>(TVector3{}, 1, 1);
        FLayoutManager->InvalidatePages();
    } else {
        if (FCurrentPage == FPageCount - 1 || FPageCount == 0)
            LastPageShape();
        else
            FullPageShape();
        FLayoutManager->InvalidatePages();
        FOwner.LayoutLevels();
    }
    RefreshFrame();
    if (!FItems.empty())
        FItems[0]->Select();
    Resources().CheckGLError();
}

void TFolderView::ReadFolder() {
    StopIconJobs();
    UnloadAllPages();
    FreeItems();
    std::vector<TOwnedIDList> children;
    std::vector<std::u16string> paths;
    if (FShellFolder)
        if (std::unique_ptr<TChildEnumerator> enumerator = FShellFolder->EnumerateChildren())
            while (TOwnedIDList child = enumerator->Next()) {
                paths.push_back(FShellFolder->DisplayName(child.Get(), TNameKind::Parsing));
                children.push_back(std::move(child));
            }

    TNormalNameRules rules;
    const bool plainFolder = FIsFileSystem && !IsDesktopKind() && !HoldsDesktopIni(paths);
    FStore.reserve(children.size());
    FItems.reserve(children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const TIDList* child = children[i].Get();
        const auto askShell = [&] { return FShellFolder->DisplayName(child, TNameKind::Normal); };
        const std::u16string_view fileName = plainFolder ? NameInFolder(paths[i]) : u"";
        // Only plain files of a plain folder follow their extension's rule.
        uint32_t attributes = 0;
        std::u16string display =
            !fileName.empty() && FShellFolder->RecordedAttributes(child, attributes) &&
                    !(attributes & (FileAttrDirectory | FileAttrReadOnly | FileAttrSystem))
                ? rules.NameOf(fileName, askShell)
                : askShell();
        FStore.push_back(std::make_unique<TFSEView>(*this, std::move(children[i]),
                                                    std::move(display), std::move(paths[i])));
        FItems.push_back(FStore.back().get());
    }
    FPageCount = (Count() + ItemsPerPage - 1) / ItemsPerPage;
}

std::u16string_view TFolderView::NameInFolder(std::u16string_view path) const {
    const bool separated = !FPath.empty() && FPath.back() == u'\\';
    const size_t prefix = FPath.size() + (separated ? 0 : 1);
    if (path.size() <= prefix || !path.starts_with(FPath) || path[prefix - 1] != u'\\')
        return {};
    const std::u16string_view name = path.substr(prefix);
    return name.find(u'\\') == std::u16string_view::npos ? name : std::u16string_view();
}

bool TFolderView::HoldsDesktopIni(const std::vector<std::u16string>& paths) const {
    for (const std::u16string& path : paths)
        if (EqualsIgnoringAsciiCase(NameInFolder(path), u"desktop.ini"))
            return true;
    return false;
}

void TFolderView::FreeItems() {
    FFileDataRead = false;
    FFocused = nullptr;
    FItems.clear();
    FAllItems.clear();
    FStore.clear();
}

void TFolderView::StartWatching() {
    FWatch = Resources().WatchFolder(*this, FPath);
}

void TFolderView::AcknowledgeChange() {
    if (FWatch)
        FWatch->Acknowledge();
}

void TFolderView::Refresh() {
    if (!FIsFileSystem || IsDesktopKind()) {
        Reload();
        return;
    }
    if (FRefreshing)
        return;
    FRefreshing = true;
    try {
        if (!Resources().DirectoryExists(FPath)) {
            FRefreshing = false;
            FOwner.CloseView(*this, true); // destroys this view
            return;
        }
        const std::vector<TFolderView*> children = FChildren;
        for (TFolderView* child : children)
            if (!Resources().DirectoryExists(child->Path()))
                FOwner.CloseView(*child, true);
        Reload();
    } catch (...) {
        FRefreshing = false;
        throw;
    }
    FRefreshing = false;
}

// --- Pages ------------------------------------------------------------------------------------

void TFolderView::PageRange(int32_t page, int32_t& first, int32_t& last) const {
    first = page * ItemsPerPage;
    last = std::min(first + ItemsPerPage - 1, Count() - 1);
}

void TFolderView::LoadPages(int32_t first, int32_t last) {
    first = std::max(first, 0);
    last = std::min(last, FPageCount - 1);
    const std::u16string& title = FIsFileSystem && !IsDesktopItself() ? FPath : FDisplayName;
    SetLevelCaption(FFiltered ? sFilterPrefix + title : title);
    if (static_cast<int32_t>(FPages.size()) < FPageCount)
        FPages.resize(FPageCount);

    bool newlyLoaded = false;
    for (int32_t p = first; p <= last; ++p) {
        TPageInfo& page = FPages[p];
        int32_t firstItem = 0;
        int32_t lastItem = -1;
        PageRange(p, firstItem, lastItem);
        if (!page.Texture) {
            page.Texture = Resources().AcquirePageTexture();
            page.Caption.reset();
            page.Caption = Resources().CreatePageCaption(
                *page.Texture, FPageCount > 1 ? FormatPageOf(p + 1, FPageCount) : u"  ");
            for (int32_t i = firstItem; i <= lastItem; ++i) {
                TFSEView* item = FItems[i];
                Resources().Trace(item->Path());
                if (!item->IconRequested()) {
                    const TOwnedIDList absolute = item->AbsoluteIDList();
                    const bool isFolder =
                        FolderKind(FShellFolder.get(), item->ChildIDList()) == TFolderKind::Folder;
                    item->SetIcon(Resources().TypeIcon(absolute.Get(),
                                                       Shell().Extension(item->Path()), isFolder));
                    item->MarkIconRequested();
                }
                item->SetCaption(Resources().CreateItemCaption(
                    *page.Texture, *item,
                    item->DisplayName().empty() ? item->Path() : item->DisplayName()));
                page.CaptionedItems.push_back(item);
            }
            newlyLoaded = true;
        }
        StartIconJob(p);
    }
    if (newlyLoaded && FLayoutManager)
        FLayoutManager->InvalidatePages();
}

void TFolderView::UnloadPages(int32_t first, int32_t last, bool mayUnloadFirstPage) {
    first = std::max(first, mayUnloadFirstPage ? 0 : 1);
    last = std::min(last, static_cast<int32_t>(FPages.size()) - 1);
    for (int32_t p = first; p <= last; ++p)
        UnloadPage(FPages[p]);
}

void TFolderView::UnloadPage(TPageInfo& page) {
    page.IconJob.reset();
    if (!page.Texture)
        return;
    // Captions first: they free their cells in the page texture.
    for (TFSEView* item : page.CaptionedItems)
        item->SetCaption(nullptr);
    page.CaptionedItems.clear();
    page.Caption.reset();
    page.Texture.reset();
}

void TFolderView::UnloadAllPages() {
    for (TPageInfo& page : FPages)
        UnloadPage(page);
}

void TFolderView::StartIconJob(int32_t page) {
    TPageInfo& info = FPages[page];
    if (info.IconJob && info.IconJob->Running())
        return;
    info.IconJob.reset();
    int32_t first = 0;
    int32_t last = -1;
    PageRange(page, first, last);
    std::vector<TIconJobItem> items;
    for (int32_t i = first; i <= last; ++i)
        if (!FItems[i]->Path().empty())
            items.push_back(TIconJobItem{FItems[i], FItems[i]->AbsoluteIDList()});
    info.IconJob = Resources().StartIconJob(std::move(items));
}

void TFolderView::StopIconJobs() {
    for (TPageInfo& page : FPages)
        page.IconJob.reset();
}

void TFolderView::GoToPage(int32_t page) {
    if (page < 0 || page >= FPageCount)
        return;
    const int32_t old = FCurrentPage;
    const int32_t lastPage = FPageCount - 1;
    UnloadPages(0, page - 1, false);
    UnloadPages(page + 1, lastPage, false);
    LoadPages(page, page);
    if (old != lastPage && page == lastPage)
        LastPageShape();
    else if (old == lastPage && page != lastPage)
        FullPageShape();
    FCurrentPage = page;
    FItems[page * ItemsPerPage]->Select();
    if (old == lastPage)
        FOwner.LayoutLevels();
    PlaceCaptions(page);
}

void TFolderView::FullPageShape() {
    if (FLayoutManager)
        FLayoutManager->SetItemCount(ItemsPerPage, FPageCount);
}

void TFolderView::LastPageShape() {
    if (!FLayoutManager)
        return;
    if (FPageCount > 0)
        FLayoutManager->SetItemCount(
            std::max<int32_t>(1, Count() - (FPageCount - 1) * ItemsPerPage), FPageCount);
    else
        FLayoutManager->SetItemCount(1, 1);
}

void TFolderView::Repaginate(int32_t loadUpTo, bool reload) {
    FCurrentPage = 0;
    FPageCount = Count() == 0 ? 0 : (Count() - 1) / ItemsPerPage + 1;
    if (FPageCount > 1)
        FullPageShape();
    else
        LastPageShape();
    if (reload) {
        // Every loaded page goes: captions of items that left a page must not stay.
        UnloadPages(0, static_cast<int32_t>(FPages.size()) - 1, true);
        LoadPages(0, loadUpTo);
    }
}

// --- Order and filter -------------------------------------------------------------------------

void TFolderView::Sort(TSortOrder order) {
    if (SortOrderRow(order).Compare.Key != TSortKey::Name)
        ReadFileData();
    SortItems(FItems, Count(), order, IDListEqual(FIDList.Get(), FOwner.DrivesIDList()), Shell());
    FSortOrder = order;
}

void TFolderView::ReadFileData() {
    if (std::exchange(FFileDataRead, true) || !FIsFileSystem || IsDesktopKind() || FPath.empty())
        return;
    std::unordered_map<std::u16string_view, TFSEView*> byName;
    byName.reserve(FStore.size());
    for (const std::unique_ptr<TFSEView>& item : FStore)
        if (const std::u16string_view name = NameInFolder(item->Path()); !name.empty())
            byName.emplace(name, item.get());
    Shell().ListFileData(FPath, [&byName](std::u16string_view name, const TFileData& data) {
        if (const auto found = byName.find(name); found != byName.end())
            found->second->SetFileData(data);
    });
}

void TFolderView::MakeSortCaptions(TSortOrder order) {
    FSortCaptionLow.reset();
    FSortCaptionHigh.reset();
    FSortCaptionLow = Resources().CreateSortCaption(*this, SortCaptionText(order, TOrderEnd::Start),
                                                    TOrderEnd::Start);
    FSortCaptionHigh = Resources().CreateSortCaption(
        *this, SortCaptionText(order, TOrderEnd::Finish), TOrderEnd::Finish);
}

void TFolderView::SetSortOrder(TSortOrder order) {
    SortOrderRow(order); // asserts on a value that is no order
    if (order == FSortOrder)
        return;
    ClearFilter(true);
    UnloadPages(0, FPageCount - 1, true);
    Sort(order);
    MakeSortCaptions(order);
    Repaginate(0, true);
}

void TFolderView::SetFilter(const std::u16string& text) {
    FFilterText = text;
    if (text.empty()) {
        ClearFilter(true);
        return;
    }
    if (!FFiltered)
        FAllItems = FItems;
    FFiltered = true;
    FItems.clear();
    for (TFSEView* item : FAllItems) {
        const bool visible = Shell().ContainsNoCase(item->DisplayName(), text);
        item->SetVisible(visible);
        if (visible)
            FItems.push_back(item);
    }
    Repaginate(0, true);
    if (FLayoutManager)
        FLayoutManager->InvalidatePages();
}

void TFolderView::ClearFilter(bool reloadPages) {
    if (FFiltered) {
        FFiltered = false;
        FItems = std::move(FAllItems);
        FAllItems.clear();
        Repaginate(0, reloadPages);
        if (FLayoutManager)
            FLayoutManager->InvalidatePages();
        FOwner.LayoutLevels();
    }
    FFilterText.clear();
    for (const std::unique_ptr<TFSEView>& item : FStore)
        item->SetVisible(true);
    FOwner.FilterTextChanged(FFilterText);
}

// --- Focus and selection ----------------------------------------------------------------------

TFSEView* TFolderView::Focused() const {
    if (FFiltered && FFocused && !FFocused->Visible())
        return nullptr;
    return FFocused;
}

TFSEView* TFolderView::ItemAt(int32_t index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return FItems[index];
}

int32_t TFolderView::IndexOf(const TFSEView* item) const {
    const auto found = std::find(FItems.begin(), FItems.end(), item);
    return found == FItems.end() ? -1 : static_cast<int32_t>(found - FItems.begin());
}

void TFolderView::MoveFocus(int32_t direction, bool extend) {
    if (FItems.empty() || !FLayoutManager)
        return;
    const int32_t pageStart = FCurrentPage * ItemsPerPage;
    int32_t index = std::max(0, IndexOf(Focused()));
    if (index < pageStart || index >= pageStart + ItemsPerPage)
        index = pageStart;
    int32_t target = 0;
    if (direction == TRectangularLattice::RowUp && index == pageStart) {
        if (FCurrentPage == 0)
            return;
        target = index - 1;
        PrevPage();
    } else if (direction == TRectangularLattice::RowDown && index == pageStart + ItemsPerPage - 1) {
        if (FCurrentPage >= FPageCount - 1)
            return;
        target = index + 1;
        NextPage();
    } else {
        target = pageStart + FLayoutManager->Neighbour(index - pageStart, direction);
    }
    if (target >= Count())
        return;
    if (extend)
        FItems[target]->Select();
    else
        FItems[target]->SelectOnly();
}

void TFolderView::SelectByPrefix(const std::u16string& text) {
    if (FFiltered)
        return;
    for (int32_t i = 0; i < Count(); ++i) {
        TFSEView* item = FItems[i];
        const int n = static_cast<int>(std::min(text.size(), item->DisplayName().size()));
        if (Shell().CompareNoCase(text, item->DisplayName(), n) != 0)
            continue;
        if (i / ItemsPerPage != FCurrentPage)
            GoToPage(i / ItemsPerPage);
        if (FFocused != item) {
            item->SelectOnly();
            FOwner.RequestRedraw();
        }
        return;
    }
}

void TFolderView::SelectAll() {
    for (TFSEView* item : FItems)
        item->Select();
}

void TFolderView::ClearSelection() {
    for (const std::unique_ptr<TFSEView>& item : FStore)
        item->Deselect();
}

// --- Tree -------------------------------------------------------------------------------------

void TFolderView::AddChild(TFolderView* view) {
    if (FChildren.size() == FChildren.capacity())
        FChildren.reserve(FChildren.size() + 6);
    FChildren.push_back(view);
}

void TFolderView::RemoveChild(TFolderView* view) {
    FChildren.erase(std::remove(FChildren.begin(), FChildren.end(), view), FChildren.end());
}

void TFolderView::DetachFromTree() {
    if (FParent && !FParent->IsRoot())
        FParent = nullptr;
    FChildren.clear();
}

// --- Captions ---------------------------------------------------------------------------------

void TFolderView::RefreshFrame() {
    FLayoutManager->ComputeFrame(FFrame);
}

void TFolderView::SetLevelCaption(const std::u16string& text) {
    std::optional<TQuad> corners;
    if (FLevelCaption) {
        corners = FLevelCaption->GetCorners();
        FLevelCaption.reset();
    }
    FLevelCaption = Resources().CreateLevelCaption(*this, text);
    if (corners && FLevelCaption)
        FLevelCaption->SetCorners(*corners);
}

void TFolderView::PlaceCaptions(int32_t page) {
    if (!FLayoutManager)
        throw std::runtime_error("FLayoutManager required!");
    if (!FLayoutManager->TakePageChanged(page))
        return;
    TVector3 u;
    TVector3 v;
    FLayoutManager->GetAxes(u, v);
    TVector3 anchor;
    if (FLevelCaption) {
        FLayoutManager->GetTitleAnchor(anchor);
        FLevelCaption->Place(anchor, u, v);
    }
    if (FSortCaptionLow) {
        FLayoutManager->GetTopRightCaptionAnchor(anchor);
        FSortCaptionLow->Place(anchor, u, v);
    }
    if (FSortCaptionHigh) {
        FLayoutManager->GetBottomCaptionAnchor(anchor);
        FSortCaptionHigh->Place(anchor, u, v);
    }
    RefreshFrame();
    const TPageInfo* info = Page(page);
    if (page >= FPageCount || info == nullptr)
        return;
    if (info->Caption) {
        FLayoutManager->GetPageCaptionAnchor(anchor);
        info->Caption->Place(anchor, u, v);
    }
    for (int32_t k = 0; k < ItemsPerPage && page * ItemsPerPage + k < Count(); ++k) {
        TFSEView* item = FItems[page * ItemsPerPage + k];
        TQuad quad;
        FLayoutManager->GetIconQuad(k, quad);
        item->SetCorners(quad);
        if (item->Caption()) {
            FLayoutManager->GetItemCaptionAnchor(k, anchor);
            item->Caption()->Place(anchor, u, v);
        }
    }
}

void TFolderView::ResetLayout() {
    if (FLayoutManager)
        FLayoutManager->ResetOrientation();
}
