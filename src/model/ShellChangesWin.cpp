#include "model/ShellChangesWin.h"

#include <shlobj.h>

#include "base/WindowIds.h"
#include "services/OwnedIDList.h"

namespace {

// Names that come and go, and their folders renamed.
constexpr LONG FolderEvents = SHCNE_RENAMEITEM | SHCNE_CREATE | SHCNE_DELETE | SHCNE_MKDIR |
                              SHCNE_RMDIR | SHCNE_UPDATEITEM | SHCNE_RENAMEFOLDER;
// New media and drives; removal comes as a device event.
constexpr LONG DriveEvents = SHCNE_MEDIAINSERTED | SHCNE_DRIVEADD | SHCNE_RENAMEFOLDER;

struct TRegistration {
    int Folder;
    LONG Events;
    UINT Message;
};
constexpr std::array<TRegistration, 3> Registrations{{
    {CSIDL_DESKTOP, FolderEvents, WM_GM_SHELL_DESKTOP},
    {CSIDL_BITBUCKET, FolderEvents, WM_GM_SHELL_RECYCLE_BIN},
    {CSIDL_DRIVES, DriveEvents, WM_GM_SHELL_COMPUTER},
}};

} // namespace

TShellChangeRegistrations::TShellChangeRegistrations(HWND window) {
    for (size_t i = 0; i < Registrations.size(); ++i) {
        TOwnedIDList folder;
        if (FAILED(SHGetSpecialFolderLocation(nullptr, Registrations[i].Folder,
                                              reinterpret_cast<LPITEMIDLIST*>(folder.Receive()))))
            continue;
        SHChangeNotifyEntry entry{reinterpret_cast<PCIDLIST_ABSOLUTE>(folder.Get()), FALSE};
        FIds[i] = SHChangeNotifyRegister(window, SHCNRF_ShellLevel, Registrations[i].Events,
                                         Registrations[i].Message, 1, &entry);
    }
}

TShellChangeRegistrations::~TShellChangeRegistrations() {
    for (ULONG id : FIds)
        if (id != 0)
            SHChangeNotifyDeregister(id);
}

bool ShellChangeKindOf(UINT message, TShellChangeKind& kind) {
    switch (message) {
    case WM_GM_SHELL_DESKTOP:
        kind = TShellChangeKind::Desktop;
        return true;
    case WM_GM_SHELL_RECYCLE_BIN:
        kind = TShellChangeKind::RecycleBin;
        return true;
    case WM_GM_SHELL_COMPUTER:
        kind = TShellChangeKind::Drives;
        return true;
    }
    return false;
}
