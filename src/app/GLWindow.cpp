#include "app/GLWindow.h"

#include "app/AddressEdit.h"
#include "app/Main.h"
#include "app/MainWindow.h"
#include "app/PixelFormat.h"

HDC DC = nullptr;
HGLRC RC = nullptr;

namespace {

const wchar_t ClassName[] = L"Glimmera";
constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD WindowExStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;

void SetupError(const char* text) {
    DestroyGLWindow();
    MessageBoxA(nullptr, text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

void ShutdownError(const char* text) {
    MessageBoxA(nullptr, text, " Shutdown Error", MB_OK | MB_ICONERROR);
}

} // namespace

bool CreateGLWindow(const wchar_t* title, int clientWidth, int clientHeight, int left, int top) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(111));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszMenuName = MAKEINTRESOURCEW(110);
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassW(&windowClass)) {
        MessageBoxA(nullptr, "Failed To Register The Window Class.", "Error", MB_OK | MB_ICONERROR);
        return false;
    }
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, WindowStyle, TRUE, WindowExStyle);
    ClientWidth = clientWidth;
    ClientHeight = clientHeight;
    MainWindow = CreateWindowExW(WindowExStyle, ClassName, title, WindowStyle, left, top,
                                 outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                 nullptr, instance, nullptr);
    if (!MainWindow) {
        SetupError("Window creation error.");
        return false;
    }
    CreateAddressEdit();
    return true;
}

bool CreateGLContext() {
    DC = GetDC(MainWindow);
    if (!DC) {
        SetupError("Cant't create a GL device context.");
        return false;
    }
    PIXELFORMATDESCRIPTOR pfd = ScenePixelFormat();
    const int format = ChoosePixelFormat(DC, &pfd);
    if (format == 0) {
        SetupError("Cant't Find A Suitable PixelFormat.");
        return false;
    }
    if (!SetPixelFormat(DC, format, &pfd)) {
        SetupError("Cant't set PixelFormat.");
        return false;
    }
    RC = wglCreateContext(DC);
    if (!RC) {
        SetupError("Cant't create a GL rendering context.");
        return false;
    }
    return true;
}

void DestroyGLWindow() {
    DestroyAddressEdit();
    if (RC) {
        if (!wglMakeCurrent(nullptr, nullptr))
            ShutdownError("Release of DC and RC failed.");
        if (!wglDeleteContext(RC))
            ShutdownError("Release of Rendering Context failed.");
        RC = nullptr;
    }
    if (DC) {
        if (!ReleaseDC(MainWindow, DC))
            ShutdownError("Release of Device Context failed.");
        DC = nullptr;
    }
    if (MainWindow) {
        if (!DestroyWindow(MainWindow))
            ShutdownError("Could not release hWnd.");
        MainWindow = nullptr;
    }
    if (!UnregisterClassW(ClassName, GetModuleHandleW(nullptr)))
        MessageBoxA(nullptr, "Could Not Unregister Class.", "SHUTDOWN ERROR",
                    MB_OK | MB_ICONINFORMATION);
    ShowCursor(TRUE);
}
