// Items: what each kind pays, when items fly to the player and at what
// value, and how they rise and fall on their own.
#include <gtest/gtest.h>

#include <climits>

#include "game/PoolSteps.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class ItemTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.s.screen = 10;
        t.s.stage = 2;
        StageLoadReset(t.s);
        t.s.stageFrame = 100;
        t.s.lives = 2;
        t.s.bombGauge = 400;
    }
    int spawn(int kind, float x, float y) { return SpawnItem(*t.game, {3, 0, 96, 16, 16}, x, y, 0, kind); }
    // An item made on the ship is picked up on its first update.
    void collect(int kind, bool half = false) {
        const int slot = spawn(kind, t.s.playerX, t.s.playerY);
        t.s.items.slot[slot].halfValue = half;
        UpdateItem(*t.game, slot);
        ASSERT_TRUE(t.s.items.free[slot]);
    }
    int live() const {
        int n = 0;
        for (auto f : t.s.items.free) n += f ? 0 : 1;
        return n;
    }
    // Every live item updated once a frame, as the in-play order does.
    void frames(int n) {
        for (int f = 0; f < n; ++f)
            for (int i = 0; i < kItemCapacity; ++i)
                if (!t.s.items.free[i]) UpdateItem(*t.game, i);
    }
};

TEST_F(ItemTest, PointAndGaugeItemsPayByGaugeAndLives) {
    collect(1);
    EXPECT_EQ(t.s.score, 800);  // trunc(401 * 2 / 10) * 10
    EXPECT_EQ(t.s.bombGauge, 401);
    EXPECT_FLOAT_EQ(t.s.power, 1);
    EXPECT_EQ(t.s.soundRequests[10], 1);
    collect(1, true);
    EXPECT_EQ(t.s.score, 800 + 400);  // 402 * 2 = 804 -> 800, halved

    // Ten gauge gains are ten single-precision additions: 5 ones, then 5 / power.
    t.s.power = 0;
    collect(2);
    EXPECT_NEAR(t.s.power, 8.8338f, 5e-5f);
    t.s.power = 10;
    collect(1);
    EXPECT_FLOAT_EQ(t.s.power, 10.5f);
    t.s.invincibleTimer = 5;
    collect(1);
    EXPECT_FLOAT_EQ(t.s.power, 10.5f);  // no gain while invincible

    t.s.lives = 0;
    const auto score = t.s.score;
    collect(2);
    EXPECT_EQ(t.s.score, score);
    t.s.lives = -1;  // the extra stage can go below zero: never lowers the score
    collect(1);
    collect(3);
    EXPECT_EQ(t.s.score, score);

    t.s.lives = 1;
    t.s.bombGauge = 1995;
    collect(2);
    EXPECT_EQ(t.s.bombGauge, 1999);
    EXPECT_EQ(t.s.score, score + 2000);  // paid on 2005 before the cap
}

TEST_F(ItemTest, OtherKindsPay) {
    t.s.difficulty = 1;
    t.s.grazeCount = 3;
    collect(3);
    EXPECT_EQ(t.s.score, 3 * 500 + 400 * 2 * 10 + 50000);
    t.s.score = 0;
    t.s.difficulty = 2;
    t.s.maxPowerFrames = 7;
    collect(3, true);
    EXPECT_EQ(t.s.score, (7 * 60 + 50000) / 2 / 10 * 10);
    t.s.score = 0;
    collect(4);
    collect(5);
    EXPECT_EQ(t.s.score, 1100);
    collect(7);
    collect(8);
    collect(9);
    EXPECT_EQ(t.s.panelCounter, 111);
    // A score file may start the counter anywhere in int: it stops at the top.
    t.s.panelCounter = INT_MAX - 50;
    collect(9);
    collect(7);
    EXPECT_EQ(t.s.panelCounter, INT_MAX);
    t.s.bombGauge = 1500;
    collect(10);
    EXPECT_EQ(t.s.bombGauge, 1999);
}

TEST_F(ItemTest, ExtraLifeIsCollectedOnlyByTouch) {
    t.s.playerY = 100;  // above the line: everything else would fly in
    const int far = spawn(6, t.s.playerX + 50, t.s.playerY);  // 50 / 3 > 15
    const float x = t.s.items.slot[far].x;
    frames(1);
    EXPECT_FALSE(t.s.items.free[far]);
    EXPECT_EQ(t.s.items.slot[far].x, x);  // does not move toward the ship
    EXPECT_EQ(t.s.items.slot[far].attracted, 0);
    const int near = spawn(6, t.s.playerX + 40, t.s.playerY + 4);
    UpdateItem(*t.game, near);
    EXPECT_TRUE(t.s.items.free[near]);
    EXPECT_EQ(t.s.lives, 3);
    EXPECT_EQ(t.s.soundRequests[29], 1);
    EXPECT_EQ(t.s.effects.slot[t.s.lastEffectSlot].type, 14);
}

TEST_F(ItemTest, AboveTheLineEverythingComesAtFullValueIdleBelowItAtHalf) {
    struct Case {
        float playerY;
        int idleFrames;
        std::int64_t perItem;
    };
    // 10 point items at lives 2: gauge 401..410, each worth trunc(gauge * 2 / 10) * 10.
    for (const Case c : {Case{144, 0, 1}, Case{400, 20, 2}}) {
        SetUp();
        t.s.score = 0;
        t.s.playerY = c.playerY;
        t.s.framesSinceShot = c.idleFrames;
        for (int i = 0; i < 10; ++i) spawn(1, 30 + 40 * i, 300 - 25 * i);
        frames(120);
        EXPECT_EQ(live(), 0) << c.playerY;
        std::int64_t expected = 0;
        for (int g = 401; g <= 410; ++g) expected += g * 2 / 10 * 10 / c.perItem / 10 * 10;
        EXPECT_EQ(t.s.score, expected) << c.playerY;
    }
    // Below the line, firing, far away: nothing comes.
    SetUp();
    t.s.framesSinceShot = 5;
    spawn(1, 40, 100);
    frames(10);
    EXPECT_EQ(live(), 1);
    EXPECT_EQ(t.s.items.slot[0].attracted, 0);
}

TEST_F(ItemTest, DriftRisesStopsAndFallsOutAndTimeStopFreezesTheTimer) {
    t.s.playerX = 400;
    const int slot = spawn(1, 40, 300);
    frames(100);
    EXPECT_NEAR(t.s.items.slot[slot].y, 201, 1e-2);  // 300 - 99: 2 px a frame, slowing to rest
    int more = 0;
    while (!t.s.items.free[slot] && more < 400) {
        frames(1);
        ++more;
    }
    EXPECT_GT(more, 100);
    EXPECT_LT(more, 400);

    // Under a time stop the clock holds, but the item keeps drifting at its speed.
    const int held = spawn(1, 40, 300);
    frames(10);
    t.s.timeStop = 1;
    const float y = t.s.items.slot[held].y;
    frames(5);
    EXPECT_EQ(t.s.items.slot[held].timer, 10);
    EXPECT_NEAR(t.s.items.slot[held].y, y - 5 * 1.8f, 1e-3);
}

}  // namespace
}  // namespace korvid
