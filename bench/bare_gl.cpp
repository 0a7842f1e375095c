// The floor of the program's start-up on this machine: a bare program that creates a GL window
// and shows its first cleared frame, then says how long after its process started.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>

#include "app/GLWindow.h"
#include "base/Handles.h"
#include "base/ProcessClock.h"

int main() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GlimmeraBareGL";
    TWindowClass registered(windowClass);
    TOwnedWindow window(CreateWindowExW(0, windowClass.lpszClassName, L"bare GL",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1400, 900, nullptr,
                                        nullptr, windowClass.hInstance, nullptr));
    if (!registered.Registered() || !window)
        return 1;
    TWindowDC dc(window.Get());
    TGLContext context;
    if (!dc || CreateSceneContext(dc.Get(), context) || !wglMakeCurrent(dc.Get(), context.Get()))
        return 1;
    glClearColor(0.3f, 0.4f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SwapBuffers(dc.Get());
    glFinish();
    std::printf("bare first frame %.0f ms after the process started\n",
                MillisecondsSinceProcessStart());
    return 0;
}
