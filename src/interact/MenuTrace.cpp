#include "interact/MenuTrace.h"

#include <iterator>
#include <string>

void TraceMenuEntries(HMENU menu, const wchar_t* title) {
    std::wstring line = std::wstring(title) + L":";
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW item{};
        item.cbSize = sizeof(item);
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = static_cast<UINT>(std::size(text) - 1);
        GetMenuItemInfoW(menu, i, TRUE, &item);
        line += i ? L"|" : L" ";
        line += (item.fType & MFT_SEPARATOR) ? std::wstring(L"-")
                                             : text + (L"#" + std::to_wstring(item.wID));
    }
    OutputDebugStringW(line.c_str());
}
