#include "space/WindowAnimationTimer.h"

namespace {
// The shortest interval; the real pace is the system timer resolution.
constexpr UINT AnimationInterval = 1;
} // namespace

bool TWindowAnimationTimer::Start(uint32_t timerId) {
    // Without a window SetTimer would make a thread timer with an id of its own.
    HWND window = FWindow.MainWindow();
    return window && SetTimer(window, timerId, AnimationInterval, nullptr) != 0;
}

void TWindowAnimationTimer::Stop(uint32_t timerId) {
    if (HWND window = FWindow.MainWindow())
        KillTimer(window, timerId);
}
