#pragma once
// The window's edge of the scene's input: a mouse, wheel, key or character message of the scene
// window becomes one input event.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "interact/InputEvent.h"

// offsetX: where the scene window starts in the main window's client area, since the scene's
// parts see main-window client coordinates. None for another message.
std::optional<TInputEvent> SceneInputEvent(HWND sceneWindow, UINT message, WPARAM wParam,
                                           LPARAM lParam, int32_t offsetX);

// Whether the event's message is a button's, which the window handles in full.
bool IsButtonEvent(const TInputEvent& event);
