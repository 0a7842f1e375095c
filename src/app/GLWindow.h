#pragma once
// The top-level window with its own device context and OpenGL context.
#include <windows.h>

#include <string>

extern HDC DC;
extern HGLRC RC;

// Registers the class and creates the hidden window with the given client size and position.
// Shows the failure box and returns false on failure.
bool CreateGLWindow(const wchar_t* title, int clientWidth, int clientHeight, int left, int top);

// Pixel format and rendering context; shows the failing step's box and returns false.
bool CreateGLContext();

// Releases the context, the device context and the window, then unregisters the class.
// Each failing step shows its box and the teardown goes on.
void DestroyGLWindow();
