#include "interact/Shortcuts.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include "base/WinString.h"
#include "services/IDListWin.h"
#include "services/ShellNamesWin.h"
#include "services/WStrUtils.h"

using Microsoft::WRL::ComPtr;

namespace {

const char16_t ShortcutSuffix[] = u" - Shortcut.lnk";

bool Exists(const std::u16string& path) {
    return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(AsWide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The target's last component as a file name: a folder's trailing backslash and the colon of
// a drive root (C:\ gives C) cannot be part of one.
std::u16string ShortcutBaseName(const std::u16string& target) {
    std::u16string name = ExtractLastComponent(target);
    std::erase_if(name, [](char16_t c) {
        return std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
    });
    return name;
}

// The shell's numbered variant of fileName in folder. Wine's PathMakeUniqueName succeeds
// without writing a name, so an empty or taken answer falls back to the newer call.
std::u16string UniqueName(const std::u16string& folder, const std::u16string& fileName) {
    wchar_t unique[MAX_PATH] = {};
    if (PathMakeUniqueName(unique, MAX_PATH, AsWide(fileName), AsWide(fileName), AsWide(folder)) &&
        unique[0] && !Exists(FromWide(unique)))
        return FromWide(unique);
    std::u16string directory = folder;
    NormalizeTrailingBackslash(directory);
    unique[0] = 0;
    if (PathYetAnotherMakeUniqueName(unique, AsWide(directory), nullptr, AsWide(fileName)) &&
        unique[0] && !Exists(FromWide(unique)))
        return FromWide(unique);
    return {};
}

struct TShellLink {
    ComPtr<IShellLinkW> Link;
    ComPtr<IPersistFile> File;
};

TShellLink NewShellLink() {
    TShellLink link;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&link.Link))))
        link.Link.As(&link.File);
    return link;
}

TOwnedIDList ParsePath(const std::u16string& path) {
    TOwnedIDList parsed;
    ComPtr<IShellFolder> desktop;
    if (path.empty() || FAILED(SHGetDesktopFolder(&desktop)))
        return parsed;
    std::wstring name = ToWide(path);
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, name.data(), nullptr,
                                         reinterpret_cast<PIDLIST_RELATIVE*>(parsed.Receive()),
                                         nullptr)))
        parsed.Reset();
    return parsed;
}

// The target list of the shortcut file at path; none when it is no shortcut. A file-system
// target is parsed from its path anew: Wine stores a folder target as a file item, which
// the shell then refuses to bind as a folder. GetIDList answers S_FALSE with no list for a
// link without one.
TOwnedIDList LoadTarget(const std::u16string& path, std::u16string* targetPath) {
    TShellLink link = NewShellLink();
    if (!link.Link || !link.File || FAILED(link.File->Load(AsWide(path), STGM_READ)))
        return {};
    wchar_t buffer[MAX_PATH] = {};
    WIN32_FIND_DATAW found{};
    if (FAILED(link.Link->GetPath(buffer, MAX_PATH, &found, SLGP_UNCPRIORITY)))
        buffer[0] = 0;
    if (targetPath)
        *targetPath = FromWide(buffer);
    TOwnedIDList target = ParsePath(FromWide(buffer));
    if (!target &&
        FAILED(link.Link->GetIDList(reinterpret_cast<PIDLIST_ABSOLUTE*>(target.Receive()))))
        target.Reset();
    return target;
}

} // namespace

std::u16string CreateShortcut(const std::u16string& target, const std::u16string& folder,
                              const std::u16string& description, const std::u16string& arguments) {
    if (!IsDirectory(folder))
        return {};
    const std::u16string name = ShortcutBaseName(target);
    if (name.empty())
        return {};
    const std::u16string fileName = name + ShortcutSuffix;
    std::u16string directory = folder;
    NormalizeTrailingBackslash(directory);
    std::u16string path = directory + fileName;
    // The wide test: a name outside the system code page would look absent to the ANSI one
    // and the shortcut there would be replaced.
    if (Exists(path))
        path = UniqueName(folder, fileName);
    if (path.empty())
        return {};
    TShellLink link = NewShellLink();
    if (!link.Link || !link.File)
        return {};
    link.Link->SetArguments(AsWide(arguments));
    link.Link->SetDescription(AsWide(description));
    link.Link->SetPath(AsWide(target));
    if (FAILED(link.File->Save(AsWide(path), FALSE)))
        return {};
    return path;
}

bool ResolveShortcutPath(const std::u16string& path, std::u16string* targetPath,
                         TOwnedIDList& target) {
    target.Reset();
    const TOwnedIDList parsed = ParsePath(path);
    bool resolved = false;
    if (IsDirectory(path)) {
        target = parsed.Clone();
        resolved = static_cast<bool>(target);
    } else {
        target = LoadTarget(path, targetPath);
        resolved = static_cast<bool>(target);
    }
    if (!target)
        target = parsed.Clone();
    if (targetPath && targetPath->empty())
        *targetPath = path;
    return resolved;
}

bool ResolveShortcutIDList(const TIDList* absolute, TOwnedIDList& target) {
    target.Reset();
    bool resolved = false;
    ComPtr<IShellFolder> parent;
    PCUITEMID_CHILD child = nullptr;
    if (absolute &&
        SUCCEEDED(SHBindToParent(AsAbsolute(absolute), IID_PPV_ARGS(&parent), &child))) {
        SFGAOF attributes = SFGAO_FOLDER;
        if (SUCCEEDED(parent->GetAttributesOf(1, &child, &attributes)) &&
            (attributes & SFGAO_FOLDER)) {
            resolved = true;
        } else {
            const std::u16string path = ChildDisplayName(parent.Get(), child, TNameKind::Parsing);
            if (!path.empty()) {
                target = LoadTarget(path, nullptr);
                resolved = static_cast<bool>(target);
            }
        }
    }
    if (!target)
        target.Reset(CloneIDList(absolute));
    return resolved;
}
