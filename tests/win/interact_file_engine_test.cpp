// The program's data object and the clipboard's text, over the real OLE and clipboard.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "interact/DataObject.h"
#include "interact/FileEngine.h"
#include "interact/PathList.h"
#include "model_temp_folder.h"
#include "base/WinString.h"

using Microsoft::WRL::ComPtr;

namespace {

FORMATETC Format(CLIPFORMAT format, DWORD tymed = TYMED_HGLOBAL) {
    return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, tymed};
}

std::vector<uint8_t> BlockBytes(HGLOBAL block) {
    TGlobalLock lock(block);
    const auto* data = static_cast<const uint8_t*>(lock.Data());
    return data ? std::vector<uint8_t>(data, data + lock.Size()) : std::vector<uint8_t>();
}

// A movable block holding the bytes, as another program hands a drop over.
TGlobalBlock GlobalOf(const std::vector<uint8_t>& bytes) {
    TGlobalBlock block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    TGlobalLock lock(block.Get());
    std::memcpy(lock.Data(), bytes.data(), bytes.size());
    return block;
}

} // namespace

TEST(DataObject, HandsOutCopiesOfItsBlocksByFormatOnly) {
    TOleScope ole;
    const std::vector<uint8_t> drop = BuildDropFiles(BuildPathList({u"C:\\a.txt", u"C:\\b.txt"}));
    ComPtr<TDataObject> data;
    data.Attach(new TDataObject());
    ASSERT_TRUE(data->Add(CF_HDROP, drop));

    FORMATETC hdrop = Format(CF_HDROP);
    EXPECT_EQ(data->QueryGetData(&hdrop), S_OK);
    FORMATETC text = Format(CF_UNICODETEXT);
    EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
    FORMATETC stream = Format(CF_HDROP, TYMED_ISTREAM);
    EXPECT_EQ(data->QueryGetData(&stream), DV_E_FORMATETC);

    TStorageMedium first, second;
    ASSERT_EQ(data->GetData(&hdrop, first.Receive()), S_OK);
    ASSERT_EQ(data->GetData(&hdrop, second.Receive()), S_OK);
    ASSERT_NE(first.Global(), nullptr);
    EXPECT_NE(first.Global(), second.Global()) << "each taker gets its own copy";
    std::vector<uint8_t> bytes = BlockBytes(first.Global());
    bytes.resize(drop.size()); // the system may round a block up, never down
    EXPECT_EQ(bytes, drop);
    EXPECT_GE(GlobalSize(first.Global()), drop.size());

    ComPtr<IEnumFORMATETC> formats;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC listed{};
    ULONG fetched = 0;
    ASSERT_EQ(formats->Next(1, &listed, &fetched), S_OK);
    EXPECT_EQ(listed.cfFormat, CF_HDROP);
    EXPECT_EQ(formats->Next(1, &listed, &fetched), S_FALSE);

    // No advise connections: a caller that releases what it got back must find nothing there.
    auto* stale = reinterpret_cast<IEnumSTATDATA*>(uintptr_t(0x1));
    EXPECT_EQ(data->EnumDAdvise(&stale), OLE_E_ADVISENOTSUPPORTED);
    EXPECT_EQ(stale, nullptr);
}

TEST(FileEngine, CopiedTextIsTheClipboardsOnlyContent) {
    TOleScope ole;
    ComPtr<TDataObject> files;
    files.Attach(new TDataObject());
    ASSERT_TRUE(files->Add(CF_HDROP, BuildDropFiles(BuildPathList({u"C:\\old.txt"}))));
    ASSERT_EQ(OleSetClipboard(files.Get()), S_OK);
    ASSERT_EQ(OleFlushClipboard(), S_OK);
    ASSERT_TRUE(IsClipboardFormatAvailable(CF_HDROP));

    ASSERT_TRUE(CopyTextToClipboard(nullptr, u"Z:\\tmp\\\u0449\u0443\u043a\u0430.txt"));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_HDROP)) << "the files copied before are gone";
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* text = static_cast<const wchar_t*>(GetClipboardData(CF_UNICODETEXT));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), L"Z:\\tmp\\\u0449\u0443\u043a\u0430.txt");
    CloseClipboard();

    ASSERT_TRUE(CopyTextToClipboard(nullptr, u""));
    ASSERT_TRUE(OpenClipboard(nullptr));
    text = static_cast<const wchar_t*>(GetClipboardData(CF_UNICODETEXT));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), L"");
    CloseClipboard();
}

