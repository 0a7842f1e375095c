#include "space/SelectionHits.h"

std::optional<uint32_t> NearestHitName(std::span<const uint32_t> buffer, int32_t hitCount) {
    std::optional<uint32_t> nearestName;
    uint32_t nearestDepth = 0;
    size_t at = 0;
    for (int32_t record = 0; hitCount < 0 || record < hitCount; ++record) {
        if (buffer.size() - at < 3)
            break;
        const uint32_t nameCount = buffer[at];
        const uint32_t minDepth = buffer[at + 1];
        if (buffer.size() - at - 3 < nameCount)
            break;
        if (nameCount > 0 && (!nearestName || minDepth < nearestDepth)) {
            nearestName = buffer[at + 3];
            nearestDepth = minDepth;
        }
        at += 3 + size_t(nameCount);
    }
    return nearestName;
}
