#include "model/LevelsCollection.h"

#include "base/Errors.h"
#include "services/LocalizedStrings.h"
#include "services/WStrUtils.h"

#include <algorithm>
#include <functional>

namespace {

const char* const Module = "FileCollections";

// The camera turns to the current view when its target is further off than this.
constexpr float TurnThreshold = 0.1f;

// Children before their parents.
void CollectSubtree(TFolderView* view, std::vector<TFolderView*>& out) {
    for (TFolderView* child : view->Children())
        CollectSubtree(child, out);
    out.push_back(view);
}

} // namespace

TLevelsCollection::TLevelsCollection(TShellNamespace& shell, TFolderResources& resources,
                                     TGeomCamera* camera, TAnimationTimer& timer,
                                     TLevelsHooks hooks)
    : FShell(shell), FResources(resources), FCamera(camera), FTimer(timer),
      FHooks(std::move(hooks)), FDesktopFolder(shell.Desktop()),
      FDesktopIDList(shell.SpecialFolder(TSpecialFolder::Desktop)),
      FDrivesIDList(shell.SpecialFolder(TSpecialFolder::Computer)),
      FLevelLayout(std::make_unique<TFlatColumnMajorHLE>(FlatMaxColumnHeight)) {
    FViews.reserve(10);
}

TLevelsCollection::~TLevelsCollection() {
    FSwapAnimator.reset();
    FCameraAnimator.reset();
    FCurrent = nullptr;
    FMarked = nullptr;
    // Children before parents, so that no view outlives what points at it.
    while (!FViews.empty())
        FViews.pop_back();
}

// --- Opening and closing ----------------------------------------------------------------------

TFolderView* TLevelsCollection::OpenFolder(const TIDList* idList) {
    if (TFolderView* open = FindView(idList))
        return open;
    const bool isRoot = idList == nullptr || IsEmptyIDList(idList);
    std::shared_ptr<TNamespaceFolder> folder;
    if (isRoot)
        folder = FDesktopFolder;
    else if (!FViews.empty() && FViews.front()->ShellFolder())
        folder = FViews.front()->ShellFolder()->Bind(idList);
    if (!folder)
        return nullptr;
    if (ViewCount() + 1 > MaxOpenFolders)
        throw ELimitArchieved(sTooManyFolders);

    std::shared_ptr<TNamespaceFolder> parentFolder;
    const TIDList* child = nullptr;
    if (isRoot) {
        parentFolder = FDesktopFolder;
        child = FDesktopIDList.Get();
    } else {
        TParentAndChild names = FShell.BindToParent(idList);
        parentFolder = std::move(names.Parent);
        child = names.Child;
    }
    std::u16string displayName;
    std::u16string path;
    bool isFileSystem = false;
    if (parentFolder) {
        displayName = parentFolder->DisplayName(child, TNameKind::Normal);
        path = parentFolder->DisplayName(child, TNameKind::Parsing);
        isFileSystem = IsFileSystem(parentFolder.get(), child);
    }
    // A view needs a title to show; a folder the shell cannot name is shown by its other name.
    if (path.empty())
        path = displayName;
    if (path.empty())
        return nullptr;

    TFolderView* parent = nullptr;
    if (!isRoot) {
        const TOwnedIDList parentList(CloneParentIDList(idList));
        parent = parentList ? FindView(parentList.Get()) : FindView(FDesktopIDList.Get());
    }

    TFolderViewInit init;
    init.Path = path;
    init.DisplayName = displayName;
    init.IsRoot = isRoot;
    init.IsFileSystem = isFileSystem;
    init.Parent = parent;
    init.ShellFolder = folder;
    init.ChildIDList = child;
    init.AbsoluteIDList = isRoot ? FDesktopIDList.Get() : idList;
    init.SortOrder = parent ? parent->SortOrder() : DefaultSortOrder;
    auto view = std::make_unique<TFolderView>(*this, init);
    TFolderView* result = view.get();
    FLevelLayout->PlaceNext(result->LayoutManager());
    if (parent)
        parent->AddChild(result);
    FViews.push_back(std::move(view));
    if (FViews.size() == 1)
        SetCurrent(result);
    if (!isRoot) {
        result->SetVolume(FResources.RegisterVolume(DriveRootOf(path)));
        result->StartWatching();
    }
    return result;
}

