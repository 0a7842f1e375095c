#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/MenuCaptions.h"
#include "services/LocalizedStrings.h"

namespace {

std::wstring Caption(HMENU menu, UINT item, UINT flags) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, item, text, 128, flags);
    return text;
}

struct TMenuWindow {
    TMenuWindow() {
        menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
        window = CreateWindowExW(0, L"STATIC", L"menu", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                 nullptr, menu, GetModuleHandleW(nullptr), nullptr);
    }
    ~TMenuWindow() {
        DestroyWindow(window); // destroys the menu with it
        InitLocalizedStrings(0x409);
    }
    HMENU menu;
    HWND window;
};

} // namespace

TEST(MainMenu, ResourceHoldsExitAndTheHelpPopupInOrder) {
    TMenuWindow w;
    ASSERT_NE(w.menu, nullptr);
    ASSERT_EQ(GetMenuItemCount(w.menu), 2);
    EXPECT_EQ(GetMenuItemID(w.menu, 0), IDM_EXIT);
    EXPECT_EQ(Caption(w.menu, 0, MF_BYPOSITION), L"Exit");
    EXPECT_EQ(Caption(w.menu, 1, MF_BYPOSITION), L"Help");
    HMENU help = GetSubMenu(w.menu, 1);
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(GetMenuItemCount(help), 5);
    const UINT ids[] = {IDM_HELP, IDM_ABOUT, 0, IDM_HOME_PAGE, IDM_CHECK_FOR_UPDATE};
    const wchar_t* captions[] = {L"Help", L"About", L"", L"Home page", L"Check for update"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(GetMenuItemID(help, i), ids[i]) << i;
        EXPECT_EQ(Caption(help, i, MF_BYPOSITION), captions[i]) << i;
    }
    EXPECT_TRUE(GetMenuState(help, 2, MF_BYPOSITION) & MF_SEPARATOR);
}

TEST(MainMenu, RussianCaptionsKeepCommandsAndThePopup) {
    TMenuWindow w;
    InitLocalizedStrings(0x419);
    SetRussianMenuCaptions(w.window);
    EXPECT_EQ(Caption(w.menu, IDM_EXIT, MF_BYCOMMAND), L"Выход");
    EXPECT_EQ(Caption(w.menu, 1, MF_BYPOSITION), L"Справка");
    HMENU help = GetSubMenu(w.menu, 1);
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(GetMenuItemCount(help), 5);
    EXPECT_EQ(Caption(help, IDM_HELP, MF_BYCOMMAND), L"Справка");
    EXPECT_EQ(Caption(help, IDM_ABOUT, MF_BYCOMMAND), L"О программе");
    EXPECT_EQ(Caption(help, IDM_HOME_PAGE, MF_BYCOMMAND), L"Домашняя страница");
    EXPECT_EQ(Caption(help, IDM_CHECK_FOR_UPDATE, MF_BYCOMMAND), L"Проверить обновления");
    EXPECT_EQ(GetMenuItemID(help, 4), IDM_CHECK_FOR_UPDATE);
}

TEST(MainMenu, OtherLanguagesKeepTheEnglishCaptions) {
    TMenuWindow w;
    InitLocalizedStrings(0x407);
    SetRussianMenuCaptions(w.window);
    EXPECT_EQ(Caption(w.menu, IDM_EXIT, MF_BYCOMMAND), L"Exit");
}
