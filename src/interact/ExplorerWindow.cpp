#include "interact/ExplorerWindow.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>
#include <span>

#include "base/Errors.h"
#include "base/Handles.h"
#include "base/WinString.h"
#include "interact/FileEngine.h"
#include "interact/ShellIDListArray.h"
#include "model/LevelsCollection.h"
#include "services/IDListWin.h"

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t PaneProperty[] = L"Glimmera.ExplorerPane";
const char16_t NewFolderName[] = u"New Folder";
constexpr int ClassNameLength = 50;

// The selection's data in that clipboard format as a global block; false when the view has none.
bool GetSelectionData(IShellView& view, CLIPFORMAT format, TStorageMedium& medium) {
    ComPtr<IDataObject> data;
    if (FAILED(view.GetItemObject(SVGIO_SELECTION, IID_PPV_ARGS(&data))) || !data)
        return false;
    FORMATETC request{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SUCCEEDED(data->GetData(&request, medium.Receive())) && medium.Global();
}

struct TListSearch {
    HWND Found = nullptr;
};

BOOL CALLBACK FindListWindow(HWND window, LPARAM lParam) {
    wchar_t name[ClassNameLength + 1] = {};
    GetClassNameW(window, name, ClassNameLength + 1);
    if (StrCmpW(name, L"DirectUIHWND") == 0 || StrCmpW(name, L"SysListView32") == 0) {
        reinterpret_cast<TListSearch*>(lParam)->Found = window;
        return FALSE;
    }
    return TRUE;
}

bool Pressed(int key) {
    return GetAsyncKeyState(key) < 0;
}

} // namespace

HRESULT STDMETHODCALLTYPE TExplorerBrowserEvents::OnNavigationComplete(PCIDLIST_ABSOLUTE folder) {
    if (FPane) {
        try {
            FPane->NavigationComplete(folder);
        } catch (...) {
            FPane->FKeepException();
        }
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TExplorerBrowserEvents::OnNavigationFailed(PCIDLIST_ABSOLUTE) {
    // A failed silent request must not silence the user's next navigation.
    if (FPane)
        FPane->NavigationFailed();
    return S_OK;
}

TExplorerWindow::TExplorerWindow(HWND parent, TLevelsCollection& levels,
                                 std::function<void()> keepException)
    : FParent(parent), FLevels(levels), FKeepException(std::move(keepException)) {}

TExplorerWindow::~TExplorerWindow() {
    RestoreList();
    if (FEvents)
        FEvents->Detach();
    if (FBrowser) {
        if (FAdvised)
            FBrowser->Unadvise(FCookie);
        FBrowser->Destroy();
    }
}

HRESULT TExplorerWindow::Create(REFCLSID browserClass, int32_t split, int32_t height) {
    if (FBrowser)
        return S_OK;
    ComPtr<IExplorerBrowser> browser;
    HRESULT result =
        CoCreateInstance(browserClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                         IID_PPV_ARGS(&browser));
    if (FAILED(result))
        return result;
    FSplit = split;
    FHeight = height;
    const RECT bounds{0, 0, split, height};
    FOLDERSETTINGS settings{FVM_DETAILS, FWF_AUTOARRANGE | FWF_NOWEBVIEW};
    result = browser->Initialize(FParent, &bounds, &settings);
    if (FAILED(result))
        return result;
    browser->SetOptions(static_cast<EXPLORER_BROWSER_OPTIONS>(0));
    FEvents.Attach(new TExplorerBrowserEvents(*this));
    FAdvised = SUCCEEDED(browser->Advise(FEvents.Get(), &FCookie));
    FBrowser = std::move(browser);
    return S_OK;
}

void TExplorerWindow::SetBounds(int32_t split, int32_t height) {
    FSplit = split;
    FHeight = height;
    if (FBrowser && IsWindow(FParent))
        FBrowser->SetRect(nullptr, RECT{0, 0, split, height});
}

HWND TExplorerWindow::PaneWindow() const {
    ComPtr<IOleWindow> window;
    HWND pane = nullptr;
    if (FBrowser && SUCCEEDED(FBrowser.As(&window)))
        window->GetWindow(&pane);
    return pane;
}

bool TExplorerWindow::Browse(const TIDList* folder, UINT flags) {
    if (!FBrowser)
        return false;
    if (SUCCEEDED(FBrowser->BrowseToIDList(AsAbsolute(folder), flags)))
        return true;
    FNotify = true;
    return false;
}

void TExplorerWindow::NavigateTo(const TIDList* folder, bool notify) {
    if (!FBrowser || !folder || IDListEqual(folder, FShown.Get()))
        return;
    FShown.Reset(CloneIDList(folder));
    FNotify = notify;
    if (!Browse(folder, SBSP_ABSOLUTE))
        FShown.Reset();
}

void TExplorerWindow::GoToParent() {
    Browse(nullptr, SBSP_PARENT);
}

void TExplorerWindow::GoBack() {
    Browse(nullptr, SBSP_NAVIGATEBACK);
}

void TExplorerWindow::GoForward() {
    Browse(nullptr, SBSP_NAVIGATEFORWARD);
}

void TExplorerWindow::NavigationComplete(PCIDLIST_ABSOLUTE folder) {
    SubclassList();
    SetBounds(FSplit, FHeight);
    // Remembered before the levels hear of it: the level that becomes current then finds the
    // pane already there and does not send it again.
    FShown.Reset(CloneIDList(FromShell(folder)));
    const bool notify = FNotify;
    FNotify = true;
    if (!notify || !FShown)
        return;
    // The user navigated in the pane and goes on there: the level that opens leaves the
    // keyboard to the pane's new list.
    FReportingOwnNavigation = true;
    try {
        FLevels.OpenOrActivate(FShown.Get(), TOpenFlight::Fly);
    } catch (...) {
        FReportingOwnNavigation = false;
        throw;
    }
    FReportingOwnNavigation = false;
    Focus();
}

void TExplorerWindow::NavigationFailed() {
    FNotify = true;
    FShown.Reset();
}

void TExplorerWindow::SubclassList() {
    TListSearch search;
    EnumChildWindows(FParent, FindListWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.Found) {
        FList = nullptr;
        FListPrevious = nullptr;
        return;
    }
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(search.Found, GWLP_WNDPROC)) == ListProc)
        return;
    RestoreList();
    SetPropW(search.Found, PaneProperty, this);
    FListPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(search.Found, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListProc)));
    FList = search.Found;
}

