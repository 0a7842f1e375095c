#include "base/PendingException.h"

#include <windows.h>

#include <exception>

#include "base/ThrowTraceWin.h"

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
        // The report shows where it was first raised, not this rethrow.
        const TThrowTraceFreeze keepTrace;
        std::rethrow_exception(pending);
    }
}
