#include "services/IDLists.h"

#include "services/TaskMemory.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr std::size_t Unbounded = std::numeric_limits<std::size_t>::max();

const uint8_t* Bytes(const TIDList* list) {
    return reinterpret_cast<const uint8_t*>(list);
}

// Item counts are little-endian and items need not be aligned.
std::size_t CountAt(const uint8_t* p) {
    return static_cast<std::size_t>(p[0]) | (static_cast<std::size_t>(p[1]) << 8);
}

struct TWalk {
    std::size_t ItemBytes = 0;  // bytes of the well-formed items, terminator excluded
    std::size_t LastItemAt = 0; // offset of the last item (0 when there is none)
    int Items = 0;
};

TWalk Walk(const TIDList* list, std::size_t available) {
    TWalk walk;
    const uint8_t* bytes = Bytes(list);
    std::size_t offset = 0;
    while (available - offset >= 2) {
        const std::size_t count = CountAt(bytes + offset);
        if (count < 2 || count > available - offset)
            break;
        walk.LastItemAt = offset;
        walk.Items += 1;
        offset += count;
    }
    walk.ItemBytes = offset;
    return walk;
}

TIDList* CopyItems(const uint8_t* first, std::size_t firstBytes, const uint8_t* second,
                   std::size_t secondBytes) {
    auto* copy = static_cast<uint8_t*>(TaskMemAlloc(firstBytes + secondBytes + 2));
    if (!copy)
        return nullptr;
    if (firstBytes > 0)
        std::memcpy(copy, first, firstBytes);
    if (secondBytes > 0)
        std::memcpy(copy + firstBytes, second, secondBytes);
    copy[firstBytes + secondBytes] = 0;
    copy[firstBytes + secondBytes + 1] = 0;
    return reinterpret_cast<TIDList*>(copy);
}

} // namespace

std::size_t IDListSize(const TIDList* list) {
    return list ? Walk(list, Unbounded).ItemBytes + 2 : 0;
}

std::size_t IDListSizeWithin(const TIDList* list, std::size_t available) {
    return list && available > 0 ? Walk(list, available).ItemBytes + 2 : 0;
}

int IDListItemCount(const TIDList* list) {
    return list ? Walk(list, Unbounded).Items : 0;
}

bool IsEmptyIDList(const TIDList* list) {
    return list && Walk(list, Unbounded).Items == 0;
}

const TIDList* LastIDListItem(const TIDList* list) {
    if (!list)
        return nullptr;
    return reinterpret_cast<const TIDList*>(Bytes(list) + Walk(list, Unbounded).LastItemAt);
}

bool IDListEqual(const TIDList* a, const TIDList* b) {
    if (!a || !b)
        return a == b;
    const std::size_t size = Walk(a, Unbounded).ItemBytes;
    return size == Walk(b, Unbounded).ItemBytes && std::memcmp(a, b, size) == 0;
}

TIDList* CloneIDList(const TIDList* list) {
    return list ? CopyItems(Bytes(list), Walk(list, Unbounded).ItemBytes, nullptr, 0) : nullptr;
}

TIDList* CloneIDListWithin(const TIDList* list, std::size_t available) {
    if (!list || available == 0)
        return nullptr;
    return CopyItems(Bytes(list), Walk(list, available).ItemBytes, nullptr, 0);
}

TIDList* ConcatIDLists(const TIDList* a, const TIDList* b) {
    if (!a && !b)
        return nullptr;
    const std::size_t aBytes = a ? Walk(a, Unbounded).ItemBytes : 0;
    const std::size_t bBytes = b ? Walk(b, Unbounded).ItemBytes : 0;
    return CopyItems(Bytes(a), aBytes, Bytes(b), bBytes);
}

TIDList* CloneParentIDList(const TIDList* list) {
    if (!list)
        return nullptr;
    const TWalk walk = Walk(list, Unbounded);
    if (walk.Items < 2)
        return nullptr;
    return CopyItems(Bytes(list), walk.LastItemAt, nullptr, 0);
}

TIDList* CloneLastIDListItem(const TIDList* list) {
    if (!list)
        return nullptr;
    const TWalk walk = Walk(list, Unbounded);
    return CopyItems(Bytes(list) + walk.LastItemAt, walk.ItemBytes - walk.LastItemAt, nullptr, 0);
}
