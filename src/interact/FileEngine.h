#pragma once
// Every change the program makes to the file system, always through the shell so that its
// progress, confirmations, Recycle Bin and undo apply; and the clipboard's file commands.
#include <windows.h>
#include <objidl.h>
#include <wrl/client.h>

#include <string>

#include "interact/PathList.h"

class TFolderView;

// The selected items' paths, in item order.
TPathList BuildSelectedPathList(const TFolderView& view);

// Deletes the paths after the shell's confirmation; with allowUndo into the Recycle Bin.
void DeletePaths(const TPathList& list, bool allowUndo);
void DeleteSelection(const TFolderView& view, bool allowUndo);

// Copies (FO_COPY) or moves (FO_MOVE) the files a data object carries into a folder, with
// the shell's own dialogs. A drop of a folder onto itself does nothing.
void TransferFiles(IDataObject& data, const std::u16string& folder, UINT operation);

// The data object of a view's selection: CF_HDROP and "Shell IDList Array". None without a
// selection or memory.
Microsoft::WRL::ComPtr<IDataObject> CreateSelectionDataObject(const TFolderView& view);

void CopySelectionToClipboard(const TFolderView& view);
void PasteIntoFolder(const TFolderView& view);
// Puts text alone on the clipboard (an empty text too); false when the clipboard refused.
bool CopyTextToClipboard(HWND owner, const std::u16string& text);
