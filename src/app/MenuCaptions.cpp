#include "app/MenuCaptions.h"

#include "services/LocalizedStrings.h"

void SetRussianMenuCaptions(HWND window) {
    if (!RussianUI)
        return;
    HMENU menu = GetMenu(window);
    if (!menu)
        return;
    const struct {
        UINT Command;
        const wchar_t* Caption;
    } commands[] = {{IDM_EXIT, L"Выход"},
                    {IDM_HELP, L"Справка"},
                    {IDM_ABOUT, L"О программе"},
                    {IDM_HOME_PAGE, L"Домашняя страница"},
                    {IDM_CHECK_FOR_UPDATE, L"Проверить обновления"}};
    for (const auto& item : commands)
        ModifyMenuW(menu, item.Command, MF_BYCOMMAND | MF_STRING, item.Command, item.Caption);
    // The popup keeps its entries: it is modified as a popup with its own submenu.
    HMENU help = GetSubMenu(menu, 1);
    ModifyMenuW(menu, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(help),
                L"Справка");
    DrawMenuBar(window);
}
