#pragma once
// The "Shell IDList Array" clipboard and drag format: a count N, N + 1 offsets from the
// block's start (the parent folder's absolute ID list, then the N children's ID lists), and
// the lists themselves, each with its terminator.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "services/IDLists.h"

// The block for a parent and its selected children, in order; none without children.
std::optional<std::vector<uint8_t>> BuildIDListArray(const TIDList* parent,
                                                     const std::vector<const TIDList*>& children);

struct TIDListArrayView {
    std::span<const uint8_t> Parent;                // the parent's list, terminator included
    std::vector<std::span<const uint8_t>> Children; // each child's list, terminator included
};

// The lists of a block from anywhere, each checked to lie whole within the block and to end
// with its terminator; none when the count is zero or too large for the block, or an offset or
// a list does not fit.
std::optional<TIDListArrayView> ReadIDListArray(std::span<const uint8_t> block);
