#include "app/WindowPlacement.h"

#include <windows.h>

#include "app/BaseDefsWin.h"
#include "app/MainWindow.h"
#include "app/WinString.h"
#include "services/SettingsFileWin.h"

namespace {

// The record as loaded: its padding is written back untouched.
TSettings Loaded;

// The client size of a window whose outer rectangle is given, for the main window's styles.
SIZE ClientSizeOf(const RECT& outer) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(MainWindow, GWL_STYLE)), TRUE,
                       static_cast<DWORD>(GetWindowLongPtrW(MainWindow, GWL_EXSTYLE)));
    return SIZE{(outer.right - outer.left) - (frame.right - frame.left),
                (outer.bottom - outer.top) - (frame.bottom - frame.top)};
}

} // namespace

TSettings LoadWindowPlacement() {
    LoadSettings(Loaded, ProgramDirectory());
    return Loaded;
}

void SaveWindowPlacement() {
    if (!MainWindow)
        return;
    TSettings settings = Loaded;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    // A maximised or minimised window keeps its restored placement: that is what comes back.
    if ((IsZoomed(MainWindow) || IsIconic(MainWindow)) &&
        GetWindowPlacement(MainWindow, &placement)) {
        const SIZE client = ClientSizeOf(placement.rcNormalPosition);
        settings.ClientWidth = client.cx;
        settings.ClientHeight = client.cy;
        settings.Left = placement.rcNormalPosition.left;
        settings.Top = placement.rcNormalPosition.top;
    } else {
        RECT client, window;
        GetClientRect(MainWindow, &client);
        GetWindowRect(MainWindow, &window);
        settings.ClientWidth = client.right - client.left;
        settings.ClientHeight = client.bottom - client.top;
        settings.Left = window.left;
        settings.Top = window.top;
    }
    settings.Split = Split;
    settings.Maximized = IsZoomed(MainWindow) ? 1 : 0;
    SaveSettings(settings, ProgramDirectory());
}

void DeleteLeftoverUpdate() {
    DeleteFileW(AsWide(ProgramDirectory() + u"update.exe"));
}
