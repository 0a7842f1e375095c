#pragma once
// The main window's private messages and timer ids: every subsystem that posts, sends or starts
// one names it from here.
#include <cstdint>

// Private messages of the main window.
constexpr uint32_t WM_GM_REPAINT = 1025;
constexpr uint32_t WM_GM_FOLDER_CHANGED = 1026; // wParam: the folder view
constexpr uint32_t WM_GM_LOAD_ICON = 1027;      // wParam: system image-list index
constexpr uint32_t WM_GM_SHELL_DESKTOP = 1028;
constexpr uint32_t WM_GM_SHELL_RECYCLE_BIN = 1029;
constexpr uint32_t WM_GM_SHELL_COMPUTER = 1030;

// Timers of the main window.
enum class TMainTimer : uint32_t {
    CameraFlight = 0, // 1 ms while a flight runs
    WidgetCaret = 1,  // 200 ms for the widget manager's whole life
    TypeAhead = 2,    // 500 ms after the last typed character
    LayoutSwap = 4,   // 1 ms while a layout swap runs
};

constexpr uint32_t TimerId(TMainTimer timer) {
    return static_cast<uint32_t>(timer);
}
