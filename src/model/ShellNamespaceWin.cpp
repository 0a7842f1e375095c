#include "model/ShellNamespaceWin.h"

#include "base/Handles.h"
#include "base/WinString.h"
#include "services/IDListWin.h"
#include "services/ShellNamesWin.h"
#include "services/WStrUtils.h"

#include <shellapi.h>
#include <shlwapi.h>

using Microsoft::WRL::ComPtr;

namespace {

// Items of every kind, hidden and protected system ones included.
constexpr SHCONTF EnumerationFlags =
    SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN | SHCONTF_INCLUDESUPERHIDDEN;
static_assert(EnumerationFlags == 0x100E0);

class TWinChildEnumerator final : public TChildEnumerator {
public:
    explicit TWinChildEnumerator(ComPtr<IEnumIDList> enumerator)
        : FEnumerator(std::move(enumerator)) {}

    TOwnedIDList Next() override {
        TOwnedIDList child;
        ULONG fetched = 0;
        if (FEnumerator->Next(1, reinterpret_cast<LPITEMIDLIST*>(child.Receive()), &fetched) ==
                S_OK &&
            fetched == 1)
            return child;
        return {};
    }

private:
    ComPtr<IEnumIDList> FEnumerator;
};

// The class of a folder object, when it tells.
bool ClassOf(IShellFolder* folder, CLSID& id) {
    ComPtr<IPersist> persist;
    return SUCCEEDED(folder->QueryInterface(IID_PPV_ARGS(&persist))) &&
           SUCCEEDED(persist->GetClassID(&id));
}

const void* VTableOf(IShellFolder* folder) {
    return *reinterpret_cast<const void* const*>(folder);
}

uint64_t Join(DWORD high, DWORD low) {
    return (static_cast<uint64_t>(high) << 32) | low;
}

TFileData FileDataOf(const FILETIME& writeTime, DWORD sizeHigh, DWORD sizeLow, DWORD attributes) {
    return TFileData{Join(writeTime.dwHighDateTime, writeTime.dwLowDateTime),
                     Join(sizeHigh, sizeLow), attributes};
}

} // namespace

TWinShellFolder::TWinShellFolder(ComPtr<IShellFolder> folder) : FFolder(std::move(folder)) {}

IShellFolder* TWinShellFolder::NativeOf(const TNamespaceFolder* folder) {
    const auto* own = dynamic_cast<const TWinShellFolder*>(folder);
    return own ? own->Get() : nullptr;
}

std::unique_ptr<TChildEnumerator> TWinShellFolder::EnumerateChildren() {
    ComPtr<IEnumIDList> enumerator;
    // S_FALSE with no enumerator is the shell's way of saying "nothing to list".
    if (FFolder->EnumObjects(nullptr, EnumerationFlags, &enumerator) != S_OK || !enumerator)
        return nullptr;
    return std::make_unique<TWinChildEnumerator>(std::move(enumerator));
}

std::u16string TWinShellFolder::DisplayName(const TIDList* child, TNameKind kind) {
    return ChildDisplayName(FFolder.Get(), AsChild(child), kind);
}

bool TWinShellFolder::QueryAttributes(const TIDList* child, uint32_t& mask) {
    SFGAOF answer = mask;
    PCUITEMID_CHILD children[] = {AsChild(child)};
    if (FAILED(FFolder->GetAttributesOf(1, children, &answer)))
        return false;
    mask &= answer;
    return true;
}

bool TWinShellFolder::RecordedFindData(const TIDList* child, WIN32_FIND_DATAW& found) {
    static_assert(sizeof(found) == 592);
    return SUCCEEDED(SHGetDataFromIDListW(FFolder.Get(), AsChild(child), SHGDFIL_FINDDATA, &found,
                                          sizeof(found)));
}

bool TWinShellFolder::RecordedAttributes(const TIDList* child, uint32_t& attributes) {
    WIN32_FIND_DATAW found{};
    if (!RecordedFindData(child, found))
        return false;
    attributes = found.dwFileAttributes;
    return true;
}

bool TWinShellFolder::FileData(const TIDList* child, TFileData& data) {
    WIN32_FIND_DATAW found{};
    if (!RecordedFindData(child, found))
        return false;
    data = FileDataOf(found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow,
                      found.dwFileAttributes);
    // The shell answers from what the ID list recorded: times in two-second steps at best. The
    // file itself, when it is one, has the exact values.
    const std::u16string path = ExtendedLengthPath(DisplayName(child, TNameKind::Parsing));
    WIN32_FILE_ATTRIBUTE_DATA exact{};
    if (!path.empty() && GetFileAttributesExW(AsWide(path), GetFileExInfoStandard, &exact))
        data = FileDataOf(exact.ftLastWriteTime, exact.nFileSizeHigh, exact.nFileSizeLow,
                          exact.dwFileAttributes);
    return true;
}

std::shared_ptr<TNamespaceFolder> TWinShellFolder::Bind(const TIDList* relative) {
    ComPtr<IShellFolder> folder;
    if (!relative || IsEmptyIDList(relative) ||
        FAILED(FFolder->BindToObject(AsRelative(relative), nullptr, IID_PPV_ARGS(&folder))) ||
        !folder)
        return nullptr;
    return std::make_shared<TWinShellFolder>(std::move(folder));
}

bool TWinShellFolder::SameKind(const TNamespaceFolder& other) const {
    IShellFolder* theirs = NativeOf(&other);
    if (!theirs)
        return false;
    CLSID mine{}, their{};
    if (ClassOf(FFolder.Get(), mine) && ClassOf(theirs, their))
        return IsEqualCLSID(mine, their);
    return VTableOf(FFolder.Get()) == VTableOf(theirs);
}

