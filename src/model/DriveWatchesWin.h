#pragma once
// The volumes of drives that can go away while folders on them are open (removable, remote or
// on USB): each is opened once and registered for the system's removal events, so the window
// hears when the system wants the drive and can let go of it.
#include <windows.h>

#include <array>
#include <string_view>

#include "base/Handles.h"
#include "model/FolderWatch.h"

// Whether the drive of a root ("E:\\") is removable, remote or sits on the USB bus.
bool DriveCanGoAway(std::u16string_view root);

class TDriveWatches {
public:
    // Removal events go to window.
    explicit TDriveWatches(HWND window) : FWindow(window) {}
    TDriveWatches(const TDriveWatches&) = delete;
    TDriveWatches& operator=(const TDriveWatches&) = delete;

    // The volume of root's drive, shared by every folder on it, when the drive can go away;
    // 0 for other drives, for anything but "X:\\", and when the volume cannot be opened.
    TVolumeToken Register(std::u16string_view root);
    // Closes the volume and its registration; a refusal of the system changes nothing more.
    void Release(TVolumeToken volume);

private:
    struct TDrive {
        TFileHandle Volume;
        TDeviceNotification Notification;
    };

    HWND FWindow;
    std::array<TDrive, 26> FDrives; // A to Z
};
