#pragma once
// The one owner of every opened folder view. Each open folder is a level; levels form a tree
// from the desktop (the root, depth 0). The collection opens folders (an open one is found
// first, a 41st is refused), closes them with their descendants, keeps the current view (the
// keyboard's) and the marked view (where the camera was last sent), arranges the levels in
// space, flies the camera between them and holds the type-ahead buffer.
#include "model/FolderResources.h"
#include "model/FolderView.h"
#include "model/ShellNamespace.h"
#include "space/AnimationTimer.h"
#include "space/CameraAnimator.h"
#include "space/HighLayoutEnumerators.h"
#include "space/LayoutSwapAnimator.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int32_t MaxOpenFolders = 40;
constexpr float FlatMaxColumnHeight = 3.18f;
constexpr uint32_t CameraFlightSteps = 10;
constexpr uint32_t LayoutSwapSteps = 8;

using TLevel = std::vector<TFolderView*>;

// Whether opening or activating a level flies the camera to it, and whether the explorer pane
// then browses to it.
enum class TOpenFlight { NoFlight, Fly, FlyAndBrowsePane };
// What a flight does: take the camera to where the level is viewed from, or only turn it
// towards the level from where it is.
enum class TFlightPath { ToLevel, TurnInPlace };
// What follows the end of a flight: the explorer pane browses to the current level, or stays.
enum class TAfterFlight { KeepPane, BrowsePane };

// How the collection reaches the main window. Every hook may be left empty.
struct TLevelsHooks {
    std::function<void()> Redraw;
    // A view became current: the address edit, the keyboard focus.
    std::function<void(TFolderView& view)> CurrentChanged;
    // The filter edit shows this text.
    std::function<void(const std::u16string& text)> FilterText;
    // A limit was reached: a message box.
    std::function<void(const std::u16string& title, const std::u16string& text)> ShowLimit;
    // Shows the wait cursor and returns what puts the previous one back.
    std::function<std::function<void()>()> WaitCursor;
    // A shortcut's target (a new absolute list), or a copy of the list itself.
    std::function<TOwnedIDList(const TIDList* absolute)> ResolveShortcut;
    // Called when a camera flight ends, with what its start asked to follow.
    std::function<void(TAfterFlight after)> FlightFinished;
};

class TLevelsCollection {
public:
    // camera may be null (no flights then); timer drives the animations.
    TLevelsCollection(TShellNamespace& shell, TFolderResources& resources, TGeomCamera* camera,
                      TAnimationTimer& timer, TLevelsHooks hooks = {});
    ~TLevelsCollection();
    TLevelsCollection(const TLevelsCollection&) = delete;
    TLevelsCollection& operator=(const TLevelsCollection&) = delete;

    // An empty list opens the desktop. Raises ELimitArchieved at the limit.
    TFolderView* OpenFolder(const TIDList* idList);
    TFolderView* OpenOrActivate(const TIDList* idList, TOpenFlight flight);
    // Closes a view with its descendants; never the root.
    void CloseView(TFolderView& view, bool fly);
    // Closes every view but the root and the given one.
    void CloseAllBut(TFolderView& keep);
    // Opens a folder item as a level, launches anything else.
    void ActivateItem(TFolderView& view);

    // An empty list yields the first view.
    TFolderView* FindView(const TIDList* idList) const;
    TFolderView* FindDesktopKindView(const TNamespaceFolder& folder) const;
    int32_t IndexOf(const TFolderView* view) const;
    TFolderView* ViewAt(int32_t index) const;
    TLevel ViewsAtDepth(int32_t depth) const;
    int32_t ViewCount() const { return static_cast<int32_t>(FViews.size()); }

    void SetCurrent(TFolderView* view);
    void SetCurrentQuiet(TFolderView* view);
    void SetCurrentByIndex(int32_t index);
    void SetMarked(TFolderView* view) { FMarked = view; }
    TFolderView* Current() const { return FCurrent; }
    TFolderView* Marked() const { return FMarked; }
    TFolderView* NextView();
    TFolderView* PrevView();
    // 0 previous of the same depth, 1 next of the same depth, 2 parent, 3 last child.
    void NavigateLevels(int32_t direction);
    TFSEView* FocusedItem() const;
    void MoveFocus(int32_t direction, bool extend);
    void NextPage();
    void PrevPage();

    void LayoutLevels();
    void ToggleLevelLayout();
    void FlyTo(TFolderView* view, TAfterFlight after, TFlightPath path);
    void TurnToCurrent();
    void PlaceCamera(TFolderView* view);
    bool Stacked() const { return FStacked; }
    const THighLayoutEnumerator& LevelLayout() const { return *FLevelLayout; }

    void TypeAhead(char16_t c);
    void ClearTypeAhead() { FTypeAhead.clear(); }
    const std::u16string& TypeAheadText() const { return FTypeAhead; }

    // Change watching, on the window thread. A report about a view closed since it was sent
    // is ignored.
    void OnFolderChanged(const TFolderView* view);
    void OnShellChange(TShellChangeKind kind);
    // The system asks to remove a volume: the views on it close and the volume is let go.
    void OnDeviceQueryRemove(TVolumeToken volume);
    // A volume is gone: the views on the first drive of the unit mask close, and the drives
    // folder is read again.
    void OnVolumeRemoved(uint32_t unitMask);
    void ReloadDrivesView();

    // Timer steps of the animations.
    void StepCameraAnimation();
    void StepLayoutSwap();

    // For the folder views.
    TShellNamespace& Shell() const { return FShell; }
    TFolderResources& Resources() const { return FResources; }
    const std::shared_ptr<TNamespaceFolder>& DesktopFolder() const { return FDesktopFolder; }
    const TIDList* DesktopIDList() const { return FDesktopIDList.Get(); }
    const TIDList* DrivesIDList() const { return FDrivesIDList.Get(); }
    TGeomCamera* Camera() const { return FCamera; }
    void FilterTextChanged(const std::u16string& text);
    void RequestRedraw();

private:
    void FlyAfterOpening(TFolderView* view, TOpenFlight flight);
    void RemoveClosed(const std::vector<TFolderView*>& closing);
    void ChooseCurrentAfterClose();
    // Closes, from the last view on, every view but the root that matches.
    void CloseViewsWhere(const std::function<bool(const TFolderView&)>& matches);

    TShellNamespace& FShell;
    TFolderResources& FResources;
    TGeomCamera* FCamera;
    TAnimationTimer& FTimer;
    TLevelsHooks FHooks;
    std::shared_ptr<TNamespaceFolder> FDesktopFolder;
    TOwnedIDList FDesktopIDList;
    TOwnedIDList FDrivesIDList;
    std::u16string FTypeAhead;
    std::vector<std::unique_ptr<TFolderView>> FViews;
    TFolderView* FCurrent = nullptr;
    TFolderView* FMarked = nullptr;
    std::unique_ptr<THighLayoutEnumerator> FLevelLayout;
    bool FStacked = false;
    TCameraFlightState FCameraFlight;
    std::unique_ptr<TCameraAnimator> FCameraAnimator;
    std::unique_ptr<THighLayoutSwapAnimator> FSwapAnimator;
};
