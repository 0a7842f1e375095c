#include "space/SelectionHits.h"

namespace {

// Calls visit(minimum depth, names) for each whole record.
template <class Visit>
void ForEachHitRecord(std::span<const uint32_t> buffer, int32_t hitCount, Visit visit) {
    size_t at = 0;
    for (int32_t record = 0; hitCount < 0 || record < hitCount; ++record) {
        if (buffer.size() - at < 3)
            break;
        const uint32_t nameCount = buffer[at];
        if (buffer.size() - at - 3 < nameCount)
            break;
        visit(buffer[at + 1], buffer.subspan(at + 3, nameCount));
        at += 3 + size_t(nameCount);
    }
}

} // namespace

std::optional<uint32_t> NearestHitName(std::span<const uint32_t> buffer, int32_t hitCount) {
    std::optional<uint32_t> nearestName;
    uint32_t nearestDepth = 0;
    ForEachHitRecord(buffer, hitCount, [&](uint32_t minDepth, std::span<const uint32_t> names) {
        if (!names.empty() && (!nearestName || minDepth < nearestDepth)) {
            nearestName = names.front();
            nearestDepth = minDepth;
        }
    });
    return nearestName;
}

std::vector<uint32_t> HitNames(std::span<const uint32_t> buffer, int32_t hitCount) {
    std::vector<uint32_t> all;
    ForEachHitRecord(buffer, hitCount, [&](uint32_t, std::span<const uint32_t> names) {
        all.insert(all.end(), names.begin(), names.end());
    });
    return all;
}
