#pragma once
// Bits of the pass value a drawing of the levels carries: the frame draws with PassFrame; the
// scene's hit tests draw the same scene with other bits, under which pickable objects push
// their selection names.
#include <cstdint>

constexpr uint32_t PassFrame = 0x1;
constexpr uint32_t PassBandReplace = 0x2; // band selection replacing the selection
constexpr uint32_t PassBandToggle = 0x4;  // band selection with Ctrl: toggles
constexpr uint32_t PassFill = 0x8;        // the nearly transparent fill of a frame
constexpr uint32_t PassLevels = 0x10;     // frames and level captions carry their views
constexpr uint32_t PassMarkedA = 0x40;
constexpr uint32_t PassMarkedB = 0x80;
constexpr uint32_t PassItems = 0x100; // icons and item captions carry their items
