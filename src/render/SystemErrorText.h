#pragma once
// The failure of an operating-system call, as the user reads it.
#include <cstdint>
#include <stdexcept>
#include <string>

// A failed system call; the text is UTF-8.
class EOSError : public std::runtime_error {
public:
    EOSError(uint32_t code, const std::string& text) : std::runtime_error(text), ErrorCode(code) {}
    uint32_t ErrorCode;
};

// "System error, (OS Code <code>):\r\n<system message>", or a general sentence when no code is set.
std::u16string FormatSystemErrorText(uint32_t code, const std::u16string& systemMessage);
