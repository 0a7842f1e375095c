// Tells the running program what the system would when a volume is gone, which Wine never
// says itself. Usage: notify volume-removed <letter>
// Sends DBT_DEVICEREMOVECOMPLETE for the drive to the window titled "Glimmera". Exits with 1
// when there is no such window or it did not answer, 2 on wrong arguments.
#include <windows.h>
#include <dbt.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    const wchar_t letter = argv[2][0];
    if (std::wcscmp(argv[1], L"volume-removed") != 0 || letter < L'A' || letter > L'Z')
        return 2;
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof(volume);
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - L'A');
    HWND window = FindWindowW(L"Glimmera", L"Glimmera");
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE,
                                         reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG, 30000,
                                         &result)
               ? 0
               : 1;
}
