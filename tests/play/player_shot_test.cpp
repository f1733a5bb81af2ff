// Player shots: the focused shots' own rules (aim, laser reach, mines), and
// shots against enemies: damage, score, and kills.
#include <gtest/gtest.h>

#include <cmath>

#include "game/PoolSteps.h"
#include "play/Geometry.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class ShotTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.s.screen = 10;
        t.s.stage = 8;  // a stage without a script: nothing but the ship, its shots and the enemies placed here
        StageLoadReset(t.s);
        t.s.stageFrame = 100;
        t.s.lives = 2;
    }
    Enemy& enemy(int slot, float x, float y, float hp, int size = 32) {
        Enemy& e = t.s.enemies.slot[slot];
        t.s.enemies.occupy(slot);
        e.x = x;
        e.y = y;
        e.hp = e.maxHp = hp;
        e.texW = e.texH = size;
        e.scaleX = e.scaleY = 1;
        e.timer = 0;
        e.alpha = 255;
        return e;
    }
    int shot(int kind, float x, float y, float speed, float damage, float angle = 0) {
        return SpawnPlayerShot(*t.game, {54, 0, 0, 16, 16}, x, y, 1, 1, angle, 0.85f, speed, kind, 155, damage);
    }
    // Updates every live shot once, in slot order, as the in-play order does.
    void frame() {
        for (int i = 0; i < kPlayerShotCapacity; ++i)
            if (!t.s.playerShots.free[i]) UpdatePlayerShot(*t.game, i);
    }
    int count(int kind) const {
        int n = 0;
        for (int i = 0; i < kPlayerShotCapacity; ++i)
            if (!t.s.playerShots.free[i] && t.s.playerShots.slot[i].kind == kind) ++n;
        return n;
    }
};

TEST_F(ShotTest, FocusedShotAimsAtTheWeakestEnemyOrFliesStraight) {
    int s = shot(3, 224, 400, 24, 1.8f);
    frame();
    EXPECT_EQ(t.s.playerShots.slot[s].angle, 0);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[s].y, 376);
    t.s.playerShots.clear();

    enemy(2, 100, 100, 50);
    enemy(5, 300, 150, 30);  // weakest; slot 5 wins the tie with slot 7
    enemy(7, 50, 50, 30);
    enemy(9, 224, 20, 1).timer = -5;  // still arriving: not a target
    s = shot(3, 224, 400, 24, 1.8f);
    frame();
    const float expected = static_cast<float>(std::trunc(BearingTo(224, 400, 300, 150, 0)));
    EXPECT_EQ(t.s.playerShots.slot[s].angle, expected);
    // The aim is taken once, before the first move.
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[s].x, 224 + DirX(expected) * 24);
}

TEST_F(ShotTest, ShotsLeaveAtTheFieldEdge) {
    const int up = shot(1, 224, 10, 24, 1);
    const int side = shot(2, 470, 300, 24, 1, 90);
    frame();
    EXPECT_FALSE(t.s.playerShots.free[up]);   // y -14: the margin is 32
    EXPECT_TRUE(t.s.playerShots.free[side]);  // x 494
    frame();
    EXPECT_TRUE(t.s.playerShots.free[up]);    // y -38
}

class LaserTest : public ShotTest {
protected:
    void SetUp() override {
        ShotTest::SetUp();
        t.s.character = 2;
        t.s.laserFrames = 50;
        t.s.laserFramesB = 50;  // past 40 frames: full reach
    }
    int laser() {
        return SpawnPlayerShot(*t.game, {54, 0, 0, 72, 0}, t.s.playerX, t.s.playerY - 24, 1.2f, 1.3f, 0, 0.85f, 0, 8,
                               255, 1.9f);
    }
};

TEST_F(LaserTest, FullReachWithNothingInTheWay) {
    const int s = laser();
    frame();
    EXPECT_TRUE(t.s.playerShots.free[s]);  // rebuilt every frame
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * 384));
    EXPECT_EQ(t.s.score, 0);
    EXPECT_EQ(t.s.laserFramesB, 50);
}

