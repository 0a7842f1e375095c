#include "services/HelpWin.h"

#include "base/BaseDefsWin.h"
#include "base/WinString.h"

namespace {

constexpr UINT DisplayContents = 1; // HH_DISPLAY_TOC
constexpr const char16_t* HelpFileName = u"glimmera.chm";
constexpr const char16_t* RussianHelpFileName = u"glimmera-ru.chm";

using THtmlHelpW = HWND(WINAPI*)(HWND, const wchar_t*, UINT, DWORD_PTR);

// Kept for the program's life once loaded.
HMODULE Library = nullptr;
THtmlHelpW HtmlHelpWide = nullptr;
FARPROC HtmlHelpAnsi = nullptr;

} // namespace

bool LoadHelpLibrary() {
    if (!Library)
        Library = LoadLibraryA("hhctrl.ocx");
    if (Library && (!HtmlHelpWide || !HtmlHelpAnsi)) {
        HtmlHelpWide = reinterpret_cast<THtmlHelpW>(
            reinterpret_cast<void*>(GetProcAddress(Library, "HtmlHelpW")));
        HtmlHelpAnsi = GetProcAddress(Library, "HtmlHelpA");
    }
    return HtmlHelpWide && HtmlHelpAnsi;
}

HWND HtmlHelp(HWND window, const wchar_t* file, UINT command, DWORD_PTR data) {
    return LoadHelpLibrary() ? HtmlHelpWide(window, file, command, data) : nullptr;
}

void ShowHelp(HWND window, bool russian) {
    std::u16string file = ProgramDirectory() + RussianHelpFileName;
    // A copy of the program set down without its Russian manual still has the English one.
    if (!russian || GetFileAttributesW(AsWide(file)) == INVALID_FILE_ATTRIBUTES)
        file = ProgramDirectory() + HelpFileName;
    HtmlHelp(window, AsWide(file), DisplayContents, 0);
}
