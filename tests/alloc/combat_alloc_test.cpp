// Play frames allocate nothing: 1,000 frames of a dense fight (1,500 enemy
// bullets, 100 enemies) counted through the global operator new. Its own
// executable, so replacing operator new disturbs no other test.
#include <gtest/gtest.h>

#include "alloc/counting/CountingNew.h"
#include "support/CombatField.h"

namespace korvid {
namespace {

TEST(CombatAllocations, ThousandDenseFramesAllocateNothing) {
    test::CountAllocations(true);  // the counter itself works
    ::operator delete(::operator new(16));
    test::CountAllocations(false);
    ASSERT_EQ(test::TakeAllocationCount(), 1);

    test::CombatField field;
    for (int i = 0; i < 60; ++i) field.frame();  // buffers reach their working size first
    ASSERT_EQ(field.liveEnemies(), 100);
    test::CountAllocations(true);
    for (int i = 0; i < 1000; ++i) field.frame();
    test::CountAllocations(false);
    EXPECT_EQ(test::TakeAllocationCount(), 0);
    EXPECT_GT(field.liveBullets(), 1400);
}

}  // namespace
}  // namespace korvid