TEST_F(LaserTest, ASturdyEnemyStopsTheBeamAWeakOneBurns) {
    Enemy& sturdy = enemy(0, 224, 212, 100);
    const int s = laser();
    frame();
    const double g = (412 - 40 - 212.0) / 1.3 + 8;  // lower edge 212 + 16 - 16
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * g));
    EXPECT_EQ(t.s.laserFramesB, static_cast<int>(g / 9.6));
    EXPECT_EQ(t.s.score, 10);
    EXPECT_FLOAT_EQ(sturdy.hp, 100 - 1.9f);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[s].y, static_cast<float>(412 - 1.3 * g - 32));

    t.s.enemies.clear();
    Enemy& weak = enemy(0, 224, 212, 99);
    t.s.laserFramesB = 50;
    t.s.score = 0;
    laser();
    frame();
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * 384));
    EXPECT_FLOAT_EQ(weak.hp, 99 - 1.9f);
    EXPECT_EQ(t.s.score, 0);

    // Close above the ship, even frames of fire burn twice.
    weak.y = 380;
    weak.hp = 99;
    laser();
    frame();
    EXPECT_FLOAT_EQ(weak.hp, 99 - 1.9f - 1.9f);
    t.s.laserFrames = 51;
    weak.hp = 99;
    laser();
    frame();
    EXPECT_FLOAT_EQ(weak.hp, 99 - 1.9f);
}

TEST_F(LaserTest, ABlockerBelowTheMuzzleGivesANegativeReachDrawnEmpty) {
    enemy(0, 224, 420, 500);  // lower edge 420, at most 32 below the ship
    const int s = laser();
    frame();
    const double g = (412 - 40 - 420.0) / 1.3 + 8;
    ASSERT_LT(g, 0);
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * g));
    EXPECT_EQ(t.s.playerShots.slot[s].sprite.height, 0);
}

TEST_F(LaserTest, BossShapesOnlyShortenTheBeam) {
    t.s.bossActive = 1;
    Enemy& boss = enemy(kBossSlot, 300, 100, 30000, 64);
    boss.type = 64;
    laser();
    frame();
    // |224 - 300| = 76 <= 210: the beam stops at 100 + 48 - 76 / 8.
    const double stopY = 100 + 48 - 76 / 8.0;
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * ((412 - 32 - stopY) / 1.3)));
    EXPECT_EQ(t.s.score, 10);
    EXPECT_FLOAT_EQ(boss.hp, static_cast<float>(30000 - 1.9f * 0.88));

    // To the left of the boss as far as to the right.
    boss.x = 148;
    boss.hp = 30000;
    t.s.laserFramesB = 50;
    laser();
    frame();
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * ((412 - 32 - stopY) / 1.3)));

    // Farther than 210 px: no cut.
    boss.x = 450;
    t.s.laserFramesB = 50;
    laser();
    frame();
    EXPECT_EQ(t.s.laserEndY, static_cast<int>(412 - 32 - 1.3 * 384));
}

TEST_F(ShotTest, MineBecomesABlastLevelWithTheLowestEnemy) {
    t.s.character = 3;
    enemy(0, 100, 150, 500);
    enemy(1, 400, 200, 500);  // the lowest
    const int s = SpawnPlayerShot(*t.game, {54, 9, 201, 124, 130}, 224, 300, 0.35f, 0.35f, 0, 0.85f, 8, 11, 155, 0);
    int frames = 0;
    while (t.s.playerShots.slot[s].kind == 11 && frames < 30) {
        frame();
        ++frames;
    }
    const PlayerShot& p = t.s.playerShots.slot[s];
    ASSERT_EQ(p.kind, 12);
    EXPECT_LE(std::abs(p.y - 200), 16);
    EXPECT_GT(std::abs(p.y + 8 - 200), 16);  // not a frame earlier
    EXPECT_EQ(p.age, 0);
    EXPECT_EQ(p.speed, 0);

    // The blast: damage objects at enemies near it (within 200 x scale) or on
    // its line; it fades out after 30 frames and is gone at alpha below 1.
    frame();
    EXPECT_EQ(count(6), 0);  // each damage object lives one update (spawned above: run at once)
    int life = 1;
    while (!t.s.playerShots.free[s] && life < 100) {
        frame();
        ++life;
    }
    EXPECT_EQ(life, 49);  // alpha 155 - 8 per frame from age 30
}

