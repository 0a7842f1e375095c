#pragma once
// The shell's change notifications for the folders that are no plain directories: the
// desktop, the Recycle Bin and the drives folder, each reported to the main window by a
// message of its own.
#include <windows.h>

#include <array>

#include "model/FolderWatch.h"

class TShellChangeRegistrations {
public:
    explicit TShellChangeRegistrations(HWND window);
    ~TShellChangeRegistrations();
    TShellChangeRegistrations(const TShellChangeRegistrations&) = delete;
    TShellChangeRegistrations& operator=(const TShellChangeRegistrations&) = delete;

private:
    std::array<ULONG, 3> FIds{}; // 0 where the registration failed
};

// The folder a message of the main window's shell registrations is about; false for another
// message.
bool ShellChangeKindOf(UINT message, TShellChangeKind& kind);
