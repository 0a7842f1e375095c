// The program entry: runs the main routine inside the one handler that turns what escapes
// it into a message box.
#include <windows.h>

#include <exception>
#include <string>

#include "app/Errors.h"
#include "app/Main.h"
#include "app/MainWindow.h"
#include "app/WinString.h"
#include "services/LocalizedStrings.h"

namespace {

std::wstring FromUtf8(const char* text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

void ShowRequirementsBox(const ESystemRequirements& error) {
    const std::u16string text = sRequirementsIntro + u"\r\n" + error.WideMessage;
    MessageBoxW(MainWindow, AsWide(text), AsWide(sRequirementsTitle), MB_OK | MB_ICONERROR);
}

// Until the error report exists, any other escaped exception ends in a plain box.
void ShowErrorBox(const std::wstring& text) {
    PaintSuspended = true;
    MessageBoxW(MainWindow, text.c_str(), L"Glimmera", MB_OK | MB_ICONERROR);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    InitLocalizedStrings(GetUserDefaultUILanguage());
    try {
        RunMain();
    } catch (const ESystemRequirements& error) {
        ShowRequirementsBox(error);
    } catch (const EGMException& error) {
        ShowErrorBox(ToWide(error.WideMessage));
    } catch (const std::exception& error) {
        ShowErrorBox(FromUtf8(error.what()));
    }
    return 0;
}
