// Tells the end-to-end tests what X cannot: where a window's client area lies on the screen,
// which control of its thread has the keyboard, whether it answers messages, and what its
// process holds. Usage: wininfo <exact window title>, or wininfo --at <x> <y> for the top-level
// window at that screen point (when two windows share a title).
// Prints one "name value..." line each: window and client <left> <top> <width> <height>,
// focus <class of the focused window or ->, responds <0|1>, pid, threads, handles, gdi, user.
// wininfo --barrier <exact window title> prints only "barrier <0|1>": 1 once the test build's
// window thread has handled everything sent to it before (its answer to the barrier message),
// 0 when it does not answer within five seconds. Exits with 1 when no window has that title.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <memory>

namespace {

struct THandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using THandle = std::unique_ptr<void, THandleCloser>;

// Toolhelp fails with INVALID_HANDLE_VALUE, OpenProcess with null; the owner holds neither.
THandle Own(HANDLE handle) {
    return THandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

DWORD ThreadCount(DWORD processId) {
    const THandle snapshot = Own(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot)
        return 0;
    DWORD count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry))
        count += entry.th32OwnerProcessID == processId ? 1 : 0;
    return count;
}

void PrintFocus(DWORD threadId) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    wchar_t className[256] = L"-";
    if (GetGUIThreadInfo(threadId, &info) && info.hwndFocus)
        GetClassNameW(info.hwndFocus, className, 256);
    std::printf("focus %ls\n", className);
}

// Posts the program's barrier message to the window with a window of our own to answer to,
// and waits for the answer.
bool PassesBarrier(HWND window) {
    constexpr ULONGLONG WaitMs = 5000;
    const UINT barrier = RegisterWindowMessageW(L"GlimmeraTestBarrier");
    const HWND self = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    bool answered = false;
    if (self && PostMessageW(window, barrier, reinterpret_cast<WPARAM>(self), 0)) {
        const ULONGLONG deadline = GetTickCount64() + WaitMs;
        for (ULONGLONG now = GetTickCount64(); !answered && now < deadline;
             now = GetTickCount64()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                      QS_POSTMESSAGE);
            MSG message{};
            while (PeekMessageW(&message, self, 0, 0, PM_REMOVE))
                answered = answered || message.message == barrier;
        }
    }
    if (self)
        DestroyWindow(self);
    return answered;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    HWND window = nullptr;
    if (argc == 3 && std::wcscmp(argv[1], L"--barrier") == 0) {
        window = FindWindowW(nullptr, argv[2]);
        if (!window)
            return 1;
        std::printf("barrier %d\n", PassesBarrier(window) ? 1 : 0);
        return 0;
    }
    if (argc == 2) {
        window = FindWindowW(nullptr, argv[1]);
    } else if (argc == 4 && std::wcscmp(argv[1], L"--at") == 0) {
        const POINT point{std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10)};
        if (const HWND child = WindowFromPoint(point))
            window = GetAncestor(child, GA_ROOT);
    } else {
        std::fputs("usage: wininfo <window title> | --at <x> <y> | --barrier <window title>\n",
                   stderr);
        return 2;
    }
    if (!window) {
        std::fputs("no such window\n", stderr);
        return 1;
    }
    RECT outer{};
    GetWindowRect(window, &outer);
    std::printf("window %ld %ld %ld %ld\n", outer.left, outer.top, outer.right - outer.left,
                outer.bottom - outer.top);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);

    DWORD processId = 0;
    PrintFocus(GetWindowThreadProcessId(window, &processId));
    // A thread busy outside its message loop does not answer within the timeout.
    const bool responds =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
    std::printf("responds %d\npid %lu\nthreads %lu\n", responds ? 1 : 0, processId,
                ThreadCount(processId));

    DWORD handles = 0, gdi = 0, user = 0;
    if (const THandle process = Own(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId))) {
        GetProcessHandleCount(process.get(), &handles);
        gdi = GetGuiResources(process.get(), GR_GDIOBJECTS);
        user = GetGuiResources(process.get(), GR_USEROBJECTS);
    }
    std::printf("handles %lu\ngdi %lu\nuser %lu\n", handles, gdi, user);
    return 0;
}
