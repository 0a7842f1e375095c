#pragma once
// What the animations need from the main window: a periodic timer per animation kind and a
// repaint after each step. The Win32 layer drives them from the main window's WM_TIMER.
#include <cstdint>

#include "base/WindowIds.h"

// Ids of the main window's timers that step the animations.
constexpr uint32_t CameraFlightTimerId = TimerId(TMainTimer::CameraFlight);
constexpr uint32_t LayoutSwapTimerId = TimerId(TMainTimer::LayoutSwap);

class TAnimationTimer {
public:
    virtual ~TAnimationTimer() = default;
    // Starts the timer with this id at the shortest interval; false when it could not start.
    virtual bool Start(uint32_t timerId) = 0;
    virtual void Stop(uint32_t timerId) = 0;
    // Shows the new state of the scene.
    virtual void Redraw() = 0;
};
