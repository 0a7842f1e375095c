#pragma once
// The system's Explorer browser in the strip left of the scene, kept in step with the scene
// both ways: the program's own changes of the current level move the pane silently, and the
// user's navigations in the pane open (or activate) that folder as a level. A few keys in the
// pane and in the scene work through the pane's shell view.
#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <functional>

#include "base/ComObject.h"
#include "services/OwnedIDList.h"

class TLevelsCollection;
class TExplorerWindow;

// Registered with the browser; reports completed navigations to the pane.
class TExplorerBrowserEvents final : public TComObject<IExplorerBrowserEvents> {
public:
    explicit TExplorerBrowserEvents(TExplorerWindow& pane) : FPane(&pane) {}
    // The pane is going: later calls do nothing.
    void Detach() { FPane = nullptr; }

    HRESULT STDMETHODCALLTYPE OnNavigationPending(PCIDLIST_ABSOLUTE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnViewCreated(IShellView*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnNavigationComplete(PCIDLIST_ABSOLUTE folder) override;
    HRESULT STDMETHODCALLTYPE OnNavigationFailed(PCIDLIST_ABSOLUTE) override;

private:
    ~TExplorerBrowserEvents() override = default;
    TExplorerWindow* FPane;
};

class TExplorerWindow {
public:
    // parent is the main window; the pane is a plain child beside the scene's window, so it
    // draws, moves and resizes like any other window. An exception must not unwind into the shell:
    // keepException is called inside the callbacks instead.
    TExplorerWindow(HWND parent, TLevelsCollection& levels, std::function<void()> keepException);
    ~TExplorerWindow();
    TExplorerWindow(const TExplorerWindow&) = delete;
    TExplorerWindow& operator=(const TExplorerWindow&) = delete;

    // Creates the browser in the strip (0, 0, split, height); a failure leaves the program
    // without the pane, and every operation then does nothing. A second call does nothing.
    HRESULT Create(REFCLSID browserClass, int32_t split, int32_t height);
    bool Exists() const { return FBrowser != nullptr; }

    void SetBounds(int32_t split, int32_t height);
    // With notify false the completed navigation is not reported back to the levels. A folder
    // the pane shows or is going to already is not navigated to again.
    void NavigateTo(const TIDList* folder, bool notify);
    void GoToParent();
    void GoBack();
    void GoForward();

    // The pane's selection, deleted through the shell (into the Recycle Bin with allowUndo).
    void DeleteSelection(bool allowUndo);
    // The shell's in-place rename of the pane's first selected item.
    void RenameFirstSelected();
    // Focuses an item of the shown folder (a child list) and opens its name for editing.
    void RenameItem(const TIDList* child);
    void Refresh();
    // "New Folder" (numbered by the shell when taken) in the current level's folder, its name
    // open for editing.
    void NewFolder();

    // Whether the keyboard is in the pane; also while the pane reports a navigation of the
    // user's (the list that had the keyboard is being replaced then).
    bool HasFocus() const;
    // Gives the pane's list the keyboard; false without a pane.
    bool Focus();

private:
    friend class TExplorerBrowserEvents;
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void NavigationComplete(PCIDLIST_ABSOLUTE folder);
    void NavigationFailed();
    // Finds the pane's list window and routes its keys through ListProc.
    void SubclassList();
    void RestoreList();
    // True when the key was consumed.
    bool ListKeyDown(WPARAM key);
    bool ListSysKeyDown(WPARAM key);
    Microsoft::WRL::ComPtr<IShellView2> View() const;
    // The browser's own window, none without it.
    HWND PaneWindow() const;
    // False when the browser refused the request.
    bool Browse(const TIDList* folder, UINT flags);

    HWND FParent;
    TLevelsCollection& FLevels;
    std::function<void()> FKeepException;
    Microsoft::WRL::ComPtr<IExplorerBrowser> FBrowser;
    Microsoft::WRL::ComPtr<TExplorerBrowserEvents> FEvents;
    DWORD FCookie = 0;
    bool FAdvised = false;
    int32_t FSplit = 0;
    int32_t FHeight = 0;
    // Set except between a silent navigation request and its completion.
    bool FNotify = true;
    // Set while a navigation the user made in the pane opens its level.
    bool FReportingOwnNavigation = false;
    // The folder the pane shows, or was last asked to show.
    TOwnedIDList FShown;
    HWND FList = nullptr;
    WNDPROC FListPrevious = nullptr;
};
