// The shell's context menu with the program's entries, built over the real shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/WinString.h"
#include "interact/ContextMenu.h"
#include "model_temp_folder.h"
#include "services/LocalizedStrings.h"

namespace {

struct TEntry {
    UINT Id;
    std::wstring Text; // "-" for a separator
};

std::vector<TEntry> Entries(HMENU menu) {
    std::vector<TEntry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = 255;
        GetMenuItemInfoW(menu, i, TRUE, &item);
        entries.push_back({item.wID, (item.fType & MFT_SEPARATOR) ? L"-" : text});
    }
    return entries;
}

} // namespace

TEST(ContextMenu, HoldsTheProgramsEntriesAfterTheShellsFirst) {
    TOleScope ole;
    InitLocalizedStrings(0x409);
    TTempFolder folder;
    ASSERT_TRUE(TTempFolder::WriteFileBytes(folder / L"a.txt", "a", 1));
    ASSERT_TRUE(CreateDirectoryW((folder / L"Sub").c_str(), nullptr));

    for (const std::wstring& path : {folder / L"a.txt", folder / L"Sub", folder / L"Sub\\"}) {
        SCOPED_TRACE(path);
        const TItemMenu built = BuildItemMenu(nullptr, FromWide(path));
        ASSERT_TRUE(built.Menu);
        ASSERT_TRUE(built.Shell);
        const std::vector<TEntry> entries = Entries(built.Menu.Get());
        ASSERT_GE(entries.size(), 6u);
        EXPECT_NE(entries[0].Text, L"-");
        EXPECT_EQ(entries[1].Text, L"-");
        EXPECT_EQ(entries[2].Id, MenuIdOf(TSceneCommand::CopyFullPath));
        EXPECT_EQ(entries[2].Text, L"Copy full path [Ctrl+P]");
        EXPECT_EQ(entries[3].Id, MenuIdOf(TSceneCommand::CloseAllButThis));
        EXPECT_EQ(entries[3].Text, L"Close all but this");
        EXPECT_EQ(entries[4].Text, L"-");
        for (size_t i = 0; i < entries.size(); ++i) {
            if (i == 2 || i == 3 || entries[i].Text == L"-")
                continue;
            EXPECT_TRUE(entries[i].Id >= FirstShellCommand && entries[i].Id <= LastShellCommand)
                << "entry " << i << " has " << entries[i].Id;
        }
    }
}

TEST(ContextMenu, NoneWithoutAnItem) {
    TOleScope ole;
    TTempFolder folder;
    EXPECT_FALSE(BuildItemMenu(nullptr, u"").Menu);
    EXPECT_FALSE(BuildItemMenu(nullptr, FromWide(folder / L"missing.txt")).Menu);
    EXPECT_FALSE(ShowItemContextMenu(nullptr, 0, 0, FromWide(folder / L"missing.txt"), {}));
    // No menu up: every message takes its normal way.
    LRESULT result = 0;
    EXPECT_FALSE(ContextMenuHandleMessage(WM_INITMENUPOPUP, 0, 0, result));
}
