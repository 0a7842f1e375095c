#include "render/SystemError.h"

#include <windows.h>

#include "app/BaseDefs.h"
#include "app/WinString.h"

namespace {
std::u16string SystemMessage(uint32_t code) {
    wchar_t* text = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message;
    if (length && text)
        message = FromWide(std::wstring_view(text, length));
    if (text)
        LocalFree(text);
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
