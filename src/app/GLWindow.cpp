#include "app/GLWindow.h"

#include "app/MainMenuIds.h"
#include "app/PixelFormat.h"

namespace {

void ShowShutdownError(const char* text) {
    MessageBoxA(nullptr, text, " Shutdown Error", MB_OK | MB_ICONERROR);
}

WNDCLASSW MainClass(const wchar_t* name, WNDPROC windowProc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PROGRAM));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
    windowClass.lpszClassName = name;
    return windowClass;
}

} // namespace

void ShowSetupError(const char* text) {
    MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

TMainWindowClass::TMainWindowClass(const wchar_t* name, WNDPROC windowProc)
    : FClass(MainClass(name, windowProc)) {
    if (!FClass.Registered())
        MessageBoxA(nullptr, "Failed To Register The Window Class.", "Error", MB_OK | MB_ICONERROR);
}

void TMainWindowClass::Close() {
    if (!FOpen)
        return;
    FOpen = false;
    if (!FClass.Unregister())
        MessageBoxA(nullptr, "Could Not Unregister Class.", "SHUTDOWN ERROR",
                    MB_OK | MB_ICONINFORMATION);
    ShowCursor(TRUE);
}

void TWindowHandle::Close() {
    if (FWindow && !DestroyWindow(std::exchange(FWindow, nullptr)))
        ShowShutdownError("Could not release hWnd.");
}

bool TOwnDC::Open(HWND window) {
    FWindow = window;
    FDC = GetDC(window);
    return FDC != nullptr;
}

void TOwnDC::Close() {
    if (FDC && !ReleaseDC(FWindow, std::exchange(FDC, nullptr)))
        ShowShutdownError("Release of Device Context failed.");
}

const char* SetScenePixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR pfd = ScenePixelFormat();
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0)
        return "Cant't Find A Suitable PixelFormat.";
    if (!SetPixelFormat(dc, format, &pfd))
        return "Cant't set PixelFormat.";
    return nullptr;
}

const char* TGLContext::Open(HDC dc) {
    if (const char* failure = SetScenePixelFormat(dc))
        return failure;
    FRC = wglCreateContext(dc);
    if (!FRC)
        return "Cant't create a GL rendering context.";
    return nullptr;
}

void TGLContext::Close() {
    if (!FRC)
        return;
    if (!wglMakeCurrent(nullptr, nullptr))
        ShowShutdownError("Release of DC and RC failed.");
    if (!wglDeleteContext(std::exchange(FRC, nullptr)))
        ShowShutdownError("Release of Rendering Context failed.");
}
