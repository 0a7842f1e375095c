#include "app/WindowPlacement.h"

#include <windows.h>

#include "app/BaseDefsWin.h"
#include "app/MainWindow.h"
#include "app/WinString.h"

TWindowPlacement LoadWindowPlacement() {
    return TWindowPlacement();
}

void SaveWindowPlacement() {}

void DeleteLeftoverUpdate() {
    DeleteFileW(AsWide(ProgramDirectory() + u"update.exe"));
}
