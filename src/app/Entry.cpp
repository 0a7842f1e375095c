#include "app/Entry.h"

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <typeinfo>
#ifdef __GNUC__
#include <cxxabi.h>
#endif

#include "app/FaultReport.h"
#include "base/WinString.h"
#include "services/LocalizedStrings.h"
#include "services/ReportDialogsWin.h"
#include "base/ThrowTraceWin.h"

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

// The class of an exception as its source names it.
std::u16string ClassNameOf(const std::exception& error) {
    const char* raw = typeid(error).name();
#ifdef __GNUC__
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(raw, nullptr, nullptr, &status), &std::free);
    if (status == 0 && demangled)
        return FromWide(FromUtf8(demangled.get()).c_str());
#endif
    return FromWide(FromUtf8(raw).c_str());
}

// Every other escaped exception ends in the error report dialog.
void ShowErrorReport(const std::exception& error) {
    if (!ClaimErrorReport())
        return;
    const auto* program = dynamic_cast<const EGMException*>(&error);
    TExceptionFacts facts;
    facts.ClassName = ClassNameOf(error);
    facts.Message = program ? program->WideMessage : FromWide(FromUtf8(error.what()).c_str());
    const TThrowTrace trace = LastThrowTrace();
    facts.Address = trace.Address;
    facts.Frames = trace.Frames;
    // The quit message that ended the main loop for this exception would end the dialog's too.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ShowErrorReportDialog(nullptr, facts);
}

} // namespace

TEntryBoxes ProgramEntryBoxes() {
    return TEntryBoxes{ShowRequirementsBox, ShowErrorReport};
}

int RunEntry(const std::function<int()>& mainRoutine, const TEntryBoxes& boxes) {
    // A box that fails itself ends the program quietly: there is no second box.
    try {
        try {
            mainRoutine();
        } catch (const ESystemRequirements& error) {
            boxes.Requirements(error);
        } catch (const std::exception& error) {
            boxes.Error(error);
        } catch (...) {
            boxes.Error(std::runtime_error("An exception of unknown kind"));
        }
    } catch (...) {
    }
    return 0;
}
