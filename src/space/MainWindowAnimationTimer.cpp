#include "space/MainWindowAnimationTimer.h"

#include "app/MainWindow.h"

static_assert(CameraFlightTimerId == TIMER_CAMERA_FLIGHT);
static_assert(LayoutSwapTimerId == TIMER_LAYOUT_SWAP);

namespace {

// The shortest interval; the real pace is the system timer resolution.
constexpr UINT AnimationInterval = 1;

class TMainWindowAnimationTimer : public TAnimationTimer {
public:
    bool Start(uint32_t timerId) override {
        // Without a window SetTimer would make a thread timer with an id of its own.
        if (!MainWindow)
            return false;
        return SetTimer(MainWindow, timerId, AnimationInterval, nullptr) != 0;
    }
    void Stop(uint32_t timerId) override {
        if (MainWindow)
            KillTimer(MainWindow, timerId);
    }
    void Redraw() override { RequestRedraw(); }
};

} // namespace

TAnimationTimer& MainWindowAnimationTimer() {
    static TMainWindowAnimationTimer timer;
    return timer;
}
