#include "base/ProcessClock.h"

#include <windows.h>

namespace {

uint64_t Ticks(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

constexpr double TicksPerMillisecond = 10000.0;

} // namespace

double MillisecondsSinceProcessStart() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    GetSystemTimeAsFileTime(&now);
    return static_cast<double>(Ticks(now) - Ticks(created)) / TicksPerMillisecond;
}
