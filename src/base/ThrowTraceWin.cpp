#include "base/ThrowTraceWin.h"

#include <windows.h>

namespace {

// The codes C++ throws are raised with: GCC's unwinder and the Microsoft runtime.
constexpr DWORD GccThrow = 0x20474343;
constexpr DWORD MsvcThrow = 0xE06D7363;
constexpr ULONG MaxFrames = 62;

// Filled inside the handler, so nothing is allocated there.
struct TRecorded {
    void* Address = nullptr;
    USHORT Count = 0;
    void* Frames[MaxFrames] = {};
};
thread_local TRecorded Recorded;
thread_local int Frozen = 0;

LONG CALLBACK RecordThrow(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    if ((code == GccThrow || code == MsvcThrow) && Frozen == 0) {
        Recorded.Address = info->ExceptionRecord->ExceptionAddress;
        // The handler's own frame is left out.
        Recorded.Count = CaptureStackBackTrace(1, MaxFrames, Recorded.Frames, nullptr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void InstallThrowTrace() {
    static const PVOID handler = AddVectoredExceptionHandler(1, RecordThrow);
    (void)handler;
}

TThrowTrace LastThrowTrace() {
    TThrowTrace trace;
    trace.Address = reinterpret_cast<uintptr_t>(Recorded.Address);
    // The walk can end in empty slots past the thread's first frame.
    for (USHORT i = 0; i < Recorded.Count && Recorded.Frames[i]; ++i)
        trace.Frames.push_back(reinterpret_cast<uintptr_t>(Recorded.Frames[i]));
    return trace;
}

TThrowTraceFreeze::TThrowTraceFreeze() {
    ++Frozen;
}

TThrowTraceFreeze::~TThrowTraceFreeze() {
    --Frozen;
}
