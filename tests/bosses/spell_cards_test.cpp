// The spell-card bonus: the division comes first and the sum is 64-bit, so
// the values are those of the double quotient, even on the largest cards.
#include <gtest/gtest.h>

#include <cmath>

#include "bosses/SpellCards.h"

namespace korvid {
namespace {

TEST(SpellBonus, DividesFirstAndTruncates) {
    // Card 7 on Easy: 960000 / 2100 = 457.142857... per frame left.
    EXPECT_EQ(SpellBonus(7, 0, 2100, 7), 3200);  // 457 * 7 would be 3199
    EXPECT_EQ(SpellBonus(7, 0, 2100, 2100), 960000);
    EXPECT_EQ(SpellBonus(7, 0, 2100, 1), 457);
    EXPECT_EQ(SpellBonus(5, 2, 1500, 1234), 1234000);
    EXPECT_EQ(SpellBonus(5, 0, 1500, 1234), 600 * 1234);
}

TEST(SpellBonus, NothingForATimeOutOrACardWithoutALimit) {
    EXPECT_EQ(SpellBonus(5, 1, 1500, 900, true), 0);
    EXPECT_EQ(SpellBonus(5, 1, 0, 900, false), 0);
    EXPECT_EQ(SpellBonus(5, 1, -5, 900, false), 0);
    EXPECT_EQ(SpellBonus(5, 1, 1500, -20, false), 0) << "time left below 0 counts as 0";
    EXPECT_EQ(SpellBonus(5, 1, 1500, 4000, false), SpellBonus(5, 1, 1500, 1500, false)) << "and above the limit as the limit";
    EXPECT_EQ(SpellBonus(3, 1, 1500, 900, false), 0) << "pattern 3 is no card";
}

TEST(SpellBonus, LargestCardsFitAndFlatCardsPayTheirAmount) {
    // 50000000 * 5 / 6000 * 6000 is 250 million: past 32 bits once multiplied first.
    EXPECT_EQ(SpellBonus(63, 2, 6000, 6000), 250000000);
    EXPECT_EQ(SpellBonus(66, 2, 6000, 6000), 50000000000LL);
    EXPECT_EQ(SpellBonus(66, 2, 6000, 3000), 25000000000LL);
    EXPECT_EQ(SpellBonus(88, 3, 2400, 1), 80000000);
    EXPECT_EQ(SpellBonus(71, 3, 2400, 2000), 20000000);
    EXPECT_EQ(SpellBonus(88, 3, 2400, 1, true), 0);
}

}  // namespace
}  // namespace korvid