std::shared_ptr<TNamespaceFolder> TWinShellNamespace::Desktop() {
    if (!FDesktop) {
        ComPtr<IShellFolder> desktop;
        if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop)
            return nullptr;
        FDesktop = std::make_shared<TWinShellFolder>(std::move(desktop));
    }
    return FDesktop;
}

TOwnedIDList TWinShellNamespace::SpecialFolder(TSpecialFolder folder) {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, static_cast<int>(folder), &list)))
        return {};
    return TOwnedIDList(FromShell(list));
}

TOwnedIDList TWinShellNamespace::ParseName(std::u16string_view name) {
    auto desktop = Desktop();
    if (!desktop || name.empty())
        return {};
    std::wstring text = ToWide(name); // the shell wants a writable buffer
    TOwnedIDList list;                // freed also when a failing parse left one behind
    if (FAILED(TWinShellFolder::NativeOf(desktop.get())
                   ->ParseDisplayName(nullptr, nullptr, text.data(), nullptr,
                                      reinterpret_cast<LPITEMIDLIST*>(list.Receive()), nullptr)))
        return {};
    return list;
}

std::shared_ptr<TNamespaceFolder> TWinShellNamespace::BindToFolder(const TIDList* absolute) {
    if (!absolute)
        return nullptr;
    if (IsEmptyIDList(absolute))
        return Desktop();
    auto desktop = Desktop();
    return desktop ? desktop->Bind(absolute) : nullptr;
}

TParentAndChild TWinShellNamespace::BindToParent(const TIDList* absolute) {
    if (!absolute)
        return {};
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD last = nullptr;
    if (FAILED(SHBindToParent(AsAbsolute(absolute), IID_PPV_ARGS(&parent), &last)) || !parent)
        return {};
    // Keep the one desktop object, so that identity tests on it hold.
    auto desktop = Desktop();
    ComPtr<IUnknown> parentIdentity, desktopIdentity;
    if (desktop && SUCCEEDED(parent.As(&parentIdentity)) &&
        SUCCEEDED(TWinShellFolder::NativeOf(desktop.get())
                      ->QueryInterface(IID_PPV_ARGS(&desktopIdentity))) &&
        parentIdentity.Get() == desktopIdentity.Get()) // mingw's ComPtr has no operator==
        return {desktop, FromShell(last)};
    return {std::make_shared<TWinShellFolder>(std::move(parent)), FromShell(last)};
}

bool TWinShellNamespace::Execute(const TIDList* absolute, bool quietly) {
    if (!absolute)
        return false;
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_IDLIST | (quietly ? SEE_MASK_FLAG_NO_UI : 0);
    info.hwnd = OwnerWindow;
    info.lpVerb = quietly ? nullptr : L"open";
    info.nShow = SW_SHOW;
    info.lpIDList = const_cast<TIDList*>(absolute);
    return ShellExecuteExW(&info) != FALSE;
}

int TWinShellNamespace::Compare(std::u16string_view a, std::u16string_view b) {
    return StrCmpW(ToWide(a).c_str(), ToWide(b).c_str());
}

bool TWinShellNamespace::SortKey(std::u16string_view text, std::string& key) {
    // StrCmpW compares with the thread's locale and no flags; keys of the same make give the
    // same order.
    const std::wstring wide = ToWide(text);
    const LCID locale = GetThreadLocale();
    const auto map = [&](int size) {
        key.resize(static_cast<size_t>(size));
        return LCMapStringW(locale, LCMAP_SORTKEY, wide.c_str(), -1,
                            reinterpret_cast<LPWSTR>(key.data()), size);
    };
    // Keys run to a few bytes a character; one call does unless the text is unusual.
    int written = map(static_cast<int>(wide.size()) * 8 + 32);
    if (written == 0) {
        const int needed = LCMapStringW(locale, LCMAP_SORTKEY, wide.c_str(), -1, nullptr, 0);
        written = needed > 0 ? map(needed) : 0;
    }
    if (written <= 0)
        return false;
    key.resize(static_cast<size_t>(written) - 1); // without the terminating zero byte
    return true;
}

int TWinShellNamespace::CompareNoCase(std::u16string_view a, std::u16string_view b, int count) {
    return StrCmpNIW(ToWide(a).c_str(), ToWide(b).c_str(), count);
}

bool TWinShellNamespace::ContainsNoCase(std::u16string_view text, std::u16string_view part) {
    return StrStrIW(ToWide(text).c_str(), ToWide(part).c_str()) != nullptr;
}

std::u16string TWinShellNamespace::Extension(std::u16string_view name) {
    const std::wstring text = ToWide(name);
    return FromWide(PathFindExtensionW(text.c_str()));
}

bool TWinShellNamespace::ListFileData(std::u16string_view folderPath, const TFileDataEntry& entry) {
    std::u16string pattern = ExtendedLengthPath(folderPath);
    if (pattern.empty())
        return false;
    if (pattern.back() != u'\\')
        pattern += u'\\';
    pattern += u'*';
    WIN32_FIND_DATAW found{};
    // The basic information in large batches where the system has them (Windows 7 on).
    TFindHandle find(FindFirstFileExW(AsWide(pattern), FindExInfoBasic, &found,
                                      FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find)
        find.Reset(FindFirstFileExW(AsWide(pattern), FindExInfoStandard, &found,
                                    FindExSearchNameMatch, nullptr, 0));
    if (!find)
        return false;
    do {
        const std::u16string_view name(reinterpret_cast<const char16_t*>(found.cFileName));
        if (name != u"." && name != u"..")
            entry(name, FileDataOf(found.ftLastWriteTime, found.nFileSizeHigh, found.nFileSizeLow,
                                   found.dwFileAttributes));
    } while (FindNextFileW(find.Get(), &found));
    return GetLastError() == ERROR_NO_MORE_FILES;
}
