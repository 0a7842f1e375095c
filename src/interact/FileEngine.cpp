#include "interact/FileEngine.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/Handles.h"
#include "base/WinString.h"
#include "interact/DataObject.h"
#include "interact/ShellIDListArray.h"
#include "model/FolderView.h"
#include "services/IDListWin.h"
#include "services/WStrUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

FORMATETC HDropFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

CLIPFORMAT IDListArrayFormat() {
    static const CLIPFORMAT format =
        static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST));
    return format;
}

// The shell wants both of its lists ended by two zeros.
std::u16string DoubleZeroEnded(const std::u16string& path) {
    return path + std::u16string(2, u'\0');
}

std::vector<const TFSEView*> SelectedItems(const TFolderView& view) {
    std::vector<const TFSEView*> items;
    for (int32_t i = 0; i < view.Count(); ++i)
        if (view.ItemAt(i)->Selected())
            items.push_back(view.ItemAt(i));
    return items;
}

// Names in an older program's drop are in the system code page.
std::u16string FromSystemCodePage(std::string_view text) {
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return FromWide(std::wstring_view(wide));
}

// The paths of a CF_HDROP block, read only within the block: another program's block may lie
// about where its list starts or lack its final zero.
std::vector<std::u16string> PathsOfDropBlock(HGLOBAL block) {
    TGlobalLock lock(block);
    if (!lock.Data())
        return {};
    auto read = ReadDropFiles(std::span(static_cast<const uint8_t*>(lock.Data()), lock.Size()),
                              FromSystemCodePage);
    return read ? std::move(*read) : std::vector<std::u16string>();
}

// The paths a data object's CF_HDROP carries; none when it has none.
std::vector<std::u16string> DroppedPaths(IDataObject& data) {
    FORMATETC format = HDropFormat();
    if (data.QueryGetData(&format) != S_OK)
        return {};
    TStorageMedium medium;
    if (FAILED(data.GetData(&format, medium.Receive())) || !medium.Global())
        return {};
    return PathsOfDropBlock(medium.Global());
}

// A path without the backslash that may end it, a drive root's excepted.
std::u16string_view WithoutTrailingBackslash(std::u16string_view path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.remove_suffix(1);
    return path;
}

// Whether two paths name the same place, letters compared as the file system compares them.
bool SamePath(std::u16string_view a, std::u16string_view b) {
    a = WithoutTrailingBackslash(a);
    b = WithoutTrailingBackslash(b);
    return CompareStringOrdinal(AsWide(std::u16string(a)), static_cast<int>(a.size()),
                                AsWide(std::u16string(b)), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// Whether folder is path itself or lies somewhere inside it.
bool IsSameOrInside(std::u16string_view folder, std::u16string_view path) {
    folder = WithoutTrailingBackslash(folder);
    path = WithoutTrailingBackslash(path);
    if (SamePath(folder, path))
        return true;
    std::u16string within(path);
    if (!within.ends_with(u'\\'))
        within += u'\\';
    return folder.size() > within.size() && SamePath(folder.substr(0, within.size()), within);
}

// Whether path is an item of folder itself.
bool IsIn(std::u16string_view path, std::u16string_view folder) {
    return SamePath(ExtractDirectory(WithoutTrailingBackslash(path)), folder);
}

bool AnyItemOf(const std::vector<std::u16string>& paths, std::u16string_view folder) {
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::u16string& path) { return IsIn(path, folder); });
}

// The drive or share a path lies on, as the shell names it: C:\ or \\server\share.
std::u16string RootOf(std::u16string_view path) {
    std::wstring root(AsWide(std::u16string(path)));
    PathStripToRootW(root.data());
    return FromWide(std::wstring_view(root.c_str()));
}

bool AnyOnAnotherRoot(const std::vector<std::u16string>& paths, std::u16string_view folder) {
    const std::u16string root = RootOf(folder);
    return std::any_of(paths.begin(), paths.end(),
                       [&](const std::u16string& path) { return !SamePath(RootOf(path), root); });
}

// Where each path lands when copied into folder: its own name, or for an item of the folder
// itself the shell's numbered variant of it ("a (2).txt").
std::vector<std::u16string> CopyDestinations(const std::vector<std::u16string>& paths,
                                             const std::u16string& folder) {
    std::u16string directory = folder;
    NormalizeTrailingBackslash(directory);
    std::vector<std::u16string> destinations;
    for (const std::u16string& path : paths) {
        std::u16string name = ExtractLastComponent(WithoutTrailingBackslash(path));
        wchar_t unique[MAX_PATH] = {};
        if (IsIn(path, folder) &&
            PathYetAnotherMakeUniqueName(unique, AsWide(directory), nullptr, AsWide(name)))
            destinations.push_back(FromWide(std::wstring_view(unique)));
        else
            destinations.push_back(directory + name);
    }
    return destinations;
}

} // namespace

TPathList BuildSelectedPathList(const TFolderView& view) {
    std::vector<std::u16string> paths;
    for (const TFSEView* item : SelectedItems(view))
        paths.push_back(item->Path());
    return BuildPathList(paths);
}

TPathList PathListFromHDrop(HDROP drop) {
    return BuildPathList(PathsOfDropBlock(static_cast<HGLOBAL>(drop)));
}

