// The program entry.
#include <windows.h>

#include "app/Entry.h"
#include "app/MainWindow.h"
#include "app/TestHooks.h"
#include "services/LocalizedStrings.h"
#include "services/ThrowTraceWin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InstallThrowTrace();
    InitLocalizedStrings(GetUserDefaultUILanguage());
    ArmTestHook();
    return RunEntry([] { return RunMain(); }, ProgramEntryBoxes());
}
