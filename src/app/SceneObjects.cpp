#include "app/SceneObjects.h"

#include <shellapi.h>

#include "base/PendingException.h"
#include "base/Errors.h"
#include "base/Handles.h"
#include "base/WinString.h"
#include "interact/ContextMenu.h"
#include "interact/FileEngine.h"
#include "interact/Shortcuts.h"
#include "services/HelpWin.h"
#include "services/LocalizedStrings.h"

namespace {

// Where the camera stands when the program starts.
constexpr float InitialCameraX = 1.25f;
constexpr float InitialCameraY = -0.75f;
constexpr float InitialCameraZ = 5.0f;

// The first command-line argument, when there is one.
std::u16string CommandLineArgument() {
    int count = 0;
    TLocalMem<LPWSTR*> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
    if (!arguments || count < 2)
        return {};
    return FromWide(arguments.Get()[1]);
}

} // namespace

template <class T>
T& TSceneObjects::Own(std::unique_ptr<T>& variable, std::unique_ptr<T> object, const char* name) {
    GMAssert(!variable, "Main");
    variable = std::move(object);
    FOwnedObjects.push_back([this, &variable, name] {
        variable.reset();
        if (FSite.ObjectDestroyed)
            FSite.ObjectDestroyed(name);
    });
    return *variable;
}

TSceneObjects::TSceneObjects(TMainWindowValues& window, const int32_t& clientHeight,
                             TSceneSite site)
    : FWindow(window), FSite(std::move(site)) {
    // Whatever was built is destroyed again when a later step throws.
    try {
        const int32_t width = window.ClientWidth();
        const int32_t height = window.ClientHeight();
        TViewportManager2& viewports = Own(
            FViewportManager, std::make_unique<TViewportManager2>(clientHeight), "ViewportManager");
        FExplorerViewport = viewports.Add(TViewport{0, 0, 1, height});
        FSceneViewport =
            viewports.Add(TViewport{window.Split(), 0, width - window.Split(), height});
        Own(FWidgets, std::make_unique<TWidgetManager>(viewports, window), "Widgets");
        Own(FSceneCamera,
            std::make_unique<TGeomCamera>(InitialCameraX, InitialCameraY, InitialCameraZ),
            "SceneCamera");
        Own(FAnimationTimer, std::make_unique<TWindowAnimationTimer>(window), "AnimationTimer");
        Own(FShell, std::make_unique<TWinShellNamespace>(), "Shell").OwnerWindow =
            window.MainWindow();
        Own(FLevels,
            std::make_unique<TLevelsScene>(window, *FShell, FSceneCamera.get(), *FAnimationTimer,
                                           LevelsHooks()),
            "Levels");
        Own(FFilterEdit,
            std::make_unique<TFilterEdit>(FLevels->Levels(), *FWidgets, FSceneViewport),
            "FilterEdit");
        Own(FSceneOps,
            std::make_unique<TSceneOperationManager>(
                *FLevels, *FSceneCamera, viewports, FSceneViewport, window, *FWidgets, *FFilterEdit,
                static_cast<TSceneCommands&>(*this)),
            "SceneOps");
        // OLE holds the drop target as long as the window is registered: revoked before the
        // objects it reaches go.
        FDropTarget.Attach(
            new TDropTarget(window, viewports, FSceneViewport, *FSceneOps, KeepPendingException));
        FOwnedObjects.push_back([this] {
            FDropTarget->Revoke();
            FDropTarget.Reset();
            if (FSite.ObjectDestroyed)
                FSite.ObjectDestroyed("DropTarget");
        });
    } catch (...) {
        DestroyOwned();
        throw;
    }
}

TSceneObjects::~TSceneObjects() {
    FExplorer.reset();
    DestroyOwned();
}

void TSceneObjects::DestroyOwned() {
    while (!FOwnedObjects.empty()) {
        const std::function<void()> destroy = std::move(FOwnedObjects.back());
        FOwnedObjects.pop_back();
        destroy();
    }
}

TLevelsHooks TSceneObjects::LevelsHooks() {
    TLevelsHooks hooks;
    hooks.Redraw = [this] { FWindow.RequestRedraw(); };
    hooks.CurrentChanged = [this](TFolderView& view) {
        FocusSceneUnlessInPane();
        if (FSite.CurrentFolderChanged)
            FSite.CurrentFolderChanged();
        // The pane follows every change the program makes; one the pane itself reported
        // finds it there already.
        if (FExplorer)
            FExplorer->NavigateTo(view.AbsoluteIDList(), false);
    };
    // The filter edit goes before the levels: a view that closes then has no field to tell.
    hooks.FilterText = [this](const std::u16string& text) {
        if (FFilterEdit)
            FFilterEdit->ShowText(text);
    };
    hooks.ShowLimit = [this](const std::u16string& title, const std::u16string& text) {
        MessageBoxW(FWindow.MainWindow(), AsWide(text), AsWide(title), MB_ICONERROR);
    };
    // An opened shortcut stands for its target: a folder opens as a level.
    hooks.ResolveShortcut = [](const TIDList* absolute) {
        TOwnedIDList target;
        ResolveShortcutIDList(absolute, target);
        return target;
    };
    hooks.FlightFinished = [this](TAfterFlight after) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        if (after == TAfterFlight::BrowsePane)
            if (TFolderView* current = FLevels->Levels().Current())
                ExplorerBrowse(current->AbsoluteIDList());
        // The keyboard stays in the part the user went to meanwhile; only a keyboard left
        // nowhere comes to the scene.
        const HWND focus = GetFocus();
        if (!focus || focus == FWindow.MainWindow())
            if (HWND scene = FWindow.SceneWindow())
                SetFocus(scene);
        // Lets a debugger, and the end-to-end tests, see where a flight ends.
        OutputDebugStringW(L"camera at rest");
    };
    hooks.WaitCursor = [] {
        HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return std::function<void()>([previous] { SetCursor(previous); });
    };
    return hooks;
}

