#include "app/InputEvents.h"

#include <windowsx.h>

namespace {

static_assert(HeldLeft == MK_LBUTTON && HeldRight == MK_RBUTTON && HeldShift == MK_SHIFT &&
              HeldCtrl == MK_CONTROL && HeldMiddle == MK_MBUTTON && HeldX1 == MK_XBUTTON1 &&
              HeldX2 == MK_XBUTTON2);
static_assert(Key::Back == VK_BACK && Key::Tab == VK_TAB && Key::Return == VK_RETURN &&
              Key::Shift == VK_SHIFT && Key::Control == VK_CONTROL && Key::Space == VK_SPACE &&
              Key::PageUp == VK_PRIOR && Key::PageDown == VK_NEXT && Key::Left == VK_LEFT &&
              Key::Up == VK_UP && Key::Right == VK_RIGHT && Key::Down == VK_DOWN &&
              Key::Delete == VK_DELETE && Key::F1 == VK_F1 && Key::F2 == VK_F2 &&
              Key::F3 == VK_F3 && Key::F5 == VK_F5 && Key::F7 == VK_F7);

constexpr uint32_t MouseHeldBits =
    MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

// The modifiers as they were when the key message was made: GetKeyState follows the messages
// the thread has taken, not the keyboard of now.
uint32_t KeyMessageModifiers() {
    uint32_t held = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        held |= HeldShift;
    if (GetKeyState(VK_CONTROL) < 0)
        held |= HeldCtrl;
    if (GetKeyState(VK_MENU) < 0)
        held |= HeldAlt;
    return held;
}

std::optional<TInputKind> KindOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
        return TInputKind::LeftDown;
    case WM_LBUTTONUP:
        return TInputKind::LeftUp;
    case WM_RBUTTONDOWN:
        return TInputKind::RightDown;
    case WM_RBUTTONUP:
        return TInputKind::RightUp;
    case WM_MBUTTONDOWN:
        return TInputKind::MiddleDown;
    case WM_MBUTTONUP:
        return TInputKind::MiddleUp;
    case WM_MOUSEMOVE:
        return TInputKind::Move;
    case WM_MOUSEWHEEL:
        return TInputKind::Wheel;
    case WM_KEYDOWN:
        return TInputKind::KeyDown;
    case WM_KEYUP:
        return TInputKind::KeyUp;
    case WM_SYSKEYDOWN:
        return TInputKind::SysKeyDown;
    case WM_CHAR:
        return TInputKind::Char;
    }
    return std::nullopt;
}

} // namespace

std::optional<TInputEvent> SceneInputEvent(HWND sceneWindow, UINT message, WPARAM wParam,
                                           LPARAM lParam, int32_t offsetX) {
    const std::optional<TInputKind> kind = KindOf(message);
    if (!kind)
        return std::nullopt;
    TInputEvent event;
    event.Kind = *kind;
    switch (event.Kind) {
    case TInputKind::KeyDown:
    case TInputKind::KeyUp:
    case TInputKind::SysKeyDown:
    case TInputKind::Char:
        event.Key = static_cast<uint32_t>(wParam);
        event.Held = KeyMessageModifiers();
        return event;
    case TInputKind::Wheel: {
        // The wheel's point is on the screen.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(sceneWindow, &point);
        event.X = point.x + offsetX;
        event.Y = point.y;
        event.WheelDelta = GET_WHEEL_DELTA_WPARAM(wParam);
        event.Held = GET_KEYSTATE_WPARAM(wParam) & MouseHeldBits;
        return event;
    }
    default:
        event.X = GET_X_LPARAM(lParam) + offsetX;
        event.Y = GET_Y_LPARAM(lParam);
        event.Held = static_cast<uint32_t>(wParam) & MouseHeldBits;
        return event;
    }
}

bool IsButtonEvent(const TInputEvent& event) {
    switch (event.Kind) {
    case TInputKind::LeftDown:
    case TInputKind::LeftUp:
    case TInputKind::RightDown:
    case TInputKind::RightUp:
    case TInputKind::MiddleDown:
    case TInputKind::MiddleUp:
        return true;
    default:
        return false;
    }
}
