#pragma once
// The main window's values that other parts of the program read.
#include <windows.h>
#include <cstdint>

extern HWND MainWindow;
extern int32_t ClientWidth;
extern int32_t ClientHeight;
// Width of the Explorer strip; the scene starts at x = Split. At least 10.
extern int32_t Split;
// 1 once the window was asked to close; late icon messages are ignored from then on.
extern int32_t Closing;
// While true, frames draw nothing.
extern bool PaintSuspended;

// Private messages of the main window.
constexpr UINT WM_GM_REPAINT = 1025;
constexpr UINT WM_GM_FOLDER_CHANGED = 1026;
constexpr UINT WM_GM_LOAD_ICON = 1027;
constexpr UINT WM_GM_SHELL_DESKTOP = 1028;
constexpr UINT WM_GM_SHELL_RECYCLE_BIN = 1029;
constexpr UINT WM_GM_SHELL_COMPUTER = 1030;

// Timers of the main window.
constexpr UINT_PTR TIMER_CAMERA_FLIGHT = 0;
constexpr UINT_PTR TIMER_WIDGET_CARET = 1;
constexpr UINT_PTR TIMER_TYPE_AHEAD = 2;
constexpr UINT_PTR TIMER_LAYOUT_SWAP = 4;

// Invalidates the client area and paints it before returning. Does nothing without a window.
void RequestRedraw();
