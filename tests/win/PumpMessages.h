#pragma once
// Lets a test's window thread answer what workers send it while it waits for something.
#include <windows.h>

// Pumps this thread's messages until done() or the time is up; false on time-out.
template <class TDone> bool PumpUntil(TDone done, DWORD milliseconds = 20000) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!done()) {
        if (GetTickCount64() > deadline)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    return true;
}
