#include "interact/SortMenu.h"

#include "base/Handles.h"
#include "interact/MenuTrace.h"
#include "model/FolderOrder.h"
#include "model/FolderView.h"
#include "render/TextureCaption.h"
#include "services/LocalizedStrings.h"

namespace {

// The menu answers 0 when dismissed: an entry's id is its order's value plus one.
constexpr UINT FirstEntryId = 1;

UINT EntryId(TSortOrder order) {
    return static_cast<UINT>(order) + FirstEntryId;
}

void AppendSeparator(HMENU menu) {
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    separator.fType = MFT_SEPARATOR;
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &separator);
}

void AppendEntry(HMENU menu, const TSortOrderRow& row) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_ID | MIIM_STRING;
    item.wID = EntryId(row.Order);
    const char16_t* text = RussianUI ? row.MenuRussian : row.MenuEnglish;
    item.dwTypeData = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text));
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &item);
}

TMenuHandle MakeSortMenu() {
    TMenuHandle menu(CreatePopupMenu());
    if (!menu)
        return menu;
    for (const TSortOrderRow& row : SortOrders) {
        if (row.StartsMenuGroup)
            AppendSeparator(menu.Get());
        AppendEntry(menu.Get(), row);
    }
    return menu;
}

} // namespace

void ShowSortMenu(HWND owner, const TLevelSortCaption& caption) {
    const TMenuHandle menu = MakeSortMenu();
    if (!menu)
        return;
    TraceMenuEntries(menu.Get(), L"sort menu");
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT chosen =
        static_cast<UINT>(TrackPopupMenuEx(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY | TPM_VERTICAL,
                                           cursor.x, cursor.y, owner, nullptr));
    if (chosen < FirstEntryId)
        return; // dismissed
    const auto entry = static_cast<TSortOrder>(chosen - FirstEntryId);
    const auto end = static_cast<TOrderEnd>(caption.Kind());
    caption.Owner()->SetSortOrder(OrderChosenAt(entry, end));
}
