#include "app/GLWindow.h"

#include "app/MainMenuIds.h"
#include "app/PixelFormat.h"

namespace {

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

void ShowShutdownError(const char* text) {
    MessageBoxA(nullptr, text, " Shutdown Error", MB_OK | MB_ICONERROR);
}

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

const char* SetScenePixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR pfd = ScenePixelFormat();
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0)
        return "Cant't Find A Suitable PixelFormat.";
    if (!SetPixelFormat(dc, format, &pfd))
        return "Cant't set PixelFormat.";
    return nullptr;
}

const char* CreateSceneContext(HDC dc, TGLContext& context) {
    if (const char* failure = SetScenePixelFormat(dc))
        return failure;
    context.Reset(wglCreateContext(dc));
    if (!context)
        return "Cant't create a GL rendering context.";
    return nullptr;
}
