#pragma once
// Reading the hit records of an OpenGL selection pass.
#include <cstdint>
#include <optional>
#include <span>

// Records are (name count, minimum depth, maximum depth, names...). Returns the first name of
// the named record with the smallest minimum depth (unsigned; the earlier record on equal
// depth), none without one. A negative hitCount (the buffer overflowed) reads every record
// that fits; a record that runs past the buffer ends the walk.
std::optional<uint32_t> NearestHitName(std::span<const uint32_t> buffer, int32_t hitCount);
