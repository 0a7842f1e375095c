#include "interact/ShellIDListArray.h"

#include "base/Errors.h"

#include <cstring>

namespace {

constexpr std::size_t FieldSize = 4; // the count and each offset: uint32, little-endian

void PutUInt32(uint8_t* at, uint32_t value) {
    for (std::size_t i = 0; i < FieldSize; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t UInt32At(const uint8_t* at) {
    uint32_t value = 0;
    for (std::size_t i = 0; i < FieldSize; ++i)
        value |= static_cast<uint32_t>(at[i]) << (8 * i);
    return value;
}

} // namespace

std::optional<std::vector<uint8_t>> BuildIDListArray(const TIDList* parent,
                                                     const std::vector<const TIDList*>& children) {
    if (!parent || children.empty())
        return std::nullopt;
    std::vector<const TIDList*> lists{parent};
    for (const TIDList* child : children) {
        if (!child)
            return std::nullopt;
        lists.push_back(child);
    }
    const std::size_t tableSize = FieldSize * (lists.size() + 1);
    std::size_t total = tableSize;
    for (const TIDList* list : lists)
        total += IDListSize(list);

    std::vector<uint8_t> block(total);
    PutUInt32(block.data(), static_cast<uint32_t>(children.size()));
    std::size_t offsetsWritten = 0;
    std::size_t at = tableSize;
    for (const TIDList* list : lists) {
        PutUInt32(block.data() + FieldSize * (1 + offsetsWritten++), static_cast<uint32_t>(at));
        const std::size_t size = IDListSize(list);
        std::memcpy(block.data() + at, list, size);
        at += size;
    }
    GMAssert(offsetsWritten == children.size() + 1 && at == total, "FileEngine");
    return block;
}

std::optional<TIDListArrayView> ReadIDListArray(std::span<const uint8_t> block) {
    if (block.size() < FieldSize)
        return std::nullopt;
    // 64-bit so that a huge count cannot wrap around.
    const uint64_t count = UInt32At(block.data());
    if (count == 0 || FieldSize * (count + 2) > block.size())
        return std::nullopt;

    std::vector<std::span<const uint8_t>> lists;
    for (uint64_t i = 0; i <= count; ++i) {
        const std::size_t offset = UInt32At(block.data() + FieldSize * (1 + i));
        if (offset >= block.size())
            return std::nullopt;
        const std::size_t available = block.size() - offset;
        const auto* list = reinterpret_cast<const TIDList*>(block.data() + offset);
        const std::size_t size = IDListSizeWithin(list, available);
        // A list cut by the block's end, or by a malformed count, has no terminator there.
        if (size > available || block[offset + size - 2] != 0 || block[offset + size - 1] != 0)
            return std::nullopt;
        lists.push_back(block.subspan(offset, size));
    }
    TIDListArrayView view{lists.front(), {}};
    view.Children.assign(lists.begin() + 1, lists.end());
    return view;
}
