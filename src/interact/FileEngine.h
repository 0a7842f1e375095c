#pragma once
// Every change the program makes to the file system, always through the shell so that its
// progress, confirmations, Recycle Bin and undo apply; and the clipboard's file commands.
#include <windows.h>
#include <objidl.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <string>

#include "interact/PathList.h"
#include "services/OwnedIDList.h"

class TFolderView;

// The selected items' paths, in item order.
TPathList BuildSelectedPathList(const TFolderView& view);

// The paths of a CF_HDROP handle, every file in order.
TPathList PathListFromHDrop(HDROP drop);

// Deletes the paths after the shell's confirmation; with allowUndo into the Recycle Bin.
void DeletePaths(const TPathList& list, bool allowUndo);
void DeleteSelection(const TFolderView& view, bool allowUndo);
void DeleteDroppedFiles(HDROP drop, bool allowUndo);
// Moves the files a data object carries into the Recycle Bin, after the shell's question.
void RecycleDroppedFiles(IDataObject& data);

// A new folder of that name in the parent, or the shell's numbered variant of the name when it
// is taken; its absolute ID list, none when it could not be made.
TOwnedIDList CreateNewFolder(const std::u16string& parent, const std::u16string& name);

// Copies (FO_COPY) or moves (FO_MOVE) the files a data object carries into a folder, with
// the shell's own dialogs. Nothing goes into itself or into a folder of its own, an item
// moved where it is stays, and one copied where it is gets the shell's numbered name.
void TransferFiles(IDataObject& data, const std::u16string& folder, UINT operation);
// The first file a data object carries, empty when it carries none.
std::u16string FirstDroppedPath(IDataObject& data);

// The data object of a view's selection: CF_HDROP and "Shell IDList Array". None without a
// selection or memory.
Microsoft::WRL::ComPtr<IDataObject> CreateFileDataObject(const TFolderView& view);

void CopySelectionToClipboard(const TFolderView& view);
void PasteIntoFolder(const TFolderView& view);
// Puts text alone on the clipboard (an empty text too); false when the clipboard refused.
bool CopyTextToClipboard(HWND owner, const std::u16string& text);
