// Asks the running program (a test build started with GLIMMERA_TEST_HOOK=counts) to write one
// trace line of the GDI and USER objects, kernel handles and GL textures it holds.
// Usage: counts. Sends the registered message "GlimmeraTestCounts" to the window titled
// "Glimmera" and returns once it was handled; exits with 1 when there is no such window or it
// did not answer within 30 s.
#include <windows.h>

int wmain() {
    const UINT askCounts = RegisterWindowMessageW(L"GlimmeraTestCounts");
    HWND window = FindWindowW(L"Glimmera", L"Glimmera");
    DWORD_PTR result = 0;
    return window && SendMessageTimeoutW(window, askCounts, 0, 0, SMTO_ABORTIFHUNG, 30000, &result)
               ? 0
               : 1;
}
