// The whole chain in play: an enemy spawned in front of the ship is shot
// down by held fire, leaves the pool and leaves its drops behind.
#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

TEST(ShootDown, HeldFireKillsAnEnemyAheadAndItDropsItsItems) {
    test::TestGame t;
    t.bindDefaults();
    t.s.screen = 10;
    t.s.stage = 2;
    t.s.character = 1;
    StageLoadReset(t.s);
    t.s.stageFrame = 100;
    t.s.lives = 2;
    // Type 20 drops five big point items around it and two gauge items on it.
    const int slot = SpawnEnemy(*t.game, 6, 0, 288, 32, 32, 224, 250, 1, 1, 0, 0.7f, 0, 20, 30, 255);
    ASSERT_GE(slot, 0);
    t.hold('Z');
    int frames = 0;
    while (!t.s.enemies.free[slot] && frames < 120) {
        PlayFrame(*t.game);
        ++frames;
    }
    EXPECT_TRUE(t.s.enemies.free[slot]) << "still alive with " << t.s.enemies.slot[slot].hp;
    EXPECT_GT(t.s.score, 0);
    int big = 0, gauge = 0;
    for (int i = 0; i < kItemCapacity; ++i) {
        if (t.s.items.free[i]) continue;
        big += t.s.items.slot[i].kind == 3;
        gauge += t.s.items.slot[i].kind == 2;
    }
    EXPECT_EQ(big, 5);
    EXPECT_EQ(gauge, 2);
}

}  // namespace
}  // namespace korvid
