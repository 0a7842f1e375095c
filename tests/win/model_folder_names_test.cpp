// The names and orders a level shows are the shell's own, item by item, on trees no test wrote
// and on a folder of odd names.
#include "model_levels_fixture.h"

#include "base/WinString.h"
#include "model/FolderOrder.h"

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

class FolderNames : public LevelsSceneTest {
protected:
    TFolderView* OpenPath(const std::wstring& path) {
        TOwnedIDList list = Shell.ParseName(FromWide(path));
        return list ? Levels().OpenOrActivate(list.Get(), TOpenFlight::NoFlight) : nullptr;
    }

    // Every item's names against what the shell says of it when asked about that item alone.
    static void ExpectTheShellsNames(TFolderView& view) {
        TNamespaceFolder& folder = *view.ShellFolder();
        for (int32_t i = 0; i < view.Count(); ++i) {
            const TFSEView& item = *view.ItemAt(i);
            EXPECT_EQ(ToWide(item.DisplayName()),
                      ToWide(folder.DisplayName(item.ChildIDList(), TNameKind::Normal)))
                << ToWide(item.Path());
            EXPECT_EQ(item.Path(), folder.DisplayName(item.ChildIDList(), TNameKind::Parsing));
        }
    }

    // Every item's size and time, as a size order read them, against the file's own.
    static void ExpectTheFilesData(TFolderView& view) {
        view.SetSortOrder(TSortOrder::SizeAscending);
        for (int32_t i = 0; i < view.Count(); ++i) {
            const TFSEView& item = *view.ItemAt(i);
            // A dangling link has no data of its own to compare with.
            WIN32_FILE_ATTRIBUTE_DATA data{};
            if (!GetFileAttributesExW(AsWide(item.Path()), GetFileExInfoStandard, &data))
                continue;
            EXPECT_EQ(item.Size(), (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow)
                << ToWide(item.Path());
            EXPECT_EQ(item.WriteTime(), (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                            data.ftLastWriteTime.dwLowDateTime)
                << ToWide(item.Path());
        }
    }

    static std::vector<std::wstring> Names(const TFolderView& view) {
        std::vector<std::wstring> names;
        for (int32_t i = 0; i < view.Count(); ++i)
            names.push_back(ToWide(view.ItemAt(i)->DisplayName()));
        return names;
    }

    // Both name orders against a plain sort of the same names with StrCmpW; names StrCmpW calls
    // equal may stand either way.
    static void ExpectStrCmpOrders(TFolderView& view) {
        for (TSortOrder mode : {TSortOrder::NameAscending, TSortOrder::NameDescending}) {
            view.SetSortOrder(mode);
            const std::vector<std::wstring> shown = Names(view);
            std::vector<std::wstring> plain = shown;
            const int sign = mode == TSortOrder::NameAscending ? 1 : -1;
            std::stable_sort(plain.begin(), plain.end(), [sign](const auto& a, const auto& b) {
                return sign * StrCmpW(a.c_str(), b.c_str()) < 0;
            });
            ASSERT_EQ(shown.size(), plain.size());
            for (size_t i = 0; i < shown.size(); ++i) {
                if (shown[i] != plain[i]) {
                    EXPECT_EQ(StrCmpW(shown[i].c_str(), plain[i].c_str()), 0)
                        << "mode " << int(mode) << " place " << i << ": " << shown[i] << " where "
                        << plain[i] << " belongs";
                }
            }
        }
    }
};

} // namespace

TEST_F(FolderNames, RealTreesShowTheShellsNamesInStrCmpOrder) {
    for (const wchar_t* path :
         {L"C:\\windows\\system32", L"Z:\\usr\\share\\doc", L"Z:\\usr\\lib\\x86_64-linux-gnu"}) {
        TFolderView* view = OpenPath(path);
        ASSERT_NE(view, nullptr) << path;
        EXPECT_GT(view->Count(), 100) << path;
        ExpectTheShellsNames(*view);
        ExpectStrCmpOrders(*view);
        ExpectTheFilesData(*view);
        Levels().CloseView(*view, false);
    }
}

TEST_F(FolderNames, OddNamesShowTheShellsNamesInEveryOrder) {
    const std::vector<std::wstring> files = {L"Отчёт за май.txt",
                                             L"отчёт.TXT",
                                             L"中文文件.doc",
                                             L"数据",
                                             L"😀 smile.txt",
                                             L"archive.tar.gz",
                                             L"several.dots.in.it.txt",
                                             L"no extension",
                                             L"trailing dot.",
                                             L".profile",
                                             L"a.b c",
                                             L"link.lnk",
                                             L"other link.lnk",
                                             L"site.url",
                                             L"UPPER.LNK",
                                             L"Zz.txt",
                                             L"aa.txt",
                                             L"Ab.txt",
                                             L"10.txt",
                                             L"9.txt",
                                             L"co-op.txt",
                                             L"coop.txt",
                                             L"co'op.txt",
                                             L"cop.txt",
                                             L"-dash.txt",
                                             L"dash.txt"};
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string bytes(i * 37 % 101, 'd');
        ASSERT_TRUE(TTempFolder::WriteFileBytes(Folder / files[i], bytes.data(),
                                                static_cast<DWORD>(bytes.size())))
            << files[i];
    }
    for (const wchar_t* name : {L"hidden.txt", L"hidden.lnk"}) {
        ASSERT_TRUE(TTempFolder::WriteFileBytes(Folder / name, "h", 1));
        SetFileAttributesW((Folder / name).c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    TTempFolder::WriteFileBytes(Folder / L"readonly.lnk", "r", 1);
    SetFileAttributesW((Folder / L"readonly.lnk").c_str(), FILE_ATTRIBUTE_READONLY);
    TTempFolder::WriteFileBytes(Folder / L"system.txt", "s", 1);
    SetFileAttributesW((Folder / L"system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    for (const wchar_t* name : {L"folder.txt", L"folder.lnk", L"Папка"})
        ASSERT_TRUE(CreateDirectoryW((Folder / name).c_str(), nullptr));

    TFolderView* view = OpenPath(Folder.Path());
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Count(), 33);
    ExpectTheShellsNames(*view);
    ExpectStrCmpOrders(*view);
    ExpectTheFilesData(*view);

    SetFileAttributesW((Folder / L"readonly.lnk").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((Folder / L"system.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Beside a desktop.ini the shell may name every item otherwise: each is asked for.
TEST_F(FolderNames, AFolderWithADesktopIniShowsTheShellsNames) {
    const std::string ini = "[.ShellClassInfo]\r\nLocalizedResourceName=Localized\r\n";
    ASSERT_TRUE(TTempFolder::WriteFileBytes(Folder / L"desktop.ini", ini.data(),
                                            static_cast<DWORD>(ini.size())));
    for (const wchar_t* name : {L"one.txt", L"two.txt", L"three.lnk"})
        ASSERT_TRUE(TTempFolder::WriteFileBytes(Folder / name, "x", 1));
    TFolderView* view = OpenPath(Folder.Path());
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(view->Count(), 4);
    ExpectTheShellsNames(*view);
}

// Sizes and dates are read only when an order needs them, and then they are the files' own.
TEST_F(FolderNames, SizeAndDateOrdersFollowTheFiles) {
    for (int i = 0; i < 6; ++i) {
        const std::string bytes((i * 5) % 6 * 100 + 1, 'x');
        const std::wstring path = Folder / (L"f" + std::to_wstring(i) + L".bin");
        ASSERT_TRUE(TTempFolder::WriteFileBytes(path, bytes.data(), DWORD(bytes.size())));
        TFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                     0, nullptr));
        const uint64_t ticks = 132000000000000000ull + uint64_t((i * 5 + 3) % 6) * 10000000ull + 1;
        FILETIME time{DWORD(ticks), DWORD(ticks >> 32)};
        ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
    }
    TFolderView* view = OpenPath(Folder.Path());
    ASSERT_NE(view, nullptr);
    const auto order = [&] {
        std::vector<std::wstring> names;
        for (int32_t i = 0; i < view->Count(); ++i)
            names.push_back(ToWide(view->ItemAt(i)->Path()).substr(Folder.Path().size() + 1));
        return names;
    };
    view->SetSortOrder(TSortOrder::SizeAscending);
    EXPECT_EQ(order(), (std::vector<std::wstring>{L"f0.bin", L"f5.bin", L"f4.bin", L"f3.bin",
                                                  L"f2.bin", L"f1.bin"}));
    view->SetSortOrder(TSortOrder::NewestFirst);
    EXPECT_EQ(order(), (std::vector<std::wstring>{L"f4.bin", L"f5.bin", L"f0.bin", L"f1.bin",
                                                  L"f2.bin", L"f3.bin"}));
}