void TLevelsCollection::FlyAfterOpening(TFolderView* view, TOpenFlight flight) {
    switch (flight) {
    case TOpenFlight::NoFlight:
        break;
    case TOpenFlight::Fly:
        FlyTo(view, TAfterFlight::KeepPane, TFlightPath::ToLevel);
        break;
    case TOpenFlight::FlyAndBrowsePane:
        FlyTo(view, TAfterFlight::BrowsePane, TFlightPath::ToLevel);
        break;
    }
}

TFolderView* TLevelsCollection::OpenOrActivate(const TIDList* idList, TOpenFlight flight) {
    if (TFolderView* open = FindView(idList)) {
        SetCurrent(open);
        SetMarked(open);
        FlyAfterOpening(open, flight);
        return open;
    }
    std::function<void()> restoreCursor;
    if (FHooks.WaitCursor)
        restoreCursor = FHooks.WaitCursor();
    struct TRestore {
        std::function<void()>& Proc;
        ~TRestore() {
            if (Proc)
                Proc();
        }
    } restore{restoreCursor};

    TFolderView* view = nullptr;
    try {
        view = OpenFolder(idList);
    } catch (const ELimitArchieved& e) {
        if (FHooks.ShowLimit)
            FHooks.ShowLimit(sLimitsTitle, e.WideMessage);
    }
    if (view) {
        SetCurrent(view);
        FMarked = view;
        view->PlaceCaptions(view->CurrentPage());
        FlyAfterOpening(view, flight);
    }
    return view;
}

void TLevelsCollection::RemoveClosed(const std::vector<TFolderView*>& closing) {
    // A running layout swap holds the lattices of every view.
    FSwapAnimator.reset();
    for (TFolderView* view : closing) {
        if (view == FCurrent)
            SetCurrent(nullptr);
        if (view == FMarked)
            SetMarked(nullptr);
    }
    for (TFolderView* view : closing) {
        const auto found = std::find_if(FViews.begin(), FViews.end(),
                                        [view](const auto& open) { return open.get() == view; });
        if (found != FViews.end())
            FViews.erase(found);
    }
}

void TLevelsCollection::ChooseCurrentAfterClose() {
    TFolderView* deepest = nullptr;
    for (const std::unique_ptr<TFolderView>& view : FViews)
        if (!deepest || view->Depth() >= deepest->Depth())
            deepest = view.get();
    SetCurrent(deepest);
    if (!FMarked)
        FMarked = FCurrent;
}

void TLevelsCollection::CloseView(TFolderView& view, bool fly) {
    if (view.IsRoot())
        return;
    const int32_t before = ViewCount();
    if (view.Parent())
        view.Parent()->RemoveChild(&view);
    std::vector<TFolderView*> closing;
    CollectSubtree(&view, closing);
    RemoveClosed(closing);
    ChooseCurrentAfterClose();
    LayoutLevels();
    if (fly && ViewCount() < before && !FViews.empty())
        FlyTo(FViews.back().get(), TAfterFlight::BrowsePane, TFlightPath::ToLevel);
}

void TLevelsCollection::CloseAllBut(TFolderView& keep) {
    const int32_t before = ViewCount();
    keep.DetachFromTree();
    std::vector<TFolderView*> closing;
    for (const std::unique_ptr<TFolderView>& view : FViews)
        if (!view->IsRoot() && view.get() != &keep)
            closing.push_back(view.get());
    for (TFolderView* view : closing)
        if (view->Parent())
            view->Parent()->RemoveChild(view);
    RemoveClosed(closing);
    ChooseCurrentAfterClose();
    LayoutLevels();
    if (ViewCount() < before)
        FlyTo(FCurrent, TAfterFlight::BrowsePane, TFlightPath::ToLevel);
}

