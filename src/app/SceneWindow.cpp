#include "app/SceneWindow.h"

#include "app/FaultReport.h"
#include "base/PendingException.h"
#include "render/SystemError.h"

namespace {

const wchar_t SceneClassName[] = L"GlimmeraScene";
const wchar_t GLClassName[] = L"GlimmeraGL";

// CS_OWNDC: where framebuffer objects are missing, the frame is drawn on this window itself.
WNDCLASSW SceneClass(WNDPROC windowProc) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = SceneClassName;
    return windowClass;
}

WNDCLASSW GLClass() {
    WNDCLASSW windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = GLClassName;
    return windowClass;
}

} // namespace

TSceneWindow::TSceneWindow(HWND parent, const RECT& bounds, TSceneWindowSite& site)
    : FSite(site), FClass(SceneClass(WindowProc)) {
    FWindow.Reset(CreateWindowExW(
        0, SceneClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, bounds.left,
        bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
        GetModuleHandleW(nullptr), this));
    if (!FWindow)
        RaiseLastOSError();
}

void TSceneWindow::Place(const RECT& bounds) {
    SetWindowPos(Handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK TSceneWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* owner = reinterpret_cast<TSceneWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // Messages of creation and destruction come while the owner is not (or no longer) whole.
    LRESULT result = 0;
    if (owner && owner->FWindow.Get() == window && !ProgramFaulted() &&
        KeepingExceptions(
            true, [&] { return owner->FSite.SceneMessage(message, wParam, lParam, result); }))
        return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

THiddenGLWindow::THiddenGLWindow() : FClass(GLClass()) {
    FWindow.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, GLClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr));
}
