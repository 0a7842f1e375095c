// Shortcut files made and followed through the real shell link object.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>

#include "base/Handles.h"
#include "base/WinString.h"
#include "interact/Shortcuts.h"
#include "model_temp_folder.h"
#include "services/IDListWin.h"

using Microsoft::WRL::ComPtr;

namespace {

std::u16string U(const std::wstring& s) {
    return FromWide(s);
}

TOwnedIDList Parse(const std::wstring& path) {
    TOwnedIDList list;
    if (FAILED(SHParseDisplayName(path.c_str(), nullptr,
                                  reinterpret_cast<PIDLIST_ABSOLUTE*>(list.Receive()), 0, nullptr)))
        list.Reset();
    return list;
}

std::wstring PathOf(const TOwnedIDList& list) {
    wchar_t path[MAX_PATH] = {};
    if (!list || !SHGetPathFromIDListW(AsAbsolute(list.Get()), path))
        return {};
    return path;
}

std::wstring Description(const std::wstring& shortcut) {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    wchar_t text[MAX_PATH] = {};
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&link))) &&
        SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ)))
        link->GetDescription(text, MAX_PATH);
    return text;
}

class Shortcuts : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TTempFolder::WriteFileBytes(FFiles / L"Report.txt", "r", 1));
        ASSERT_TRUE(CreateDirectoryW((FFiles / L"Data").c_str(), nullptr));
    }

    TOleScope FOle;
    TTempFolder FFiles;
    TTempFolder FLinks;
};

} // namespace

TEST_F(Shortcuts, AreNamedAfterTheTargetAndNeverReplaceOne) {
    const std::wstring target = FFiles / L"Report.txt";
    const std::u16string first = CreateShortcut(U(target), U(FLinks.Path()), u"first", u"");
    EXPECT_EQ(first, U(FLinks / L"Report.txt - Shortcut.lnk"));
    const std::u16string second = CreateShortcut(U(target), U(FLinks.Path()), u"second", u"");
    ASSERT_FALSE(second.empty());
    EXPECT_NE(second, first);
    EXPECT_EQ(second.rfind(U(FLinks.Path() + L"\\"), 0), 0u) << "numbered in the same folder";
    EXPECT_EQ(FLinks.List(FLinks.Path()).size(), 2u);
    EXPECT_EQ(Description(ToWide(first)), L"first");
    EXPECT_EQ(Description(ToWide(second)), L"second");

    // A folder's trailing backslash and a drive's colon are no part of the name.
    EXPECT_EQ(CreateShortcut(U(FFiles / L"Data\\"), U(FLinks.Path()), u"", u""),
              U(FLinks / L"Data - Shortcut.lnk"));
    EXPECT_EQ(CreateShortcut(u"C:\\", U(FLinks.Path()), u"", u""), U(FLinks / L"C - Shortcut.lnk"));
}

TEST_F(Shortcuts, ANameOutsideTheCodePageIsSeenAsTaken) {
    const std::wstring target = FFiles / L"\u041e\u0442\u0447\u0451\u0442.txt";
    ASSERT_TRUE(TTempFolder::WriteFileBytes(target, "o", 1));
    const std::u16string first = CreateShortcut(U(target), U(FLinks.Path()), u"first", u"");
    EXPECT_EQ(first, U(FLinks / L"\u041e\u0442\u0447\u0451\u0442.txt - Shortcut.lnk"));
    const std::u16string second = CreateShortcut(U(target), U(FLinks.Path()), u"second", u"");
    EXPECT_NE(second, first);
    EXPECT_EQ(Description(ToWide(first)), L"first") << "the first shortcut was replaced";
    EXPECT_EQ(FLinks.List(FLinks.Path()).size(), 2u);
}

TEST_F(Shortcuts, AreMadeOnlyInAnExistingFolder) {
    const std::u16string target = U(FFiles / L"Report.txt");
    EXPECT_EQ(CreateShortcut(target, U(FFiles / L"Report.txt"), u"", u""), u"");
    EXPECT_EQ(CreateShortcut(target, U(FLinks / L"missing"), u"", u""), u"");
    EXPECT_TRUE(FLinks.List(FLinks.Path()).empty());
    EXPECT_EQ(FFiles.List(FFiles.Path()).size(), 2u);
}

TEST_F(Shortcuts, ResolveByPathToTheTargetOrThePathItself) {
    const std::wstring folder = FFiles / L"Data";
    const std::u16string shortcut = CreateShortcut(U(folder), U(FLinks.Path()), u"", u"");
    ASSERT_FALSE(shortcut.empty());

    std::u16string targetPath;
    TOwnedIDList target;
    EXPECT_TRUE(ResolveShortcutPath(shortcut, &targetPath, target));
    EXPECT_EQ(targetPath, U(folder));
    EXPECT_EQ(PathOf(target), folder);

    targetPath.clear();
    EXPECT_TRUE(ResolveShortcutPath(U(folder), &targetPath, target));
    EXPECT_EQ(targetPath, U(folder));
    EXPECT_TRUE(IDListEqual(target.Get(), Parse(folder).Get()));

    // A plain file is no shortcut: its own list, but no success.
    targetPath.clear();
    EXPECT_FALSE(ResolveShortcutPath(U(FFiles / L"Report.txt"), &targetPath, target));
    EXPECT_EQ(targetPath, U(FFiles / L"Report.txt"));
    EXPECT_EQ(PathOf(target), FFiles / L"Report.txt");

    targetPath.clear();
    EXPECT_FALSE(ResolveShortcutPath(U(FFiles / L"missing.lnk"), &targetPath, target));
    EXPECT_EQ(targetPath, U(FFiles / L"missing.lnk"));
    EXPECT_FALSE(target);
}

TEST_F(Shortcuts, ResolveByIDListToTheTargetOrACopy) {
    const std::wstring folder = FFiles / L"Data";
    const std::u16string shortcut = CreateShortcut(U(folder), U(FLinks.Path()), u"", u"");
    const TOwnedIDList link = Parse(ToWide(shortcut));
    ASSERT_TRUE(link);
    TOwnedIDList target;
    EXPECT_TRUE(ResolveShortcutIDList(link.Get(), target));
    EXPECT_EQ(PathOf(target), folder);
    // The folder model binds the target to read it as a level.
    ComPtr<IShellFolder> desktop, opened;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    EXPECT_EQ(desktop->BindToObject(AsRelative(target.Get()), nullptr, IID_PPV_ARGS(&opened)),
              S_OK);

    const TOwnedIDList data = Parse(folder);
    EXPECT_TRUE(ResolveShortcutIDList(data.Get(), target));
    EXPECT_TRUE(IDListEqual(target.Get(), data.Get()));
    EXPECT_NE(target.Get(), data.Get()) << "a copy the caller owns";

    const TOwnedIDList report = Parse(FFiles / L"Report.txt");
    EXPECT_FALSE(ResolveShortcutIDList(report.Get(), target));
    EXPECT_TRUE(IDListEqual(target.Get(), report.Get()));

    EXPECT_FALSE(ResolveShortcutIDList(nullptr, target));
    EXPECT_FALSE(target);
}
