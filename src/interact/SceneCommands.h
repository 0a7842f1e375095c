#pragma once
// What the scene's input asks of the parts around it: the main window's layout, the Explorer
// pane, the file commands, the shell's context menu, the outgoing drag and the help. The main
// window gives the ones that exist; the others do nothing until their parts are built.
#include <cstdint>
#include <string>

#include "services/IDLists.h"

class TFolderView;

class TSceneCommands {
public:
    virtual ~TSceneCommands() = default;

    // The strip's edge moved to x: the main window lays out its client area again.
    virtual void MoveSplit(int32_t) {}

    // The Explorer pane.
    virtual void ExplorerBrowse(const TIDList*) {}
    virtual void ExplorerParent() {}
    virtual void ExplorerBack() {}
    virtual void ExplorerForward() {}
    virtual void ExplorerRenameFocused() {}
    virtual void ExplorerRefresh() {}
    virtual void ExplorerNewFolder() {}
    // Whether the pane, not the main window, has the keyboard.
    virtual bool ExplorerHasFocus() const { return false; }

    // File commands on the current view.
    virtual void DeleteSelection(TFolderView&, bool /*allowUndo*/) {}
    virtual void CopySelection() {}
    // The path as the clipboard's only text (empty over empty space).
    virtual void CopyFullPath(const std::u16string&) {}
    virtual void Paste() {}

    // The shell's context menu for a path at client (x, y); false when none was shown.
    virtual bool ShowContextMenu(const std::u16string&, int32_t, int32_t) { return false; }
    // The outgoing drag of the view's selection; returns when the drag ended.
    virtual void StartDrag(TFolderView&) {}
    virtual void ShowHelp() {}
};
