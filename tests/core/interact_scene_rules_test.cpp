#include <gtest/gtest.h>

#include "interact/SceneRules.h"

TEST(SceneRules, ThresholdsOfDragsBandsAndTheStripsEdge) {
    // Moving exactly 4 pixels after a press is still a click; 5 is a drag.
    EXPECT_FALSE(BeyondDragThreshold(100, 100, 104, 96));
    EXPECT_TRUE(BeyondDragThreshold(100, 100, 105, 100));
    EXPECT_TRUE(BeyondDragThreshold(100, 100, 100, 95));
    // 3 pixels from the edge grip it, 4 do not.
    EXPECT_TRUE(NearSplit(203, 200));
    EXPECT_TRUE(NearSplit(197, 200));
    EXPECT_FALSE(NearSplit(204, 200));
    EXPECT_FALSE(NearSplit(196, 200));
}

TEST(SceneRules, SortMenuEntriesSetTheirModeByTheCaptionsEnd) {
    struct TRow {
        TSortEntry Entry;
        uint8_t Start;
        uint8_t Finish;
    };
    const TRow table[] = {{TSortEntry::Abc, 2, 3},    {TSortEntry::Xyz, 3, 2},
                          {TSortEntry::Small, 0, 1},  {TSortEntry::Large, 1, 0},
                          {TSortEntry::Recent, 4, 5}, {TSortEntry::Old, 5, 4}};
    for (const TRow& row : table) {
        const uint32_t id = static_cast<uint32_t>(row.Entry);
        EXPECT_EQ(SortModeForEntry(id, true), row.Start) << id;
        EXPECT_EQ(SortModeForEntry(id, false), row.Finish) << id;
    }
    // The separators' positions and anything beyond name no entry.
    EXPECT_EQ(SortModeForEntry(2, true), std::nullopt);
    EXPECT_EQ(SortModeForEntry(5, false), std::nullopt);
    EXPECT_EQ(SortModeForEntry(8, true), std::nullopt);
}

TEST(SceneRules, ModifiersPickTheirKeyTable) {
    EXPECT_EQ(ModifierTableOf(false, false), TModifierTable::None);
    EXPECT_EQ(ModifierTableOf(true, false), TModifierTable::Shift);
    EXPECT_EQ(ModifierTableOf(false, true), TModifierTable::Ctrl);
    EXPECT_EQ(ModifierTableOf(true, true), TModifierTable::CtrlShift);
}
