#include <gtest/gtest.h>

#include <vector>

#include "game/FrameSteps.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

TEST(PlayOrder, BandBoundariesInSingleAndDoublePrecision) {
    EXPECT_EQ(EffectBandStep(0.85f), 5);  // 0.8500000238 lies above 0.85
    EXPECT_EQ(EffectBandStep(0.88f), 5);
    EXPECT_EQ(EffectBandStep(0.9f), 3);
    EXPECT_EQ(EffectBandStep(0.8f), 12);
    EXPECT_EQ(EffectBandStep(0.84f), 12);
    EXPECT_EQ(EffectBandStep(0.6f), 16);
    EXPECT_EQ(EffectBandStep(0.21f), 18);  // single-precision 0.21 is just below 0.21
    EXPECT_EQ(EffectBandStep(0.2f), 18);
    EXPECT_EQ(EffectBandStep(0.1f), 18);
    EXPECT_EQ(BulletBandStep(0.8f), 6);
    EXPECT_EQ(BulletBandStep(0.75f), 14);
    EXPECT_EQ(BulletBandStep(0.705f), 15);
    EXPECT_EQ(BulletBandStep(0.6f), 15);
    EXPECT_EQ(BulletBandStep(0.5f), 17);
    EXPECT_EQ(BulletBandStep(0.31f), 17);
    // The z values spawns use all land in exactly one band.
    for (float z : {0.1f, 0.21f, 0.22f, 0.3f, 0.31f, 0.5f, 0.6f, 0.7f, 0.75f, 0.8f, 0.85f, 0.86f, 0.88f, 0.9f, 0.95f})
        EXPECT_NE(EffectBandStep(z), 0) << z;
}

class PlayOrderTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.bindDefaults();
        t.s.screen = 10;
        t.s.stage = 7;
        StageLoadReset(t.s);
    }
};

TEST_F(PlayOrderTest, ExtraStageSkipWindow) {
    for (const auto& [frame, skips] : {std::pair{89, false}, std::pair{90, true}, std::pair{850, true},
                                      std::pair{851, false}}) {
        t.s.stageFrame = frame;
        t.s.timeStop = 1;
        t.s.items.occupy(4);
        t.s.enemyBullets.occupy(7);
        t.s.effects.occupy(2);
        t.s.effects.slot[2].angle = 33;
        t.hold(17);
        UpdateAndDrawPlay(*t.game);
        EXPECT_EQ(t.s.stageFrame == 890, skips) << frame;
        EXPECT_EQ(t.s.items.free[4] == 1, skips) << frame;
        EXPECT_EQ(t.s.enemyBullets.free[7] == 1, skips) << frame;
        EXPECT_EQ(t.s.effects.slot[2].angle == 0, skips) << frame;
        EXPECT_EQ(t.s.timeStop == 0, skips) << frame;
        t.s.items.clear();
        t.s.enemyBullets.clear();
        t.s.effects.clear();
    }
}

TEST_F(PlayOrderTest, FullPowerBonusAndLaserGrazeTick) {
    t.s.stage = 2;
    t.s.stageFrame = 12;
    t.s.maxPowerFrames = 60000;
    t.s.power = 84;
    t.s.laserNear = 1.0f;
    const int randBefore = GameRandom{t.s.rng}.next();
    UpdateAndDrawPlay(*t.game);
    EXPECT_EQ(t.s.score, 1000000 + 100);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_FLOAT_EQ(t.s.power, 84.03f);
    EXPECT_EQ(t.s.laserNear, 0);
    EXPECT_EQ(t.s.effects.slot[0].type, 3);
    EXPECT_FLOAT_EQ(t.s.effects.slot[0].angle, static_cast<float>(randBefore % 360));

    // With the effect pool full the random number is still drawn.
    for (auto& f : t.s.effects.free) f = 0;
    t.s.laserNear = 1.0f;
    t.s.stageFrame = 18;
    const std::uint32_t state = t.s.rng.state;
    UpdateAndDrawPlay(*t.game);
    EXPECT_NE(t.s.rng.state, state);
    EXPECT_EQ(t.s.grazeCount, 2);
}

// Every taken bullet and effect is stepped once a frame by its band's walk
// (its age goes up by one) wherever it sits in the pool: after its z was
// set behind the walks' back between frames (as a snapshot restore does),
// and when it was spawned during an earlier walk into a slot whose last
// occupant sat in another band.
TEST_F(PlayOrderTest, EveryBulletAndEffectIsSteppedOnceAFrame) {
    Game& g = *t.game;
    t.s.stage = 1;
    t.s.playerX = 200;
    t.s.playerY = 400;
    t.s.invincibleTimer = 100;
    constexpr float kZ[] = {0.1f, 0.21f, 0.3f, 0.5f, 0.6f, 0.705f, 0.75f, 0.8f, 0.85f, 0.86f, 0.88f, 0.9f};
    constexpr int kCount = 3 * std::size(kZ);
    constexpr int kLasting = 6;  // an effect type that stays and stands still
    for (int k = 0; k < kCount; ++k) {
        const float z = kZ[k % std::size(kZ)];
        ASSERT_EQ(SpawnEffect(g, {1, 0, 0, 16, 16}, 50, 50, 1, 1, 0, z, kLasting, {255, 255, 255, 255}, 0, 0), k);
        ASSERT_EQ(SpawnEnemyBullet(g, {0, 0, 16, 16, 16}, 40 + 4 * k, 60, 1, 1, 0, z, 0, 0, 255), k);
    }
    auto ages = [&] {
        std::vector<int> a;
        for (int k = 0; k < kCount; ++k) a.push_back(t.s.effects.slot[k].age), a.push_back(t.s.enemyBullets.slot[k].age);
        return a;
    };
    auto frame = [&] {
        const std::vector<int> before = ages();
        UpdateAndDrawPlay(g);
        const std::vector<int> after = ages();
        for (int k = 0; k < kCount; ++k) {
            EXPECT_EQ(after[2 * k] - before[2 * k], t.s.effects.free[k] ? 0 : 1) << "effect " << k;
            EXPECT_EQ(after[2 * k + 1] - before[2 * k + 1], t.s.enemyBullets.free[k] ? 0 : 1) << "bullet " << k;
        }
    };
    frame();
    for (int k = 0; k < kCount; k += 5) t.s.effects.free[k] = t.s.enemyBullets.free[k] = 1;
    frame();
    // Every z moved to the next row's band, the top row to the bottom.
    for (int k = 0; k < kCount; ++k) {
        const float z = kZ[(k + 1) % std::size(kZ)];
        sprite::SetZ(t.s.effects.slot[k].sprite, z);
        sprite::SetZ(t.s.enemyBullets.slot[k].sprite, z);
    }
    frame();
    // Slots 0, 5 and 10 taken again and 11 (last a lowest effect) freed: a
    // high bullet grazing the ship spawns the graze spark (a low effect)
    // there during the high bullet walk, and the low effect walk steps it.
    for (int k : {0, 5, 10}) t.s.effects.free[k] = 0;
    t.s.effects.free[11] = 1;
    frame();
    ASSERT_EQ(t.s.effects.firstFree(), 11);
    const int grazer = SpawnEnemyBullet(g, {0, 0, 16, 16, 16}, 210, 400, 1, 1, 0, 0.9f, 0, 0, 255);
    UpdateAndDrawPlay(g);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_EQ(t.s.effects.slot[11].type, 3);
    EXPECT_EQ(t.s.effects.slot[11].age, 1);
    EXPECT_EQ(t.s.enemyBullets.slot[grazer].age, 1);
}

}  // namespace
}  // namespace korvid
