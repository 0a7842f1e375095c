// The program entry.
#include <windows.h>

#include "app/Entry.h"
#include "app/FaultReport.h"
#include "app/MainWindow.h"
#include "app/TestHooks.h"
#include "services/LocalizedStrings.h"
#include "services/ReportDialogsWin.h"
#include "base/ThrowTraceWin.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InstallThrowTrace();
    InstallFaultReport([](const TExceptionFacts& facts) { ShowErrorReportDialog(nullptr, facts); });
    InitLocalizedStrings(GetUserDefaultUILanguage());
    ArmTestHook();
    return RunEntry([] { return RunMain(); }, ProgramEntryBoxes());
}
