#include "space/LinearTrack.h"

TVector3 TrackPoint(const TVector3& from, const TVector3& to, const TVector3& delta, uint32_t step,
                    uint32_t steps) {
    if (step >= steps)
        return to;
    const double fraction = double(step) / double(steps);
    return TVector3{float(from.x + fraction * delta.x), float(from.y + fraction * delta.y),
                    float(from.z + fraction * delta.z)};
}