void TLevelsCollection::ActivateItem(TFolderView& view) {
    TFSEView* item = view.Focused();
    if (!item)
        return;
    const TOwnedIDList absolute = item->AbsoluteIDList();
    const TOwnedIDList target =
        FHooks.ResolveShortcut ? FHooks.ResolveShortcut(absolute.Get()) : absolute.Clone();
    if (!target)
        return;
    const TParentAndChild names = FShell.BindToParent(target.Get());
    switch (FolderKind(names.Parent.get(), names.Child)) {
    case TFolderKind::Folder:
        OpenOrActivate(target.Get(), TOpenFlight::FlyAndBrowsePane);
        break;
    case TFolderKind::NotFolder:
        Launch(FShell, target.Get());
        break;
    case TFolderKind::NoFolderObject:
        break;
    }
}

// --- Finding ----------------------------------------------------------------------------------

TFolderView* TLevelsCollection::FindView(const TIDList* idList) const {
    if (idList == nullptr || IsEmptyIDList(idList))
        return FViews.empty() ? nullptr : FViews.front().get();
    for (const std::unique_ptr<TFolderView>& view : FViews)
        if (IDListEqual(view->AbsoluteIDList(), idList))
            return view.get();
    return nullptr;
}

TFolderView* TLevelsCollection::FindDesktopKindView(const TNamespaceFolder& folder) const {
    for (const std::unique_ptr<TFolderView>& view : FViews)
        if (view->ShellFolder() && view->ShellFolder()->SameKind(folder))
            return view.get();
    return nullptr;
}

int32_t TLevelsCollection::IndexOf(const TFolderView* view) const {
    for (size_t i = 0; i < FViews.size(); ++i)
        if (FViews[i].get() == view)
            return static_cast<int32_t>(i);
    return -1;
}

TFolderView* TLevelsCollection::ViewAt(int32_t index) const {
    if (index < 0 || index >= ViewCount())
        return nullptr;
    return FViews[index].get();
}

TLevel TLevelsCollection::ViewsAtDepth(int32_t depth) const {
    TLevel level;
    for (const std::unique_ptr<TFolderView>& view : FViews)
        if (view->Depth() == depth)
            level.push_back(view.get());
    return level;
}

// --- Current and marked -----------------------------------------------------------------------

void TLevelsCollection::SetCurrent(TFolderView* view) {
    FCurrent = view;
    if (!view)
        return;
    FilterTextChanged(view->FilterText());
    if (FHooks.CurrentChanged)
        FHooks.CurrentChanged(*view);
    RequestRedraw();
}

void TLevelsCollection::SetCurrentQuiet(TFolderView* view) {
    FCurrent = view;
    if (view)
        FilterTextChanged(view->FilterText());
}

void TLevelsCollection::SetCurrentByIndex(int32_t index) {
    if (TFolderView* view = ViewAt(index))
        SetCurrent(view);
}

TFolderView* TLevelsCollection::NextView() {
    GMAssert(!FViews.empty(), Module);
    const int32_t index = IndexOf(FCurrent);
    SetCurrent(FViews[index < 0 ? 0 : std::min(index + 1, ViewCount() - 1)].get());
    return FCurrent;
}

TFolderView* TLevelsCollection::PrevView() {
    GMAssert(!FViews.empty(), Module);
    const int32_t index = IndexOf(FCurrent);
    SetCurrent(FViews[index < 0 ? 0 : std::max(index - 1, 0)].get());
    return FCurrent;
}

