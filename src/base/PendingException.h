#pragma once
// An exception must not unwind through the system's message dispatch or a COM caller: the
// callback keeps it here and ends the loop, and the main routine raises it again on its own
// stack.
#include <windows.h>

// Keeps the exception being handled and posts the quit message.
void KeepPendingException();

// Raises the kept exception, if any.
void RethrowPendingException();

// Runs a callback the system called and returns its result; what it raises is kept, and the
// system gets fallback.
template <class TResult, class TCall>
TResult KeepingExceptions(TResult fallback, TCall&& call) noexcept {
    try {
        return call();
    } catch (...) {
        KeepPendingException();
        return fallback;
    }
}

// A dialog procedure that keeps what Handler raises: the dialog's loop ends on the quit message.
template <INT_PTR (*Handler)(HWND, UINT, WPARAM, LPARAM)>
INT_PTR CALLBACK KeepingDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                   LPARAM lParam) noexcept {
    return KeepingExceptions<INT_PTR>(FALSE,
                                      [&] { return Handler(dialog, message, wParam, lParam); });
}
