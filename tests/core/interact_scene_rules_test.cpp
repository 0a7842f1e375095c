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

TEST(SceneRules, ModifiersPickTheirKeyTable) {
    EXPECT_EQ(ModifierTableOf(false, false), TModifierTable::None);
    EXPECT_EQ(ModifierTableOf(true, false), TModifierTable::Shift);
    EXPECT_EQ(ModifierTableOf(false, true), TModifierTable::Ctrl);
    EXPECT_EQ(ModifierTableOf(true, true), TModifierTable::CtrlShift);
}
