#include "app/FaultReport.h"

#include <windows.h>

#include <atomic>
#include <utility>

#include "base/Handles.h"
#include "base/WinString.h"

namespace {

constexpr size_t MaxFrames = 62;

std::function<void(const TExceptionFacts&)> ShowReport;
std::atomic<bool> Faulted{false};
std::atomic<bool> ReportClaimed{false};

// The first fault, copied by the faulting thread for the report's thread.
EXCEPTION_RECORD FaultRecord;
CONTEXT FaultContext;

// The return addresses from the faulting instruction outwards, unwound from the fault's context
// by the tables every x64 function has.
std::vector<uint64_t> StackOf(CONTEXT context) {
    std::vector<uint64_t> frames;
#if defined(_M_X64) || defined(__x86_64__)
    while (context.Rip != 0 && frames.size() < MaxFrames) {
        frames.push_back(context.Rip);
        DWORD64 imageBase = 0;
        RUNTIME_FUNCTION* function = RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
        if (!function) {
            // A leaf function: its return address is on top of the stack.
            context.Rip = *reinterpret_cast<const DWORD64*>(context.Rsp);
            context.Rsp += sizeof(DWORD64);
            continue;
        }
        void* handlerData = nullptr;
        DWORD64 establisher = 0;
        RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context,
                         &handlerData, &establisher, nullptr);
    }
#else
    frames.push_back(reinterpret_cast<uintptr_t>(FaultRecord.ExceptionAddress));
#endif
    return frames;
}

std::u16string ModuleOf(uint64_t address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(address)), &module))
        return std::u16string();
    wchar_t path[MAX_PATH] = {};
    if (GetModuleFileNameW(module, path, MAX_PATH) == 0)
        return std::u16string();
    const wchar_t* name = path;
    for (const wchar_t* c = path; *c; ++c)
        if (*c == L'\\' || *c == L'/')
            name = c + 1;
    return FromWide(name);
}

DWORD WINAPI ReportFault(void*) {
    TFault fault;
    fault.Code = FaultRecord.ExceptionCode;
    fault.Address = reinterpret_cast<uintptr_t>(FaultRecord.ExceptionAddress);
    fault.Module = ModuleOf(fault.Address);
    if (fault.Code == EXCEPTION_ACCESS_VIOLATION && FaultRecord.NumberParameters >= 2) {
        fault.HasAccess = true;
        fault.Access = static_cast<uint32_t>(FaultRecord.ExceptionInformation[0]);
        fault.Target = FaultRecord.ExceptionInformation[1];
    }
    fault.Frames = StackOf(FaultContext);
    ShowReport(FaultFacts(fault));
    return 0;
}

LONG WINAPI OnUnhandledFault(EXCEPTION_POINTERS* info) {
    Faulted = true;
    if (!ClaimErrorReport())
        TerminateProcess(GetCurrentProcess(), 0);
    FaultRecord = *info->ExceptionRecord;
    FaultContext = *info->ContextRecord;
    // The report runs on a fresh stack: the faulting one may be spent (a stack overflow), and a
    // dialog on the window's thread would hand its messages to the program's windows.
    const TKernelHandle reporter(CreateThread(nullptr, 0, ReportFault, nullptr, 0, nullptr));
    HANDLE waited = reporter.Get();
    // Messages other threads send to this thread's windows are answered meanwhile (the windows
    // leave them to the system): the shell's change notices, sent when the report's mail
    // checks a certificate and creates a cache folder, would wait for ever otherwise.
    while (waited && MsgWaitForMultipleObjects(1, &waited, FALSE, INFINITE, QS_SENDMESSAGE) ==
                         WAIT_OBJECT_0 + 1) {
        MSG sent;
        PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    TerminateProcess(GetCurrentProcess(), 0);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void InstallFaultReport(std::function<void(const TExceptionFacts&)> show) {
    ShowReport = std::move(show);
    SetUnhandledExceptionFilter(OnUnhandledFault);
}

bool ProgramFaulted() {
    return Faulted;
}

bool ClaimErrorReport() {
    return !ReportClaimed.exchange(true);
}
