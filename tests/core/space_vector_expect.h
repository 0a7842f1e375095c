#pragma once
// Component-wise comparison of vectors for the space tests.
#include "space/VectorMath.h"

#include <gtest/gtest.h>

#include <cmath>

inline testing::AssertionResult VectorNear(const TVector3& actual, const TVector3& expected,
                                           float tolerance = 1e-5f) {
    if (std::fabs(actual.x - expected.x) <= tolerance &&
        std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not (" << expected.x
           << ", " << expected.y << ", " << expected.z << ") within " << tolerance;
}

inline bool SameVector(const TVector3& a, const TVector3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
