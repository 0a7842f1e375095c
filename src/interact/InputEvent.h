#pragma once
// One mouse, wheel, key or character message as the scene sees it: made at the window's edge,
// with the buttons and modifiers as they were when the message was made, so the scene never
// asks the keyboard's state afterwards.
#include <cstdint>

// Held buttons and modifiers. The mouse bits have the values of the messages' MK_ flags.
enum TInputHeld : uint32_t {
    HeldLeft = 0x1,
    HeldRight = 0x2,
    HeldShift = 0x4,
    HeldCtrl = 0x8,
    HeldMiddle = 0x10,
    HeldX1 = 0x20,
    HeldX2 = 0x40,
    HeldAlt = 0x100,
};

enum class TInputKind : uint8_t {
    LeftDown,
    LeftUp,
    RightDown,
    RightUp,
    MiddleDown,
    MiddleUp,
    Move,
    Wheel,
    KeyDown,
    KeyUp,
    SysKeyDown,
    Char,
};

// Virtual key codes the scene handles; the values are the platform's.
namespace Key {
constexpr uint32_t Back = 0x08;
constexpr uint32_t Tab = 0x09;
constexpr uint32_t Return = 0x0D;
constexpr uint32_t Shift = 0x10;
constexpr uint32_t Control = 0x11;
constexpr uint32_t Space = 0x20;
constexpr uint32_t PageUp = 0x21;
constexpr uint32_t PageDown = 0x22;
constexpr uint32_t Left = 0x25;
constexpr uint32_t Up = 0x26;
constexpr uint32_t Right = 0x27;
constexpr uint32_t Down = 0x28;
constexpr uint32_t Delete = 0x2E;
constexpr uint32_t F1 = 0x70;
constexpr uint32_t F2 = 0x71;
constexpr uint32_t F3 = 0x72;
constexpr uint32_t F5 = 0x74;
constexpr uint32_t F7 = 0x76;
} // namespace Key

struct TInputEvent {
    TInputKind Kind = TInputKind::Move;
    // Main-window client coordinates; signed, as a captured drag may leave the window.
    int32_t X = 0;
    int32_t Y = 0;
    uint32_t Held = 0;
    // Wheel: positive away from the user.
    int32_t WheelDelta = 0;
    // Keys: the virtual key; characters: the UTF-16 unit.
    uint32_t Key = 0;

    bool Holds(uint32_t flags) const { return (Held & flags) == flags; }
    bool Shift() const { return Holds(HeldShift); }
    bool Ctrl() const { return Holds(HeldCtrl); }
    bool Alt() const { return Holds(HeldAlt); }
};
