#include "base/Handles.h"
#include "model/ShellNamespaceWin.h"

#include "base/BaseDefs.h"
#include "base/WinString.h"
#include "model/LinguisticCompare.h"
#include "model_temp_folder.h"
#include "services/IDListWin.h"
#include "services/WStrUtils.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <map>

namespace {

// What the shell reports of one child of a folder.
struct TSeen {
    std::u16string Parsing, Normal, Editing;
    uint32_t Attributes = 0;
    bool HasData = false;
    TFileData Data;
};

std::map<std::u16string, TSeen> ReadFolder(TNamespaceFolder& folder) {
    std::map<std::u16string, TSeen> seen;
    auto children = folder.EnumerateChildren();
    if (!children)
        return seen;
    while (TOwnedIDList child = children->Next()) {
        TSeen item;
        item.Parsing = folder.DisplayName(child.Get(), TNameKind::Parsing);
        item.Normal = folder.DisplayName(child.Get(), TNameKind::Normal);
        item.Editing = folder.DisplayName(child.Get(), TNameKind::Editing);
        item.Attributes = AttrFolder | AttrFileSystem | AttrHidden;
        folder.QueryAttributes(child.Get(), item.Attributes);
        item.HasData = folder.FileData(child.Get(), item.Data);
        seen[ExtractLastComponent(item.Parsing)] = item;
    }
    return seen;
}

uint64_t Join(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

class ShellNamespace : public ::testing::Test {
protected:
    TOleScope Ole;

    std::shared_ptr<TNamespaceFolder> FolderAt(const std::wstring& path) {
        TOwnedIDList list = Shell.ParseName(FromWide(path));
        return list ? Shell.BindToFolder(list.Get()) : nullptr;
    }

    TWinShellNamespace Shell;
    TTempFolder Temp;
};

const std::wstring Smile = L"\U0001F600";

} // namespace

TEST_F(ShellNamespace, ReadsWhatTheFileSystemHolds) {
    const std::wstring names[] = {L"plain.txt",  L"Документ.txt", Smile + L" smile.txt",
                                  L"hidden.dat", L"system.sys",   L"empty"};
    for (size_t i = 0; i < std::size(names); ++i) {
        const std::string bytes(i * 7, 'x');
        ASSERT_TRUE(TTempFolder::WriteFileBytes(Temp / names[i], bytes.data(),
                                                static_cast<DWORD>(bytes.size())));
    }
    ASSERT_TRUE(CreateDirectoryW((Temp / L"ελληνικά").c_str(), nullptr));
    SetFileAttributesW((Temp / L"hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((Temp / L"system.sys").c_str(),
                       FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const FILETIME old = {0x12345600, 0x01D00000}; // 2014
    {
        TFileHandle file(CreateFileW((Temp / L"plain.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        SetFileTime(file.Get(), nullptr, nullptr, &old);
    }

    auto folder = FolderAt(Temp.Path());
    ASSERT_TRUE(folder);
    const auto seen = ReadFolder(*folder);
    const auto onDisk = TTempFolder::List(Temp.Path());
    ASSERT_EQ(seen.size(), onDisk.size());
    for (const std::wstring& name : onDisk) {
        SCOPED_TRACE(Utf16ToUtf8(FromWide(name)));
        const auto found = seen.find(FromWide(name));
        ASSERT_NE(found, seen.end());
        const TSeen& item = found->second;
        EXPECT_EQ(item.Parsing, FromWide(Temp / name));
        EXPECT_EQ(item.Editing, FromWide(name));
        EXPECT_TRUE(item.Normal == FromWide(name) ||
                    item.Normal + FindExtension(item.Parsing) == FromWide(name));

        WIN32_FIND_DATAW data{};
        TFindHandle(FindFirstFileW((Temp / name).c_str(), &data));
        ASSERT_TRUE(item.HasData);
        EXPECT_EQ(item.Data.Size,
                  (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
        EXPECT_EQ(item.Data.WriteTime, Join(data.ftLastWriteTime));
        EXPECT_EQ(item.Data.Attributes, data.dwFileAttributes);
        const bool directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        EXPECT_EQ((item.Attributes & AttrFolder) != 0, directory);
        EXPECT_NE(item.Attributes & AttrFileSystem, 0u);
        EXPECT_EQ((item.Attributes & AttrHidden) != 0,
                  (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0);
    }
    EXPECT_EQ(seen.at(u"plain.txt").Data.WriteTime, Join(old));
    EXPECT_EQ(seen.at(u"empty").Data.Size, 35u);
}

TEST_F(ShellNamespace, FolderAndFileSystemTests) {
    ASSERT_TRUE(CreateDirectoryW((Temp / L"sub").c_str(), nullptr));
    ASSERT_TRUE(TTempFolder::WriteFileBytes(Temp / L"file.bin", "abc", 3));
    TOwnedIDList sub = Shell.ParseName(FromWide(Temp / L"sub"));
    TOwnedIDList fileList = Shell.ParseName(FromWide(Temp / L"file.bin"));
    ASSERT_TRUE(sub && fileList);

    TParentAndChild parent = Shell.BindToParent(fileList.Get());
    ASSERT_TRUE(parent.Parent);
    EXPECT_EQ(parent.Child, LastIDListItem(fileList.Get()));
    EXPECT_EQ(parent.Parent->DisplayName(parent.Child, TNameKind::Parsing),
              FromWide(Temp / L"file.bin"));
    EXPECT_EQ(FolderKind(parent.Parent.get(), parent.Child), TFolderKind::NotFolder);
    EXPECT_TRUE(IsFileSystem(parent.Parent.get(), parent.Child));
    EXPECT_EQ(FolderKind(nullptr, parent.Child), TFolderKind::NoFolderObject);

    TParentAndChild subParent = Shell.BindToParent(sub.Get());
    EXPECT_EQ(FolderKind(subParent.Parent.get(), subParent.Child), TFolderKind::Folder);
    EXPECT_FALSE(Shell.BindToFolder(fileList.Get()));
    auto bound = Shell.BindToFolder(sub.Get());
    ASSERT_TRUE(bound);
    EXPECT_TRUE(ReadFolder(*bound).empty());
    EXPECT_TRUE(bound->SameKind(*parent.Parent));
    EXPECT_FALSE(bound->SameKind(*Shell.Desktop()));
}

TEST_F(ShellNamespace, PathsBeyondMaxPathComeBackWhole) {
    std::wstring path = Temp.Path();
    const std::wstring part(60, L'д');
    std::vector<std::wstring> levels;
    while (path.size() < 400) {
        path += L"\\" + part;
        ASSERT_TRUE(CreateDirectoryW(TTempFolder::Long(path).c_str(), nullptr));
        levels.push_back(path);
    }
    const std::wstring deepFile = path + L"\\" + Smile + L"deep.txt";
    ASSERT_TRUE(TTempFolder::WriteFileBytes(deepFile, "12345", 5));

    // Walk down the way the model opens folders: child by child, joining the ID lists. A shell
    // that cannot list a folder beyond MAX_PATH shows it empty; what it does list must be whole.
    TOwnedIDList absolute = Shell.ParseName(FromWide(Temp.Path()));
    ASSERT_TRUE(absolute);
    auto folder = Shell.BindToFolder(absolute.Get());
    size_t longest = 0;
    for (size_t depth = 0; folder && depth <= levels.size(); ++depth) {
        auto children = folder->EnumerateChildren();
        TOwnedIDList child = children ? children->Next() : TOwnedIDList();
        if (!child)
            break;
        const std::u16string parsing = folder->DisplayName(child.Get(), TNameKind::Parsing);
        EXPECT_EQ(parsing, FromWide(depth < levels.size() ? levels[depth] : deepFile));
        longest = std::max(longest, parsing.size());
        TFileData data;
        EXPECT_TRUE(folder->FileData(child.Get(), data));
        if (depth == levels.size()) {
            EXPECT_EQ(data.Size, 5u);
            break;
        }
        EXPECT_NE(data.Attributes & FileAttrDirectory, 0u);
        absolute = TOwnedIDList(ConcatIDLists(absolute.Get(), child.Get()));
        folder = Shell.BindToFolder(absolute.Get());
    }
    EXPECT_GT(longest, 260u);
}

TEST_F(ShellNamespace, DesktopComputerAndRecycleBinBindAndEnumerate) {
    auto desktop = Shell.Desktop();
    ASSERT_TRUE(desktop);
    EXPECT_EQ(desktop, Shell.Desktop());
    TOwnedIDList desktopList = Shell.SpecialFolder(TSpecialFolder::Desktop);
    ASSERT_TRUE(desktopList);
    EXPECT_TRUE(IsEmptyIDList(desktopList.Get()));
    EXPECT_EQ(Shell.BindToFolder(desktopList.Get()), desktop);
    EXPECT_FALSE(ReadFolder(*desktop).empty());

    TOwnedIDList computerList = Shell.SpecialFolder(TSpecialFolder::Computer);
    ASSERT_TRUE(computerList);
    auto computer = Shell.BindToFolder(computerList.Get());
    ASSERT_TRUE(computer);
    const auto drives = ReadFolder(*computer);
    EXPECT_TRUE(std::any_of(drives.begin(), drives.end(),
                            [](const auto& item) { return item.second.Parsing == u"C:\\"; }));
    EXPECT_FALSE(computer->SameKind(*desktop));
    TParentAndChild computerParent = Shell.BindToParent(computerList.Get());
    EXPECT_EQ(computerParent.Parent, desktop);
    EXPECT_FALSE(
        computerParent.Parent->DisplayName(computerParent.Child, TNameKind::Normal).empty());

    TOwnedIDList binList = Shell.SpecialFolder(TSpecialFolder::RecycleBin);
    ASSERT_TRUE(binList);
    auto bin = Shell.BindToFolder(binList.Get());
    ASSERT_TRUE(bin);
    ReadFolder(*bin); // may well be empty; it must enumerate without failing
    EXPECT_FALSE(IDListEqual(binList.Get(), computerList.Get()));
}

TEST_F(ShellNamespace, LaunchRunsAnItem) {
    const std::wstring marker = Temp / L"ran.txt";
    const std::string script = "@echo ran> \"" + Utf16ToUtf8(FromWide(marker)) + "\"\r\n";
    ASSERT_TRUE(TTempFolder::WriteFileBytes(Temp / L"job.bat", script.data(),
                                            static_cast<DWORD>(script.size())));
    TOwnedIDList job = Shell.ParseName(FromWide(Temp / L"job.bat"));
    ASSERT_TRUE(job);
    EXPECT_TRUE(Launch(Shell, job.Get()));
    for (int wait = 0; wait < 100 && GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++wait)
        Sleep(100);
    EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Shell.Execute(nullptr, true));
}

TEST_F(ShellNamespace, ComparisonsAgreeWithThePortableStandIn) {
    const std::pair<std::u16string, std::u16string> pairs[] = {
        {u"apple", u"Banana"}, {u"a", u"A"},        {u"B", u"a"},    {u"abc", u"abd"},
        {u"ab", u"ABC"},       {u"Елена", u"ёлка"}, {u"Жук", u"ёж"}, {u"яма", u"Яблоко"},
        {u"file10", u"file2"}, {u"x", u"x"},        {u"", u"a"},     {u"Zeta", u"альфа"},
    };
    for (const auto& [a, b] : pairs) {
        SCOPED_TRACE(Utf16ToUtf8(a + u" / " + b));
        auto sign = [](int v) { return (v > 0) - (v < 0); };
        EXPECT_EQ(sign(Shell.Compare(a, b)), sign(CompareLinguistic(a, b)));
        const int n = static_cast<int>(std::min(a.size(), b.size()));
        EXPECT_EQ(Shell.CompareNoCase(a, b, n) == 0, CompareLinguisticNoCase(a, b, n) == 0);
        EXPECT_EQ(Shell.ContainsNoCase(a, b), ContainsNoCase(a, b));
    }
    EXPECT_TRUE(Shell.ContainsNoCase(u"Мои ДОКУМЕНТЫ", u"документ"));
    EXPECT_EQ(Shell.CompareNoCase(u"ДОКУМЕНТ", u"документы", 8), 0);
    for (const std::u16string name :
         {u"C:\\a\\File.txt", u"C:\\Dir.d\\File", u"a.b c", u".profile", u"x.tar.gz", u""}) {
        EXPECT_EQ(Shell.Extension(name), FindExtension(name)) << Utf16ToUtf8(name);
    }
}
