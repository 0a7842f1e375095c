#include "model/DriveWatchesWin.h"

#include <dbt.h>
#include <winioctl.h>

#include <string>

#include "base/WinString.h"

namespace {

// \\.\E: for the root E:\.
std::u16string DevicePath(std::u16string_view root) {
    return u"\\\\.\\" + std::u16string(root.substr(0, 2));
}

bool OnUsbBus(std::u16string_view root) {
    TFileHandle device(CreateFileW(AsWide(DevicePath(root)), 0, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device)
        return false;
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    STORAGE_DEVICE_DESCRIPTOR descriptor{};
    DWORD returned = 0;
    return DeviceIoControl(device.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query),
                           &descriptor, sizeof(descriptor), &returned, nullptr) &&
           returned >= offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof(descriptor.BusType) &&
           descriptor.BusType == BusTypeUsb;
}

bool IsDriveRoot(std::u16string_view root) {
    return root.size() == 3 && root[1] == u':' && root[2] == u'\\';
}

} // namespace

bool DriveCanGoAway(std::u16string_view root) {
    if (!IsDriveRoot(root))
        return false;
    const UINT type = GetDriveTypeW(AsWide(std::u16string(root)));
    return type == DRIVE_REMOVABLE || type == DRIVE_REMOTE || OnUsbBus(root);
}

TVolumeToken TDriveWatches::Register(std::u16string_view root) {
    if (!DriveCanGoAway(root) || root[0] < u'A' || root[0] > u'Z')
        return 0;
    TDrive& drive = FDrives[static_cast<size_t>(root[0] - u'A')];
    if (!drive.Volume) {
        drive.Volume.Reset(CreateFileW(AsWide(DevicePath(root)), GENERIC_READ | GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       0, nullptr));
        if (!drive.Volume)
            return 0;
        DEV_BROADCAST_HANDLE filter{};
        filter.dbch_size = sizeof(filter);
        filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
        filter.dbch_handle = drive.Volume.Get();
        drive.Notification.Reset(
            RegisterDeviceNotificationW(FWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE));
    }
    return reinterpret_cast<TVolumeToken>(drive.Volume.Get());
}

void TDriveWatches::Release(TVolumeToken volume) {
    for (TDrive& drive : FDrives)
        if (drive.Volume && reinterpret_cast<TVolumeToken>(drive.Volume.Get()) == volume) {
            // A refused unregistration must not keep the drive from going.
            drive.Notification.Close();
            drive.Volume.Close();
        }
}
