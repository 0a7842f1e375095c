#pragma once
// The scene's own window: a plain child of the main window beside the Explorer pane and the
// address edit. It shows the finished frame and takes the scene's mouse and keyboard input;
// what it receives goes to its site.
#include <windows.h>

#include "base/Handles.h"

class TSceneWindowSite {
public:
    // True when the message is answered with result, without default processing.
    virtual bool SceneMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

protected:
    ~TSceneWindowSite() = default;
};

class TSceneWindow {
public:
    // A child of parent covering (x, y, width, height); the site must outlive the window.
    TSceneWindow(HWND parent, const RECT& bounds, TSceneWindowSite& site);
    TSceneWindow(const TSceneWindow&) = delete;
    TSceneWindow& operator=(const TSceneWindow&) = delete;

    HWND Handle() const { return FWindow.Get(); }
    // Moves the window; it repaints what the move uncovers.
    void Place(const RECT& bounds);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    TSceneWindowSite& FSite;
    TWindowClass FClass;
    TOwnedWindow FWindow;
};

// A hidden top-level window that only carries the GL context's device context: the frame is
// drawn off screen, so no window on screen holds a GL surface.
class THiddenGLWindow {
public:
    THiddenGLWindow();
    THiddenGLWindow(const THiddenGLWindow&) = delete;
    THiddenGLWindow& operator=(const THiddenGLWindow&) = delete;

    HWND Handle() const { return FWindow.Get(); }

private:
    TWindowClass FClass;
    TOwnedWindow FWindow;
};
