#pragma once
// The main window's class and the boxes of its set-up and teardown; the window, its device
// context and the OpenGL context have their owners in base/Handles.h.
#include <windows.h>

#include "base/Handles.h"

// The window class; unregistering it last also shows the cursor again.
class TMainWindowClass {
public:
    // Shows "Failed To Register The Window Class." and stays unregistered on failure.
    TMainWindowClass(const wchar_t* name, WNDPROC windowProc);
    ~TMainWindowClass() { Close(); }
    TMainWindowClass(const TMainWindowClass&) = delete;
    TMainWindowClass& operator=(const TMainWindowClass&) = delete;
    bool Registered() const { return FClass.Registered(); }
    void Close();

private:
    TWindowClass FClass;
    bool FOpen = true;
};

// Sets the scene's pixel format on dc; the failing step's box text, or nullptr on success.
const char* SetScenePixelFormat(HDC dc);
// The scene's pixel format and a rendering context for dc; the failing step's box text, or
// nullptr on success.
const char* CreateSceneContext(HDC dc, TGLContext& context);

// The box of a failed set-up step ("Error", exclamation), shown after the teardown.
void ShowSetupError(const char* text);
// The box of a release the system refused; the teardown goes on.
void ShowShutdownError(const char* text);
