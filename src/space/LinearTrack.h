#pragma once
// Linear interpolation of the animations, exact at the last step.
#include "space/VectorMath.h"

#include <cstdint>

// from + (step / steps) * delta, computed in double; at step == steps exactly `to`, which
// from + delta may miss by a rounding.
TVector3 TrackPoint(const TVector3& from, const TVector3& to, const TVector3& delta, uint32_t step,
                    uint32_t steps);
