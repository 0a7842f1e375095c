#include "app/WindowPlacement.h"

#include <windows.h>

#include "base/BaseDefsWin.h"
#include "base/WinString.h"
#include "app/ScreenPlacement.h"
#include "services/SettingsFileWin.h"

namespace {

// The client size of a window whose outer rectangle is given, for that window's styles.
SIZE ClientSizeOf(HWND window, const RECT& outer) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return SIZE{(outer.right - outer.left) - (frame.right - frame.left),
                (outer.bottom - outer.top) - (frame.bottom - frame.top)};
}

} // namespace

TSettings LoadWindowPlacement() {
    TSettings loaded;
    LoadSettings(loaded, ProgramDirectory());
    return loaded;
}

void SaveWindowPlacement(HWND window, int32_t split, const TSettings& loaded) {
    if (!window)
        return;
    TSettings settings = loaded;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    // A maximised or minimised window keeps its restored placement: that is what comes back.
    if ((IsZoomed(window) || IsIconic(window)) && GetWindowPlacement(window, &placement)) {
        const SIZE client = ClientSizeOf(window, placement.rcNormalPosition);
        settings.ClientWidth = client.cx;
        settings.ClientHeight = client.cy;
        settings.Left = placement.rcNormalPosition.left;
        settings.Top = placement.rcNormalPosition.top;
    } else {
        RECT client, outer;
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        settings.ClientWidth = client.right - client.left;
        settings.ClientHeight = client.bottom - client.top;
        settings.Left = outer.left;
        settings.Top = outer.top;
    }
    settings.Split = split;
    settings.Maximized = IsZoomed(window) ? 1 : 0;
    SaveSettings(settings, ProgramDirectory());
}

POINT VisibleWindowPosition(const RECT& outer) {
    if (MonitorFromRect(&outer, MONITOR_DEFAULTTONULL))
        return POINT{outer.left, outer.top};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromRect(&outer, MONITOR_DEFAULTTONEAREST), &monitor))
        return POINT{outer.left, outer.top};
    const TScreenRect work{monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right,
                           monitor.rcWork.bottom};
    const TScreenPoint at =
        PositionInWorkArea(TScreenRect{outer.left, outer.top, outer.right, outer.bottom}, work);
    return POINT{at.X, at.Y};
}
