#pragma once
// What the scene's parts read of the main window. The main window implements it; everything
// below the program's top layer sees the window only through this.
#include <windows.h>

#include <cstdint>

class TMainWindowValues {
public:
    virtual HWND MainWindow() const = 0;
    // The child window that shows the scene and takes its mouse and keyboard input; mouse
    // positions the scene's parts see are in the main window's client coordinates all the same.
    virtual HWND SceneWindow() const = 0;
    virtual int32_t ClientWidth() const = 0;
    virtual int32_t ClientHeight() const = 0;
    // Width of the Explorer strip; the scene starts at x = Split. At least 10.
    virtual int32_t Split() const = 0;
    // Id of the scene's viewport with the viewport manager.
    virtual int32_t SceneViewport() const = 0;
    // Any thread: true once the window was asked to close; late icon messages are ignored then.
    virtual bool Closing() const = 0;
    // While true, frames draw nothing.
    virtual bool PaintSuspended() const = 0;
    // Invalidates the client area and paints it before returning.
    virtual void RequestRedraw() = 0;

protected:
    ~TMainWindowValues() = default;
};
