#include "interact/DropRules.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

struct TKeysRow {
    uint32_t Keys;
    TDropOperation Operation;
    // The effect for each allowed set 0 ... 7 (copy 1, move 2, link 4).
    std::array<uint32_t, 8> Effects;
};

constexpr uint32_t Ctrl = DropKeyControl;
constexpr uint32_t Shift = DropKeyShift;

constexpr std::array<TKeysRow, 4> Table{{
    {0, TDropOperation::Move, {0, 1, 2, 2, 0, 1, 2, 2}},
    {Ctrl, TDropOperation::Copy, {0, 1, 2, 1, 0, 1, 2, 1}},
    {Shift, TDropOperation::Move, {0, 1, 2, 2, 0, 1, 2, 2}},
    {Ctrl | Shift, TDropOperation::Shortcut, {0, 1, 2, 2, 4, 4, 4, 4}},
}};

} // namespace

TEST(DropRules, EffectForEveryKeyCombinationAndAllowedSet) {
    for (const TKeysRow& row : Table)
        for (uint32_t allowed = 0; allowed < 8; ++allowed) {
            SCOPED_TRACE(testing::Message() << "keys " << row.Keys << " allowed " << allowed);
            // The mouse buttons in the key state change nothing.
            const TDropDecision decision = DecideDrop(row.Keys | 1, allowed, true);
            EXPECT_EQ(decision.Effect, row.Effects[allowed]);
            // The label keeps the keys' word even where the effect fell back.
            EXPECT_EQ(decision.Operation, row.Operation);
            const TDropDecision nowhere = DecideDrop(row.Keys, allowed, false);
            EXPECT_EQ(nowhere.Effect, DropEffectNone);
            EXPECT_EQ(nowhere.Operation, row.Operation);
        }
}

TEST(DropRules, TheRecycleBinTakesMovesOnly) {
    for (uint32_t allowed = 0; allowed < 8; ++allowed) {
        const TDropDecision decision = DecideRecycleDrop(allowed);
        EXPECT_EQ(decision.Operation, TDropOperation::Move);
        EXPECT_EQ(decision.Effect, allowed & DropEffectMove) << "allowed " << allowed;
    }
}

TEST(DropRules, LabelLinesAndStateComparison) {
    EXPECT_EQ(PhantomOperationLine(u"MOVE"), u"MOVE ");
    EXPECT_EQ(PhantomTargetLine(u"To", u"C:\\Data"), u"To C:\\Data ");
    EXPECT_EQ(PhantomTargetLine(u"To", u""), u"To  ");

    TPhantomState shown;
    TPhantomState next = shown;
    EXPECT_EQ(next, shown);
    next.Target = u"C:\\data";
    EXPECT_NE(next, shown);
    shown.Target = u"C:\\Data";
    EXPECT_NE(next, shown) << "paths compare case by case";
}

TEST(DropRules, LabelStaysInsideTheViewport) {
    // Fits: stays where the cursor is.
    EXPECT_EQ(ClampPhantomX(100, 50, 400), 100);
    // Exactly touching the margin still fits; one pixel more moves it left.
    EXPECT_EQ(ClampPhantomX(348, 50, 400), 348);
    EXPECT_EQ(ClampPhantomX(349, 50, 400), 348);
    EXPECT_EQ(ClampPhantomX(390, 50, 400), 348);
    // Left of the viewport, or a label wider than it: starts at its left edge.
    EXPECT_EQ(ClampPhantomX(-5, 50, 400), 0);
    EXPECT_EQ(ClampPhantomX(10, 500, 400), 0);
}
