#pragma once
// One opened folder as the scene shows it: its items read from the shell, their order, an
// optional name filter and the pages of ItemsPerPage tiles on a two-column lattice. Only page 0
// and the current page hold caption textures and icon work. Created, owned and destroyed by the
// levels collection.
#include "model/FolderItem.h"
#include "model/FolderOrder.h"
#include "model/FolderResources.h"
#include "model/ShellNamespace.h"
#include "space/RectangularLattice.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TLevelsCollection;
class TGeomCamera;

constexpr int32_t ItemsPerPage = 20;

struct TPageInfo {
    std::unique_ptr<TPageTexture> Texture; // none while the page is not loaded
    std::unique_ptr<TSceneCaption> Caption;
    std::unique_ptr<TIconJob> IconJob;
    // Items whose captions live in Texture; their captions go when the page unloads.
    std::vector<TFSEView*> CaptionedItems;
};

struct TFolderViewInit {
    std::u16string Path;
    std::u16string DisplayName;
    TVector3 Origin;
    bool IsRoot = false;
    bool IsFileSystem = false;
    TFolderView* Parent = nullptr;
    std::shared_ptr<TNamespaceFolder> ShellFolder;
    const TIDList* ChildIDList = nullptr;
    const TIDList* AbsoluteIDList = nullptr;
    TSortOrder SortOrder = DefaultSortOrder;
};

class TFolderView {
public:
    TFolderView(TLevelsCollection& owner, const TFolderViewInit& init);
    ~TFolderView();
    TFolderView(const TFolderView&) = delete;
    TFolderView& operator=(const TFolderView&) = delete;

    // Reads the folder again; afterwards exactly the first item is selected and focused.
    void Reload();
    // Reaction to a change in the folder: reads it again and closes the child levels whose
    // folders are gone. When this folder itself is gone its level closes and this view is
    // destroyed: the caller must not touch it afterwards.
    void Refresh();

    void LoadPages(int32_t first, int32_t last);
    void UnloadPages(int32_t first, int32_t last, bool mayUnloadFirstPage);
    void GoToPage(int32_t page);
    void NextPage() { GoToPage(FCurrentPage + 1); }
    void PrevPage() { GoToPage(FCurrentPage - 1); }

    void SetSortOrder(TSortOrder order);
    void SetFilter(const std::u16string& text);
    void ClearFilter(bool reloadPages);

    // Directions of TRectangularLattice::Neighbour.
    void MoveFocus(int32_t direction, bool extend);
    void SelectByPrefix(const std::u16string& text);
    void SelectAll();
    void ClearSelection();

    // None while a filter hides the focused item.
    TFSEView* Focused() const;
    void SetFocused(TFSEView* item) { FFocused = item; }
    TFSEView* ItemAt(int32_t index) const;
    int32_t IndexOf(const TFSEView* item) const;
    // Index range of a page's items; empty (first > last) past the items.
    void PageRange(int32_t page, int32_t& first, int32_t& last) const;

    void AddChild(TFolderView* view);
    void RemoveChild(TFolderView* view);
    // Keeps the parent only when it is the root; forgets the children.
    void DetachFromTree();

    // Raises "FLayoutManager required!" without a lattice.
    void PlaceCaptions(int32_t page);
    void ResetLayout();

    TRectangularLattice* LayoutManager() const { return FLayoutManager.get(); }
    const TQuad& Frame() const { return FFrame; }
    // The frame, and with it the centre the camera aims at, from where the lattice is now.
    void RefreshFrame();
    const std::u16string& Path() const { return FPath; }
    const std::u16string& DisplayName() const { return FDisplayName; }
    const TIDList* AbsoluteIDList() const { return FIDList.Get(); }
    const TIDList* ChildIDList() const { return FChildIDList.Get(); }
    TNamespaceFolder* ShellFolder() const { return FShellFolder.get(); }
    bool IsFileSystem() const { return FIsFileSystem; }
    bool IsRoot() const { return FIsRoot; }