void TLevelsCollection::NavigateLevels(int32_t direction) {
    if (!FCurrent)
        return;
    TFolderView* target = nullptr;
    if (direction == 0 || direction == 1) {
        const TLevel level = ViewsAtDepth(FCurrent->Depth());
        const auto at = std::find(level.begin(), level.end(), FCurrent);
        if (at == level.end())
            return;
        if (direction == 0 && at != level.begin())
            target = *(at - 1);
        else if (direction == 1 && at + 1 != level.end())
            target = *(at + 1);
    } else if (direction == 2) {
        target = FCurrent->Parent();
    } else if (direction == 3 && !FCurrent->Children().empty()) {
        target = FCurrent->Children().back();
    }
    if (target)
        SetCurrent(target);
}

TFSEView* TLevelsCollection::FocusedItem() const {
    return FCurrent ? FCurrent->Focused() : nullptr;
}

void TLevelsCollection::MoveFocus(int32_t direction, bool extend) {
    if (!FCurrent)
        return;
    FCurrent->MoveFocus(direction, extend);
    RequestRedraw();
}

void TLevelsCollection::NextPage() {
    if (FMarked)
        FMarked->NextPage();
}

void TLevelsCollection::PrevPage() {
    if (FMarked)
        FMarked->PrevPage();
}

// --- Layout and camera ------------------------------------------------------------------------

void TLevelsCollection::LayoutLevels() {
    FLevelLayout->Reset();
    // A moved lattice keeps its old centre until its frame is computed again, and a flight
    // that follows at once would aim at the empty place the level left.
    for (const std::unique_ptr<TFolderView>& view : FViews) {
        FLevelLayout->PlaceNext(view->LayoutManager());
        view->RefreshFrame();
    }
}

void TLevelsCollection::ToggleLevelLayout() {
    SetMarked(nullptr);
    std::unique_ptr<THighLayoutEnumerator> next;
    if (FStacked)
        next = std::make_unique<TFlatColumnMajorHLE>(FlatMaxColumnHeight);
    else
        next = std::make_unique<TZStackHLE>();
    FStacked = !FStacked;
    FSwapAnimator.reset();
    if (FCamera) {
        std::vector<TLayoutManager*> layouts;
        for (const std::unique_ptr<TFolderView>& view : FViews)
            layouts.push_back(view->LayoutManager());
        FSwapAnimator = std::make_unique<THighLayoutSwapAnimator>(FTimer, IndexOf(FCurrent),
                                                                  *FCamera, std::move(layouts),
                                                                  *next, LayoutSwapSteps, nullptr);
    }
    FLevelLayout = std::move(next);
    if (!FCamera)
        LayoutLevels();
}

void TLevelsCollection::FlyTo(TFolderView* view, TAfterFlight after, TFlightPath path) {
    if (!view || FViews.empty() || !FCamera)
        return;
    TVector3 target;
    TVector3 position;
    FLevelLayout->GetCameraTarget(*view->LayoutManager(), target);
    if (path == TFlightPath::ToLevel)
        FLevelLayout->GetCameraPosition(*view->LayoutManager(), position);
    else
        FCamera->GetPosition(position);
    FCameraAnimator.reset();
    FCameraAnimator =
        std::make_unique<TCameraAnimator>(FCameraFlight, FTimer, *FCamera, target, position,
                                          CameraFlightSteps, [this, after](TCameraAnimator&) {
                                              if (FHooks.FlightFinished)
                                                  FHooks.FlightFinished(after);
                                          });
}

void TLevelsCollection::TurnToCurrent() {
    if (!FCurrent || !FCamera)
        return;
    TVector3 wanted;
    TVector3 present;
    FLevelLayout->GetCameraTarget(*FCurrent->LayoutManager(), wanted);
    FCamera->GetTarget(present);
    if (VectorDistance(wanted, present) > TurnThreshold)
        FlyTo(FCurrent, TAfterFlight::BrowsePane, TFlightPath::TurnInPlace);
}

