// The program entry.
#include <windows.h>

#include "app/Entry.h"
#include "app/MainWindow.h"
#include "services/LocalizedStrings.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitLocalizedStrings(GetUserDefaultUILanguage());
    return RunEntry([] { return RunMain(); }, ProgramEntryBoxes());
}
