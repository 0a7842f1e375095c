#include "app/BaseDefs.h"
#include <gtest/gtest.h>
TEST(NextPowerOfTwo, Small) {
    EXPECT_EQ(NextPowerOfTwo(3), 4);
}
