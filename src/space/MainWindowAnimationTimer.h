#pragma once
// The animations' timers on the main window: WM_TIMER of CameraFlightTimerId and
// LayoutSwapTimerId reaches the animators through the main window's timer dispatch.
#include "space/AnimationTimer.h"

// One instance for the process. Start fails while there is no main window.
TAnimationTimer& MainWindowAnimationTimer();