TEST(FileEngine, DroppedPathsFromWideAndAnsiDrops) {
    TOleScope ole;
    const TGlobalBlock wide =
        GlobalOf(BuildDropFiles(BuildPathList({u"C:\\a.txt", u"D:\\\u0416"})));
    EXPECT_EQ(PathsOf(PathListFromHDrop(static_cast<HDROP>(wide.Get()))),
              (std::vector<std::u16string>{u"C:\\a.txt", u"D:\\\u0416"}));

    // An older program's drop: fWide 0 and the names in the system code page.
    std::vector<uint8_t> ansi(DropFilesHeaderSize, 0);
    ansi[0] = DropFilesHeaderSize;
    for (const char* name : {"C:\\one.txt", "C:\\two"})
        ansi.insert(ansi.end(), name, name + std::strlen(name) + 1);
    ansi.push_back(0);
    const TGlobalBlock narrow = GlobalOf(ansi);
    EXPECT_EQ(PathsOf(PathListFromHDrop(static_cast<HDROP>(narrow.Get()))),
              (std::vector<std::u16string>{u"C:\\one.txt", u"C:\\two"}));

    ComPtr<TDataObject> data;
    data.Attach(new TDataObject());
    EXPECT_EQ(FirstDroppedPath(*data.Get()), u"") << "no files offered";
    ASSERT_TRUE(data->Add(CF_HDROP, BuildDropFiles(BuildPathList({u"C:\\x", u"C:\\y"}))));
    EXPECT_EQ(FirstDroppedPath(*data.Get()), u"C:\\x");
}

// Another program's block may lack its final zeros or point its list past its end: the paths
// are read within the block, never beyond it.
TEST(FileEngine, DroppedPathsOfALyingBlockStayWithinIt) {
    std::vector<uint8_t> unterminated = BuildDropFiles(BuildPathList({u"C:\\a.txt", u"C:\\bc"}));
    unterminated.resize(unterminated.size() - 4); // the last name's zero and the list's
    const TGlobalBlock cut = GlobalOf(unterminated);
    EXPECT_EQ(PathsOf(PathListFromHDrop(static_cast<HDROP>(cut.Get()))),
              (std::vector<std::u16string>{u"C:\\a.txt", u"C:\\bc"}));

    std::vector<uint8_t> outside = BuildDropFiles(BuildPathList({u"C:\\a.txt"}));
    outside[0] = 0xF0; // pFiles far past the block's end
    outside[1] = 0xFF;
    const TGlobalBlock past = GlobalOf(outside);
    EXPECT_TRUE(PathsOf(PathListFromHDrop(static_cast<HDROP>(past.Get()))).empty());
}

TEST(FileEngine, NewFolderTakesTheNextFreeName) {
    TOleScope ole;
    TTempFolder temp;
    const std::u16string parent = FromWide(temp.Path().c_str());
    const TOwnedIDList first = CreateNewFolder(parent, u"New Folder");
    ASSERT_TRUE(first);
    // A trailing backslash on the parent changes nothing.
    const TOwnedIDList second = CreateNewFolder(parent + u"\\", u"New Folder");
    ASSERT_TRUE(second);
    std::vector<std::wstring> names = TTempFolder::List(temp.Path());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"New Folder", L"New Folder (2)"}));
    wchar_t path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(second.Get()), path));
    EXPECT_EQ(FromWide(path), parent + u"\\New Folder (2)");
    EXPECT_FALSE(CreateNewFolder(u"", u"New Folder"));
}
