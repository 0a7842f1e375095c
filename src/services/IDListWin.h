#pragma once
// ID lists at the Win32 boundary: the portable helpers see bytes, the shell sees ITEMIDLIST.
#include "services/IDLists.h"

#include <windows.h>
#include <shtypes.h>

inline PCIDLIST_ABSOLUTE AsAbsolute(const TIDList* list) {
    return reinterpret_cast<PCIDLIST_ABSOLUTE>(list);
}

inline PCUIDLIST_RELATIVE AsRelative(const TIDList* list) {
    return reinterpret_cast<PCUIDLIST_RELATIVE>(list);
}

inline PCUITEMID_CHILD AsChild(const TIDList* list) {
    return reinterpret_cast<PCUITEMID_CHILD>(list);
}

inline const TIDList* FromShell(LPCITEMIDLIST list) {
    return reinterpret_cast<const TIDList*>(list);
}

inline TIDList* FromShell(LPITEMIDLIST list) {
    return reinterpret_cast<TIDList*>(list);
}