void TSceneObjects::FocusSceneUnlessInPane() {
    if (HWND scene = FWindow.SceneWindow(); scene && !ExplorerHasFocus())
        SetFocus(scene);
}

// The desktop as the root level, the Computer folder beside it, the Explorer pane, the
// command-line folder on top; the camera looks at the last of them and the pane shows it.
void TSceneObjects::OpenStartLevels(REFCLSID browserClass) {
    TLevelsCollection& levels = FLevels->Levels();
    levels.OpenOrActivate(levels.DesktopIDList(), TOpenFlight::NoFlight);
    TFolderView* top = levels.OpenOrActivate(levels.DrivesIDList(), TOpenFlight::NoFlight);
    FExplorer =
        std::make_unique<TExplorerWindow>(FWindow.MainWindow(), levels, KeepPendingException);
    // Without the browser the scene works alone.
    if (FAILED(FExplorer->Create(browserClass, FWindow.Split(), FWindow.ClientHeight())))
        FExplorer.reset();
    const std::u16string argument = CommandLineArgument();
    if (!argument.empty())
        if (TOwnedIDList folder = FShell->ParseName(argument))
            if (TFolderView* opened = levels.OpenOrActivate(folder.Get(), TOpenFlight::NoFlight))
                top = opened;
    if (top)
        ExplorerBrowse(top->AbsoluteIDList());
    levels.PlaceCamera(top);
}

void TSceneObjects::Resize(int32_t width, int32_t height, int32_t split) {
    FViewportManager->SetSize(FExplorerViewport, split, height);
    FViewportManager->SetViewport(FSceneViewport, TViewport{split, 0, width - split, height});
    FFilterEdit->Reposition();
    if (FExplorer)
        FExplorer->SetBounds(split, height);
}

void TSceneObjects::ExplorerBrowse(const TIDList* folder) {
    if (FExplorer)
        FExplorer->NavigateTo(folder, false);
}

void TSceneObjects::ExplorerParent() {
    if (FExplorer)
        FExplorer->GoToParent();
}

void TSceneObjects::ExplorerBack() {
    if (FExplorer)
        FExplorer->GoBack();
}

void TSceneObjects::ExplorerForward() {
    if (FExplorer)
        FExplorer->GoForward();
}

// The current level's focused item, renamed in the pane, which shows that level's folder.
void TSceneObjects::ExplorerRenameFocused() {
    TFolderView* current = FLevels->Levels().Current();
    TFSEView* focused = FLevels->Levels().FocusedItem();
    if (!FExplorer || !current || !focused)
        return;
    FExplorer->NavigateTo(current->AbsoluteIDList(), false);
    FExplorer->RenameItem(focused->ChildIDList());
}

void TSceneObjects::ExplorerRefresh() {
    if (FExplorer)
        FExplorer->Refresh();
}

void TSceneObjects::ExplorerNewFolder() {
    TFolderView* current = FLevels->Levels().Current();
    if (!FExplorer || !current)
        return;
    FExplorer->NavigateTo(current->AbsoluteIDList(), false);
    FExplorer->NewFolder();
}

bool TSceneObjects::ExplorerHasFocus() const {
    return FExplorer && FExplorer->HasFocus();
}

void TSceneObjects::MoveSplit(int32_t x) {
    if (FSite.MoveSplit)
        FSite.MoveSplit(x);
}

void TSceneObjects::DeleteSelection(TFolderView& view, bool allowUndo) {
    ::DeleteSelection(view, allowUndo);
}

void TSceneObjects::CopySelection() {
    if (TFolderView* current = FLevels->Levels().Current())
        CopySelectionToClipboard(*current);
}

void TSceneObjects::CopyFullPath(const std::u16string& path) {
    CopyTextToClipboard(FWindow.MainWindow(), path);
}

void TSceneObjects::Paste() {
    if (TFolderView* current = FLevels->Levels().Current())
        PasteIntoFolder(*current);
}

void TSceneObjects::StartDrag(TFolderView& view) {
    DragSelection(view);
}

void TSceneObjects::ShowHelp() {
    ::ShowHelp(FWindow.MainWindow(), RussianUI);
}

bool TSceneObjects::ShowContextMenu(const std::u16string& path, int32_t x, int32_t y) {
    const TCommandContext context{FLevels->Levels(), *this,
                                  [path] { return std::optional<std::u16string>(path); },
                                  [this] { FWindow.RequestRedraw(); }};
    return ShowItemContextMenu(FWindow.MainWindow(), x, y, path, [&context](TSceneCommand command) {
        RunSceneCommand(command, context);
    });
}