TEST_F(ShotTest, OneShotHurtsEveryEnemyItTouchesUntilOneDies) {
    // Two overlapping enemies: the shot is spent on the first but the frame's
    // contact goes on to the second.
    Enemy& a = enemy(0, 224, 200, 50);
    Enemy& b = enemy(1, 226, 200, 50);
    const int s = shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_TRUE(t.s.playerShots.free[s]);
    EXPECT_FLOAT_EQ(a.hp, 49);
    EXPECT_FLOAT_EQ(b.hp, 49);
    EXPECT_EQ(t.s.score, 20);
    EXPECT_FLOAT_EQ(t.s.damageSoundPercent, 25);  // weak enemies sound quietly

    // With the first one dying, the second is not reached.
    a.hp = 1;
    shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_TRUE(t.s.enemies.free[0]);
    EXPECT_FLOAT_EQ(b.hp, 49);
    EXPECT_EQ(t.s.soundRequests[6], 1);
}

TEST_F(ShotTest, DamageToTheBossAndWithAFullGauge) {
    t.s.bossActive = 1;
    t.s.bossTimeLeft = 10;
    Enemy& boss = enemy(kBossSlot, 224, 200, 1000);
    boss.hp = 500;
    shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_FLOAT_EQ(boss.hp, 500 - 0.8f);
    EXPECT_EQ(t.s.soundRequests[9], 1);
    EXPECT_FLOAT_EQ(t.s.damageSoundPercent, 66 - 32.5f);  // louder as the boss weakens, taken before the damage
    t.s.power = 84;
    boss.hp = 1000;
    shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_NEAR(boss.hp, 1000 - 0.8f - 0.144f, 1e-4);
    // Hit points beyond the reference value keep the sound within its range.
    boss.hp = 5000;
    shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_FLOAT_EQ(t.s.damageSoundPercent, 1);
    // An enemy still arriving takes the hit (and its score) but no damage.
    t.s.power = 0;
    boss.timer = -1;
    boss.hp = 1000;
    shot(1, 224, 224, 24, 1.0f);
    frame();
    EXPECT_FLOAT_EQ(boss.hp, 1000);
}

TEST_F(ShotTest, DamageObjectHurtsEveryHittableEnemyOnceAndGoes) {
    Enemy& a = enemy(0, 100, 100, 50);
    Enemy& b = enemy(1, 400, 300, 50);
    Enemy& c = enemy(2, 300, 100, 50);
    c.noHit = 1;
    const int s = SpawnPlayerShot(*t.game, {54, 0, 0, 0, 0}, 100, 100, 1, 1, 0, 0.85f, 0, 6, 255, 4);
    frame();
    EXPECT_TRUE(t.s.playerShots.free[s]);
    EXPECT_FLOAT_EQ(a.hp, 46);
    EXPECT_FLOAT_EQ(b.hp, 46);
    EXPECT_FLOAT_EQ(c.hp, 50);
    frame();
    EXPECT_FLOAT_EQ(a.hp, 46);
}

TEST_F(ShotTest, FirstCharacterBombHurtsEveryEnemyEveryFrame) {
    t.s.character = 1;
    Enemy& a = enemy(0, 100, 100, 50);
    Enemy& b = enemy(1, 400, 300, 50);
    SpawnPlayerShot(*t.game, {19, 192, 192, 0, 0}, 224, 412, 1, 1, 0, 0.86f, 0, 4, 255, 0.5f);
    for (int i = 0; i < 4; ++i) frame();
    EXPECT_FLOAT_EQ(a.hp, 48);
    EXPECT_FLOAT_EQ(b.hp, 48);
    EXPECT_EQ(t.s.score, 80);
}

}  // namespace
}  // namespace korvid
