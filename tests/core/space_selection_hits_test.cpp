#include "space/SelectionHits.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SelectionHits, NearestNamedRecordWins) {
    const std::vector<uint32_t> buffer = {
        1, 500, 600, 11,     // named, far
        0, 100, 200,         // nearest, but unnamed
        2, 300, 400, 22, 23, // nearest named: its first name counts
        1, 300, 350, 33,     // as near: the earlier record stays
    };
    EXPECT_EQ(NearestHitName(buffer, 4), 22u);
}

TEST(SelectionHits, NoHitsGiveNoName) {
    const std::vector<uint32_t> unnamed = {0, 100, 200};
    EXPECT_FALSE(NearestHitName(unnamed, 1));
    EXPECT_FALSE(NearestHitName(unnamed, 0));
    EXPECT_FALSE(NearestHitName({}, 0));
}

TEST(SelectionHits, DepthsCompareUnsignedOverTheWholeRange) {
    const std::vector<uint32_t> buffer = {1, 0xFFFFFFFFu, 0xFFFFFFFFu, 7, 1, 0x80000000u, 0, 8};
    EXPECT_EQ(NearestHitName(buffer, 1), 7u);
    EXPECT_EQ(NearestHitName(buffer, 2), 8u);
}

TEST(SelectionHits, OverflowReadsOnlyCompleteRecords) {
    // The second record claims more names than the buffer holds.
    const std::vector<uint32_t> buffer = {1, 500, 600, 11, 4, 100, 200, 12, 13};
    EXPECT_EQ(NearestHitName(buffer, -1), 11u);
    EXPECT_EQ(NearestHitName(buffer, 5), 11u);
}

TEST(SelectionHits, EveryNameOfEveryWholeRecordInOrder) {
    const std::vector<uint32_t> buffer = {
        1, 500, 600, 11,     //
        0, 100, 200,         // unnamed: nothing
        2, 300, 400, 22, 23, //
        3, 100, 200, 31,     // runs past the end: the walk stops
    };
    EXPECT_EQ(HitNames(buffer, 4), (std::vector<uint32_t>{11, 22, 23}));
    EXPECT_EQ(HitNames(buffer, -1), (std::vector<uint32_t>{11, 22, 23})) << "overflowed";
    EXPECT_EQ(HitNames(buffer, 1), (std::vector<uint32_t>{11}));
    EXPECT_TRUE(HitNames({}, -1).empty());
}
