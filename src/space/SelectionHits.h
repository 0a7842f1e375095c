#pragma once
// Reading the hit records of an OpenGL selection pass.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Records are (name count, minimum depth, maximum depth, names...). A negative hitCount (the
// buffer overflowed) reads every record that fits; a record that runs past the buffer ends the
// walk.

// The first name of the named record with the smallest minimum depth (unsigned; the earlier
// record on equal depth), none without one.
std::optional<uint32_t> NearestHitName(std::span<const uint32_t> buffer, int32_t hitCount);

// Every name of every record, in the records' order.
std::vector<uint32_t> HitNames(std::span<const uint32_t> buffer, int32_t hitCount);

// The words a record of one name takes.
constexpr int32_t OneNameRecordWords = 4;