    // Change watching: the watch reports to the window thread; the volume is the removable
    // drive the folder lies on (0 for none).
    void StartWatching();
    void AcknowledgeChange();
    void SetVolume(TVolumeToken volume) { FVolume = volume; }
    TVolumeToken Volume() const { return FVolume; }
    TSortOrder SortOrder() const { return FSortOrder; }
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    int32_t PageCount() const { return FPageCount; }
    int32_t CurrentPage() const { return FCurrentPage; }
    const TPageInfo* Page(int32_t page) const;
    const std::u16string& FilterText() const { return FFilterText; }
    bool Filtered() const { return FFiltered; }
    TSceneCaption* LevelCaption() const { return FLevelCaption.get(); }
    TSceneCaption* SortCaptionLow() const { return FSortCaptionLow.get(); }
    TSceneCaption* SortCaptionHigh() const { return FSortCaptionHigh.get(); }
    TFolderView* Parent() const { return FParent; }
    const std::vector<TFolderView*>& Children() const { return FChildren; }
    int32_t Depth() const { return FDepth; }
    TLevelsCollection& Owner() const { return FOwner; }
    // Every item, hidden ones included.
    int32_t AllCount() const { return static_cast<int32_t>(FStore.size()); }

private:
    // One enumeration: the items with their names, unsorted.
    void ReadFolder();
    // The file name of a child's parsing name when that is this folder's path and the name;
    // empty otherwise.
    std::u16string_view NameInFolder(std::u16string_view path) const;
    bool HoldsDesktopIni(const std::vector<std::u16string>& paths) const;
    void Sort(TSortOrder order);
    // Sizes and times of every item in one pass over the folder, where asking each item would
    // take a file-system call per item; an item the pass misses reads its own when asked.
    void ReadFileData();
    void MakeSortCaptions(TSortOrder order);
    void SetLevelCaption(const std::u16string& text);
    void Repaginate(int32_t loadUpTo, bool reload);
    void FullPageShape();
    void LastPageShape();
    void StartIconJob(int32_t page);
    void StopIconJobs();
    void UnloadPage(TPageInfo& page);
    void UnloadAllPages();
    void FreeItems();
    bool IsDesktopItself() const;
    // The desktop or a folder of its kind, whose items the shell merges from several places.
    bool IsDesktopKind() const;
    TShellNamespace& Shell() const;
    TFolderResources& Resources() const;

    TLevelsCollection& FOwner;
    bool FRefreshing = false;
    std::shared_ptr<TNamespaceFolder> FShellFolder;
    bool FIsFileSystem;
    bool FFileDataRead = false;
    TSortOrder FSortOrder;
    TOwnedIDList FChildIDList;
    TOwnedIDList FIDList;
    std::u16string FPath;
    std::u16string FDisplayName;
    int32_t FPageCount = 0;
    int32_t FCurrentPage = 0;
    std::vector<TPageInfo> FPages;
    std::u16string FFilterText;
    bool FFiltered = false;
    std::unique_ptr<TSceneCaption> FLevelCaption;
    std::unique_ptr<TSceneCaption> FSortCaptionLow;
    std::unique_ptr<TSceneCaption> FSortCaptionHigh;
    std::vector<TFSEView*> FAllItems;
    TFSEView* FFocused = nullptr;
    TQuad FFrame{};
    std::unique_ptr<TRectangularLattice> FLayoutManager;
    std::vector<std::unique_ptr<TFSEView>> FStore; // owns every item
    std::vector<TFSEView*> FItems;                 // display order; the visible ones when filtered
    TFolderView* FParent;
    std::vector<TFolderView*> FChildren;
    int32_t FDepth;
    bool FIsRoot;
    TVolumeToken FVolume = 0;
    // Last: destroyed first, so no report of this view comes while it goes.
    std::unique_ptr<TFolderWatch> FWatch;
};
