#include "render/SystemError.h"

#include <windows.h>

#include "base/BaseDefs.h"
#include "base/Handles.h"
#include "base/WinString.h"

namespace {
std::u16string SystemMessage(uint32_t code) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    TLocalMem<wchar_t*> text(buffer);
    std::u16string message;
    if (length && text)
        message = FromWide(std::wstring_view(text.Get(), length));
    // The system's texts end in a line break of their own.
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r'))
        message.pop_back();
    return message;
}
} // namespace

void RaiseOSError(uint32_t code) {
    throw EOSError(code, Utf16ToUtf8(FormatSystemErrorText(code, SystemMessage(code))));
}

void RaiseLastOSError() {
    RaiseOSError(GetLastError());
}
