#include "render/SystemErrorText.h"

std::u16string FormatSystemErrorText(uint32_t code, const std::u16string& systemMessage) {
    if (code == 0)
        return u"An operating system call failed.";
    std::string number = std::to_string(static_cast<int32_t>(code));
    return u"System error, (OS Code " + std::u16string(number.begin(), number.end()) + u"):\r\n" +
           systemMessage;
}
