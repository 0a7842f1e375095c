#pragma once
// What a drop onto the scene would do, apart from OLE: the operation shown and the effect
// asked for by the held keys and the effects the source allows, and the label that says so.
#include <cstdint>
#include <string>

// The OLE values, so that the rules need no Windows header.
constexpr uint32_t DropEffectNone = 0;
constexpr uint32_t DropEffectCopy = 1;
constexpr uint32_t DropEffectMove = 2;
constexpr uint32_t DropEffectLink = 4;
constexpr uint32_t DropKeyShift = 4;   // MK_SHIFT
constexpr uint32_t DropKeyControl = 8; // MK_CONTROL

enum class TDropOperation : uint8_t { Copy = 0, Move = 1, Shortcut = 2 };

struct TDropDecision {
    TDropOperation Operation = TDropOperation::Move;
    uint32_t Effect = DropEffectNone;
};

// Ctrl+Shift links, Ctrl copies, Shift moves; without keys, or when the source forbids the
// keys' effect, a move when allowed, else a copy when allowed. The operation shown stays the
// keys' one. Nothing is dropped where there is no target.
TDropDecision DecideDrop(uint32_t keys, uint32_t allowed, bool hasTarget);

// Onto the Recycle Bin every drop is a move into it, when the source allows a move.
TDropDecision DecideRecycleDrop(uint32_t allowed);

// Where a drop lands: the label's target (a folder's path, or the Recycle Bin's name), empty
// where nothing can be dropped.
struct TDropPlace {
    std::u16string Target;
    bool RecycleBin = false;
};

// What the drag label shows, and whether a drag is over the window at all.
struct TPhantomState {
    bool Inside = false;
    bool NoTarget = true;
    TDropOperation Operation = TDropOperation::Move;
    std::u16string Target;
    bool operator==(const TPhantomState&) const = default;
};

// The label's lines: the operation's word and "To" with the target path, each ending in a space.
std::u16string PhantomOperationLine(const std::u16string& word);
std::u16string PhantomTargetLine(const std::u16string& to, const std::u16string& target);

// Room kept between the label and the viewport's right edge.
constexpr int32_t PhantomRightMargin = 2;
// The label's left edge at x, moved left to stay inside the viewport and never left of it.
int32_t ClampPhantomX(int32_t x, int32_t labelWidth, int32_t viewportWidth);
