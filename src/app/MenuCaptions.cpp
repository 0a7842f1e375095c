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
    } commands[] = {{CmdExit, L"Выход"},
                    {CmdHelp, L"Справка"},
                    {CmdAbout, L"О программе"},
                    {CmdHomePage, L"Домашняя страница"},
                    {CmdCheckForUpdate, L"Проверить обновления"}};
    for (const auto& item : commands)
        ModifyMenuW(menu, item.Command, MF_BYCOMMAND | MF_STRING, item.Command, item.Caption);
    // The popup keeps its entries: it is modified as a popup with its own submenu.
    HMENU help = GetSubMenu(menu, 1);
    ModifyMenuW(menu, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(help),
                L"Справка");
    DrawMenuBar(window);
}
