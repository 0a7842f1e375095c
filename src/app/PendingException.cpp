#include "app/PendingException.h"

#include <windows.h>

#include <exception>

namespace {
std::exception_ptr Pending;
}

void KeepPendingException() {
    if (!Pending)
        Pending = std::current_exception();
    PostQuitMessage(0);
}

void RethrowPendingException() {
    if (Pending) {
        std::exception_ptr pending = Pending;
        Pending = nullptr;
        std::rethrow_exception(pending);
    }
}
