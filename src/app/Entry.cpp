#include "app/Entry.h"

#include <windows.h>

#include <string>

#include "base/WinString.h"
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
    MessageBoxW(nullptr, AsWide(text), AsWide(sRequirementsTitle), MB_OK | MB_ICONERROR);
}

// Until the error report exists, any other escaped exception ends in a plain box.
void ShowErrorBox(const std::exception& error) {
    const auto* program = dynamic_cast<const EGMException*>(&error);
    const std::wstring text = program ? ToWide(program->WideMessage) : FromUtf8(error.what());
    MessageBoxW(nullptr, text.c_str(), L"Glimmera", MB_OK | MB_ICONERROR);
}

} // namespace

TEntryBoxes ProgramEntryBoxes() {
    return TEntryBoxes{ShowRequirementsBox, ShowErrorBox};
}

int RunEntry(const std::function<int()>& mainRoutine, const TEntryBoxes& boxes) {
    try {
        mainRoutine();
    } catch (const ESystemRequirements& error) {
        boxes.Requirements(error);
    } catch (const std::exception& error) {
        boxes.Error(error);
    }
    return 0;
}
