#pragma once
// Raising the last operating-system error.
#include <cstdint>

#include "render/SystemErrorText.h"

// Raises EOSError with the system's text for Code.
[[noreturn]] void RaiseOSError(uint32_t code);

// Raises EOSError for GetLastError().
[[noreturn]] void RaiseLastOSError();
