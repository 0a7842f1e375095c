#include "services/ShellNamesWin.h"

#include "base/Handles.h"
#include "base/WinString.h"
#include "services/IDListWin.h"
#include "services/OwnedIDList.h"
#include "services/WStrUtils.h"

#include <shlwapi.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// A parsing name this long may have been cut: some shells (Wine's among them) fill a MAX_PATH
// buffer and stop.
constexpr size_t MaybeCut = MAX_PATH - 1;

std::u16string NameOf(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags) {
    STRRET name{};
    if (FAILED(folder->GetDisplayNameOf(child, flags, &name)))
        return {};
    TCoTaskMem<wchar_t> text;
    if (FAILED(StrRetToStrW(&name, child, text.Receive())))
        return {};
    return FromWide(text.Get());
}

// Rebuilds a parsing name item by item from the desktop: the shell's full name for as long as
// it is short enough to be whole, then the in-folder names joined with backslashes.
std::u16string LongParsingName(PCIDLIST_ABSOLUTE absolute) {
    ComPtr<IShellFolder> folder;
    if (FAILED(SHGetDesktopFolder(&folder)))
        return {};
    std::u16string path;
    for (PCUIDLIST_RELATIVE rest = absolute; !ILIsEmpty(rest); rest = ILNext(rest)) {
        if (rest->mkid.cb < 2)
            return {};
        TOwnedIDList item(FromShell(ILCloneFirst(rest)));
        if (!item)
            return {};
        const std::u16string full = NameOf(folder.Get(), AsChild(item.Get()), SHGDN_FORPARSING);
        if (!full.empty() && full.size() < MaybeCut) {
            path = full;
        } else {
            const std::u16string inFolder =
                NameOf(folder.Get(), AsChild(item.Get()), SHGDN_INFOLDER | SHGDN_FORPARSING);
            if (path.empty() || inFolder.empty())
                return full;
            NormalizeTrailingBackslash(path);
            path += inFolder;
        }
        if (ILIsEmpty(ILNext(rest)))
            break;
        ComPtr<IShellFolder> inner;
        if (FAILED(folder->BindToObject(AsRelative(item.Get()), nullptr, IID_PPV_ARGS(&inner))))
            return {};
        folder = inner;
    }
    return path;
}

std::u16string ParsingName(IShellFolder* folder, PCUITEMID_CHILD child) {
    std::u16string name = NameOf(folder, child, SHGDN_FORPARSING);
    if (name.size() < MaybeCut)
        return name;
    ComPtr<IPersistFolder2> persist;
    LPITEMIDLIST folderList = nullptr;
    if (FAILED(folder->QueryInterface(IID_PPV_ARGS(&persist))) ||
        FAILED(persist->GetCurFolder(&folderList)))
        return name;
    TOwnedIDList owned(FromShell(folderList));
    TOwnedIDList absolute(ConcatIDLists(owned.Get(), FromShell(child)));
    const std::u16string rebuilt = absolute ? LongParsingName(AsAbsolute(absolute.Get())) : u"";
    return rebuilt.size() > name.size() ? rebuilt : name;
}

} // namespace

std::u16string ChildDisplayName(IShellFolder* folder, PCUITEMID_CHILD child, TNameKind kind) {
    if (!folder)
        return {};
    switch (kind) {
    case TNameKind::Parsing:
        return ParsingName(folder, child);
    case TNameKind::Normal:
        return NameOf(folder, child, SHGDN_NORMAL);
    case TNameKind::Editing:
        return NameOf(folder, child, SHGDN_FOREDITING);
    }
    return {};
}
