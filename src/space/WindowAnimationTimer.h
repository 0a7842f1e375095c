#pragma once
// The animations' timers on the main window: WM_TIMER of CameraFlightTimerId and
// LayoutSwapTimerId reaches the animators through the main window's timer dispatch.
#include "base/MainWindowValues.h"
#include "space/AnimationTimer.h"

class TWindowAnimationTimer final : public TAnimationTimer {
public:
    explicit TWindowAnimationTimer(TMainWindowValues& window) : FWindow(window) {}
    // Fails while there is no main window.
    bool Start(uint32_t timerId) override;
    void Stop(uint32_t timerId) override;
    void Redraw() override { FWindow.RequestRedraw(); }

private:
    TMainWindowValues& FWindow;
};
