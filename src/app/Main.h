#pragma once
// The main window's life: start-up, message loop, frames and shutdown.
#include <windows.h>

// The whole life of the window; returns the quit message's wParam.
int RunMain();

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Draws one frame; true when it drew.
bool RenderFrame();

void ResizeClient(int width, int height);
