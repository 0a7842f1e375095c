#include "app/TestHooks.h"

#ifdef GLIMMERA_TEST_HOOKS

#include <windows.h>

#include <string>

#include "app/PendingException.h"
#include "base/Errors.h"
#include "services/ReportDialogsWin.h"

namespace {

constexpr UINT PollMs = 250;
std::wstring Hook;

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
    }
}

} // namespace

void ArmTestHook() {
    wchar_t value[32] = {};
    if (GetEnvironmentVariableW(L"GLIMMERA_TEST_HOOK", value, 32) == 0)
        return;
    Hook = value;
    SetTimer(nullptr, 0, PollMs, RunHook);
}

#else

void ArmTestHook() {}

#endif
