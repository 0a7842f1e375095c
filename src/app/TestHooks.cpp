#include "app/TestHooks.h"

#ifdef GLIMMERA_TEST_HOOKS

#include <windows.h>

#include <map>
#include <string>
#include <thread>

#include "base/PendingException.h"
#include "base/BaseDefsWin.h"
#include "base/Errors.h"
#include "base/Handles.h"
#include "render/AtlasTextures.h"
#include "services/ReportDialogsWin.h"

namespace {

constexpr UINT PollMs = 250;
std::wstring Hook;

// GDI objects of this process, found by their table index: a handle without its upper
// (generation) half names whatever lives at that index.
int GdiObjects() {
    int count = 0;
    for (uintptr_t index = 1; index < 0x10000; ++index)
        count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0 ? 1 : 0;
    return count;
}

// Windows and menus of this process, found the same way among the USER handle values.
int UserObjects() {
    int count = 0;
    const DWORD self = GetCurrentProcessId();
    for (uintptr_t value = 0x20; value < 0x10000; value += 2) {
        HWND window = reinterpret_cast<HWND>(value);
        DWORD owner = 0;
        if (IsWindow(window))
            count += GetWindowThreadProcessId(window, &owner) && owner == self ? 1 : 0;
        else
            count += IsMenu(reinterpret_cast<HMENU>(value)) ? 1 : 0;
    }
    return count;
}

void TraceCounts() {
    const HANDLE self = GetCurrentProcess();
    const std::wstring line =
        L"test counts: gdi " + std::to_wstring(GetGuiResources(self, GR_GDIOBJECTS)) + L" user " +
        std::to_wstring(GetGuiResources(self, GR_USEROBJECTS)) + L" gdi-found " +
        std::to_wstring(GdiObjects()) + L" user-found " + std::to_wstring(UserObjects()) +
        L" handles " + std::to_wstring(OpenKernelHandleCount()) + L" textures " +
        std::to_wstring(TGLTexture::LiveCount());
    OutputDebugStringW(line.c_str());
}

// Sees every message sent to a window of the main thread, in any of its loops (a menu's, a
// dialog's), before the window does.
LRESULT CALLBACK WatchSent(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT askCounts = RegisterWindowMessageW(L"GlimmeraTestCounts");
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == askCounts)
        TraceCounts();
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The hook lives as long as the program.
struct THookOwner {
    HHOOK Hook = nullptr;
    ~THookOwner() {
        if (Hook)
            UnhookWindowsHookEx(Hook);
    }
};
THookOwner CountsHook;

// The end-to-end tests' barrier. The registered message "GlimmeraTestBarrier", posted to a
// window of the main thread with the asker's window in wParam, is answered, posted back, from a
// timer: the system hands out a timer only when no sent or posted message and no input is
// waiting, so the answer says that everything sent to the program before has been handled.
THookOwner BarrierHook;
std::map<UINT_PTR, HWND> BarrierAskers;

UINT BarrierMessage() {
    static const UINT message = RegisterWindowMessageW(L"GlimmeraTestBarrier");
    return message;
}

void CALLBACK AnswerBarrier(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (const auto asker = BarrierAskers.find(timer); asker != BarrierAskers.end()) {
        PostMessageW(asker->second, BarrierMessage(), 0, 0);
        BarrierAskers.erase(asker);
    }
}

// Sees every message the main thread takes from its queue, in any of its loops.
LRESULT CALLBACK WatchPosted(int code, WPARAM wParam, LPARAM lParam) {
    const MSG& message = *reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && message.message == BarrierMessage())
        if (const UINT_PTR timer = SetTimer(nullptr, 0, 0, AnswerBarrier))
            BarrierAskers[timer] = reinterpret_cast<HWND>(message.wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A null write the compiler cannot see as one.
void WriteThroughNull() {
    volatile int* volatile target = nullptr;
    *target = 1;
}

LRESULT CALLBACK FaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP)
        WriteThroughNull();
    return DefWindowProcW(window, message, wParam, lParam);
}

// The fault comes in a window's message handler, dispatched by the main loop: the system keeps
// faults of timer callbacks to itself.
TOwnedWindow FaultWindow;

void FaultInMessageHandler() {
    FaultWindow.Reset(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
    SetWindowLongPtrW(FaultWindow.Get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FaultProc));
    PostMessageW(FaultWindow.Get(), WM_APP, 0, 0);
}

// Runs from the main thread's message loop once the main window is shown.
void CALLBACK RunHook(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND window = FindWindowW(L"Glimmera", nullptr);
    if (!window || !IsWindowVisible(window))
        return;
    KillTimer(nullptr, timer);
    if (Hook == L"raise") {
        // Raised and kept as any window procedure's exception is, so that it takes the real way
        // out.
        try {
            throw EGMException(u"Test error raised on request");
        } catch (...) {
            KeepPendingException();
        }
    } else if (Hook == L"bug-report") {
        ShowBugReportDialog(window);
    } else if (Hook == L"fault") {
        FaultInMessageHandler();
    } else if (Hook == L"fault-thread") {
        std::thread(WriteThroughNull).detach();
    }
}

} // namespace

void ArmTestHook() {
    BarrierHook.Hook = SetWindowsHookExW(WH_GETMESSAGE, WatchPosted, nullptr, GetCurrentThreadId());
    wchar_t value[32] = {};
    if (GetEnvironmentVariableW(L"GLIMMERA_TEST_HOOK", value, 32) == 0)
        return;
    Hook = value;
    if (Hook == L"counts")
        CountsHook.Hook =
            SetWindowsHookExW(WH_CALLWNDPROC, WatchSent, nullptr, GetCurrentThreadId());
    else
        SetTimer(nullptr, 0, PollMs, RunHook);
}

bool WindowSurfaceRequested() {
    return Hook == L"window-surface";
}

bool TypedAddressRaises() {
    return Hook == L"raise-address";
}

#else

void ArmTestHook() {}

bool WindowSurfaceRequested() {
    return false;
}

bool TypedAddressRaises() {
    return false;
}

#endif
