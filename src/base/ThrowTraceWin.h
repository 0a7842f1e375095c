#pragma once
// Where C++ exceptions were raised: a vectored handler sees every throw first, on the thrower's
// stack, and keeps its address and back trace for the error report.
#include <cstdint>
#include <vector>

// Once at start.
void InstallThrowTrace();

struct TThrowTrace {
    uint64_t Address = 0;
    std::vector<uint64_t> Frames;
};
// The last throw of the calling thread.
TThrowTrace LastThrowTrace();

// While one lives, throws on this thread are not recorded: a kept exception raised again
// elsewhere keeps the trace of its first throw.
class TThrowTraceFreeze {
public:
    TThrowTraceFreeze();
    ~TThrowTraceFreeze();
    TThrowTraceFreeze(const TThrowTraceFreeze&) = delete;
    TThrowTraceFreeze& operator=(const TThrowTraceFreeze&) = delete;
};