void TExplorerWindow::RestoreList() {
    if (FList && IsWindow(FList) &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FList, GWLP_WNDPROC)) == ListProc) {
        SetWindowLongPtrW(FList, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FListPrevious));
        RemovePropW(FList, PaneProperty);
    }
    FList = nullptr;
    FListPrevious = nullptr;
}

LRESULT CALLBACK TExplorerWindow::ListProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* pane = static_cast<TExplorerWindow*>(GetPropW(window, PaneProperty));
    if (!pane || window != pane->FList)
        return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC previous = pane->FListPrevious;
    if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        try {
            if (message == WM_KEYDOWN ? pane->ListKeyDown(wParam) : pane->ListSysKeyDown(wParam))
                return 0;
        } catch (...) {
            pane->FKeepException();
            return 0;
        }
    } else if (message == WM_NCDESTROY) {
        // The shell recreates its list on navigation: the old one lets go of the pane.
        RemovePropW(window, PaneProperty);
        pane->FList = nullptr;
        pane->FListPrevious = nullptr;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

bool TExplorerWindow::ListKeyDown(WPARAM key) {
    switch (key) {
    case VK_BACK:
        GoToParent();
        return true;
    case VK_DELETE:
        DeleteSelection(!Pressed(VK_SHIFT));
        return true;
    case VK_F2:
        RenameFirstSelected();
        return true;
    case VK_F5:
        Refresh();
        if (TFolderView* current = FLevels.Current())
            FLevels.OnFolderChanged(current);
        return false;
    case VK_F7:
        NewFolder();
        return false;
    }
    return false;
}

// Alt+Left and Alt+Right go back and forward, as in the scene: the keyboard stays in the pane
// after the user's own navigations there.
bool TExplorerWindow::ListSysKeyDown(WPARAM key) {
    if (key == VK_LEFT)
        GoBack();
    else if (key == VK_RIGHT)
        GoForward();
    else
        return false;
    return true;
}

ComPtr<IShellView2> TExplorerWindow::View() const {
    ComPtr<IShellView2> view;
    if (FBrowser)
        FBrowser->GetCurrentView(IID_PPV_ARGS(&view));
    return view;
}

void TExplorerWindow::DeleteSelection(bool allowUndo) {
    ComPtr<IShellView2> view = View();
    TStorageMedium medium;
    if (!view || !GetSelectionData(*view.Get(), CF_HDROP, medium))
        return;
    TGlobalLock lock(medium.Global());
    if (lock.Data())
        DeleteDroppedFiles(static_cast<HDROP>(medium.Global()), allowUndo);
}

void TExplorerWindow::RenameFirstSelected() {
    ComPtr<IShellView2> view = View();
    const auto format = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
    TStorageMedium medium;
    if (!view || !GetSelectionData(*view.Get(), format, medium))
        return;
    TGlobalLock lock(medium.Global());
    if (!lock.Data())
        return;
    // The block comes from the shell's data object: read within its bounds only.
    const auto lists =
        ReadIDListArray(std::span(static_cast<const uint8_t*>(lock.Data()), lock.Size()));
    if (!lists || lists->Children.empty())
        return;
    const TOwnedIDList first(
        CloneIDList(reinterpret_cast<const TIDList*>(lists->Children[0].data())));
    if (first)
        view->SelectItem(AsChild(first.Get()), SVSI_EDIT);
}

void TExplorerWindow::RenameItem(const TIDList* child) {
    ComPtr<IShellView2> view = View();
    if (!view || !child)
        return;
    view->SelectItem(AsChild(child), SVSI_FOCUSED);
    view->Refresh();
    view->SelectItem(AsChild(child), SVSI_EDIT);
}

void TExplorerWindow::Refresh() {
    if (ComPtr<IShellView2> view = View())
        view->Refresh();
}

void TExplorerWindow::NewFolder() {
    TFolderView* current = FLevels.Current();
    if (!current || !FBrowser)
        return;
    const TOwnedIDList created = CreateNewFolder(current->Path(), NewFolderName);
    if (!created)
        return;
    const TOwnedIDList last(CloneLastIDListItem(created.Get()));
    ComPtr<IShellView2> view = View();
    if (!view || !last)
        return;
    view->Refresh();
    view->SelectItem(AsChild(last.Get()), SVSI_FOCUSED);
    view->SelectItem(AsChild(last.Get()), SVSI_EDIT);
}

bool TExplorerWindow::Focus() {
    if (!FBrowser)
        return false;
    if (!FList || !IsWindow(FList))
        SubclassList();
    const HWND target = FList ? FList : PaneWindow();
    if (!target)
        return false;
    SetFocus(target);
    return true;
}

bool TExplorerWindow::HasFocus() const {
    if (FReportingOwnNavigation)
        return true;
    const HWND focus = GetFocus();
    if (!FBrowser || !focus || focus == FParent)
        return false;
    if (const HWND pane = PaneWindow())
        return focus == pane || IsChild(pane, focus);
    return FList && (focus == FList || IsChild(FList, focus));
}