void TLevelsCollection::PlaceCamera(TFolderView* view) {
    if (!view || FViews.empty() || !FCamera)
        return;
    // Twice: the target turns the camera, which the position then moves, and back.
    for (int round = 0; round < 2; ++round) {
        TVector3 target;
        TVector3 position;
        FLevelLayout->GetCameraTarget(*view->LayoutManager(), target);
        FCamera->SetTarget(target);
        FLevelLayout->GetCameraPosition(*view->LayoutManager(), position);
        FCamera->SetPosition(position);
    }
}

void TLevelsCollection::StepCameraAnimation() {
    if (FCameraAnimator)
        FCameraAnimator->Tick();
}

void TLevelsCollection::StepLayoutSwap() {
    if (FSwapAnimator)
        FSwapAnimator->Tick();
}

// --- Typing -----------------------------------------------------------------------------------

void TLevelsCollection::TypeAhead(char16_t c) {
    if (FTypeAhead.empty() && c >= u'0' && c <= u'9')
        return;
    FTypeAhead += c;
    if (FCurrent)
        FCurrent->SelectByPrefix(FTypeAhead);
}

// --- For the views ----------------------------------------------------------------------------

void TLevelsCollection::FilterTextChanged(const std::u16string& text) {
    if (FHooks.FilterText)
        FHooks.FilterText(text);
}

void TLevelsCollection::RequestRedraw() {
    if (FHooks.Redraw)
        FHooks.Redraw();
}

// --- Change watching --------------------------------------------------------------------------

void TLevelsCollection::OnFolderChanged(const TFolderView* view) {
    if (IndexOf(view) < 0)
        return;
    TFolderView& open = *FViews[static_cast<size_t>(IndexOf(view))];
    // Taken before the re-read: a change during it is reported again.
    open.AcknowledgeChange();
    open.Refresh();
    RequestRedraw();
}

void TLevelsCollection::OnShellChange(TShellChangeKind kind) {
    TFolderView* view = nullptr;
    switch (kind) {
    case TShellChangeKind::Desktop:
        view = FDesktopFolder ? FindDesktopKindView(*FDesktopFolder) : nullptr;
        break;
    case TShellChangeKind::RecycleBin: {
        const TOwnedIDList bin = FShell.SpecialFolder(TSpecialFolder::RecycleBin);
        view = bin ? FindView(bin.Get()) : nullptr;
        break;
    }
    case TShellChangeKind::Drives:
        view = FindView(FDrivesIDList.Get());
        break;
    }
    if (!view)
        return;
    view->Refresh();
    RequestRedraw();
}

void TLevelsCollection::CloseViewsWhere(const std::function<bool(const TFolderView&)>& matches) {
    for (int32_t i = ViewCount() - 1; i >= 0; --i) {
        TFolderView& view = *FViews[static_cast<size_t>(i)];
        if (view.IsRoot() || !matches(view))
            continue;
        CloseView(view, true);
        i = ViewCount(); // the closed view's descendants went too: start again from the end
    }
}

void TLevelsCollection::OnDeviceQueryRemove(TVolumeToken volume) {
    if (volume == 0)
        return;
    CloseViewsWhere([volume](const TFolderView& view) { return view.Volume() == volume; });
    FResources.ReleaseVolume(volume);
}

void TLevelsCollection::OnVolumeRemoved(uint32_t unitMask) {
    if (unitMask == 0)
        return;
    int32_t bit = 0;
    while ((unitMask & (1u << bit)) == 0)
        ++bit;
    const char16_t letter = static_cast<char16_t>(u'A' + bit);
    CloseViewsWhere([letter](const TFolderView& view) {
        return !view.Path().empty() && view.Path()[0] == letter;
    });
    ReloadDrivesView();
}

void TLevelsCollection::ReloadDrivesView() {
    if (TFolderView* drives = FindView(FDrivesIDList.Get()))
        drives->Reload();
    RequestRedraw();
}