void DeletePaths(const TPathList& list, bool allowUndo) {
    // Nothing to delete, or a whole drive, which the shell would empty after one question.
    if (list.size() < 2 || HoldsVolumeRoot(list))
        return;
    SHFILEOPSTRUCTW operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = AsWide(list);
    operation.fFlags = allowUndo ? FOF_ALLOWUNDO : 0;
    SHFileOperationW(&operation);
}

void DeleteSelection(const TFolderView& view, bool allowUndo) {
    DeletePaths(BuildSelectedPathList(view), allowUndo);
}

void RecycleDroppedFiles(IDataObject& data) {
    DeletePaths(BuildPathList(DroppedPaths(data)), true);
}

void DeleteDroppedFiles(HDROP drop, bool allowUndo) {
    DeletePaths(PathListFromHDrop(drop), allowUndo);
}

TOwnedIDList CreateNewFolder(const std::u16string& parent, const std::u16string& name) {
    std::u16string directory = parent;
    NormalizeTrailingBackslash(directory);
    wchar_t path[MAX_PATH] = {};
    if (directory.empty() ||
        !PathYetAnotherMakeUniqueName(path, AsWide(directory), nullptr, AsWide(name)))
        return {};
    if (SHCreateDirectoryExW(nullptr, path, nullptr) != ERROR_SUCCESS)
        return {};
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return {};
    TOwnedIDList folder;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, path, nullptr,
                                         reinterpret_cast<LPITEMIDLIST*>(folder.Receive()),
                                         nullptr)))
        return {};
    return folder;
}

void TransferFiles(IDataObject& data, const std::u16string& folder, UINT operation) {
    // Without a folder the shell would take the process's working directory.
    if (folder.empty())
        return;
    std::vector<std::u16string> paths = DroppedPaths(data);
    // A folder never goes into itself or into a folder of its own: the shell would copy it
    // without end, or move it away from under itself.
    if (std::any_of(paths.begin(), paths.end(),
                    [&](const std::u16string& path) { return IsSameOrInside(folder, path); }))
        return;
    // Moved where it already is, an item stays; Wine's shell would first ask to overwrite it.
    if (operation == FO_MOVE)
        std::erase_if(paths, [&](const std::u16string& path) { return IsIn(path, folder); });
    const TPathList list = BuildPathList(paths);
    if (paths.empty() || (operation == FO_MOVE && HoldsVolumeRoot(list)))
        return;
    SHFILEOPSTRUCTW shell{};
    shell.wFunc = operation;
    shell.pFrom = AsWide(list);
    // A copy into the folder an item is in gets a name of its own, as the shell names a new
    // folder, where Wine's shell would offer to overwrite the file with itself. A move to
    // another drive names each destination too: into a folder, Wine's shell cancels it.
    const bool intoOwnFolder = operation == FO_COPY && AnyItemOf(paths, folder);
    const bool toAnotherDrive = operation == FO_MOVE && AnyOnAnotherRoot(paths, folder);
    const std::u16string to = intoOwnFolder || toAnotherDrive
                                  ? BuildPathList(CopyDestinations(paths, folder))
                                  : DoubleZeroEnded(folder);
    if (intoOwnFolder || toAnotherDrive)
        shell.fFlags |= FOF_MULTIDESTFILES;
    shell.pTo = AsWide(to);
    SHFileOperationW(&shell);
}

std::u16string FirstDroppedPath(IDataObject& data) {
    const std::vector<std::u16string> paths = DroppedPaths(data);
    return paths.empty() ? std::u16string() : paths.front();
}

ComPtr<IDataObject> CreateFileDataObject(const TFolderView& view) {
    const std::vector<const TFSEView*> items = SelectedItems(view);
    if (items.empty())
        return nullptr;
    ComPtr<TDataObject> data;
    data.Attach(new TDataObject());
    if (!data->Add(CF_HDROP, BuildDropFiles(BuildSelectedPathList(view))))
        return nullptr;
    std::vector<const TIDList*> children;
    for (const TFSEView* item : items)
        children.push_back(item->ChildIDList());
    if (auto block = BuildIDListArray(view.AbsoluteIDList(), children))
        data->Add(IDListArrayFormat(), *block);
    return ComPtr<IDataObject>(data.Get());
}

void CopySelectionToClipboard(const TFolderView& view) {
    if (ComPtr<IDataObject> data = CreateFileDataObject(view))
        OleSetClipboard(data.Get());
}

void PasteIntoFolder(const TFolderView& view) {
    // A virtual folder (Computer, the Recycle Bin) takes no files: the shell would take its
    // "::{...}" name for a folder to create.
    if (!view.IsFileSystem())
        return;
    ComPtr<IDataObject> data;
    if (SUCCEEDED(OleGetClipboard(&data)) && data)
        TransferFiles(*data.Get(), view.Path(), FO_COPY);
}

bool CopyTextToClipboard(HWND owner, const std::u16string& text) {
    if (!OpenClipboard(owner))
        return false;
    // Only the text: files copied before must not stay beside it.
    EmptyClipboard();
    bool placed = false;
    const SIZE_T bytes = (text.size() + 1) * sizeof(char16_t);
    TGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    bool filled = false;
    if (block) {
        TGlobalLock lock(block.Get());
        if (lock.Data()) {
            std::memcpy(lock.Data(), text.c_str(), bytes);
            filled = true;
        }
    }
    // The clipboard owns the block once it took it; a refused block stays ours to free.
    if (filled && SetClipboardData(CF_UNICODETEXT, block.Get())) {
        block.Release();
        placed = true;
    }
    CloseClipboard();
    return placed;
}
