#include <gtest/gtest.h>

#include <cmath>

#include "app/FrameDriver.h"
#include "game/FrameSteps.h"
#include "game/PoolSteps.h"
#include "play/BulletKit.h"
#include "play/Collisions.h"
#include "play/Geometry.h"
#include "play/Spawn.h"
#include "support/PlayStart.h"

namespace korvid {
namespace {

class EnemyBulletTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        test::StartPlay(t, 2);
        t.s.playerX = 224;
        t.s.playerY = 412;
    }
    int spawn(float x, float y, float angle, float speed, int behavior, int alpha = 255, TexRect r = {0, 0, 16, 16, 16}) {
        return SpawnEnemyBullet(*t.game, r, x, y, 1, 1, angle, 0.5f, speed, behavior, alpha);
    }
    EnemyBullet& at(int i) { return t.s.enemyBullets.slot[i]; }
    bool live(int i) const { return !t.s.enemyBullets.free[i]; }
    int liveCount() const {
        int n = 0;
        for (auto f : t.s.enemyBullets.free) n += f ? 0 : 1;
        return n;
    }
    // Runs every live bullet for `n` frames in slot order, as the in-play walk does.
    void frames(int n) {
        for (int f = 0; f < n; ++f) {
            t.s.stageFrame += 1;
            t.s.bossTimer() += 1;
            for (int i = 0; i < kEnemyBulletCapacity; ++i)
                if (!t.s.enemyBullets.free[i]) UpdateEnemyBullet(*t.game, i);
        }
    }
};

TEST_F(EnemyBulletTest, MovesAlongItsBearingAndLeavesPastItsMargin) {
    const int b = spawn(100, 100, 90, 2, 0);
    frames(10);
    EXPECT_FLOAT_EQ(at(b).x, 120);
    EXPECT_FLOAT_EQ(at(b).y, 100);
    EXPECT_EQ(at(b).age, 10);

    // Margin 0: -32 stays, -32.5 goes (and is still moved that frame).
    const int edge = spawn(-32, 100, 0, 0, 0);
    const int out = spawn(-32.5f, 100, 0, 1, 0);
    frames(1);
    EXPECT_TRUE(live(edge));
    EXPECT_FALSE(live(out));
    EXPECT_FLOAT_EQ(at(out).y, 99);

    // Stage 6 adds 64 unless its late boss cards run; stage 7 always does.
    t.s.stage = 6;
    const int far = spawn(-90, 100, 0, 0, 0);
    frames(1);
    EXPECT_TRUE(live(far));
    t.s.bossActive = 1;
    t.s.bossPattern() = 53;
    frames(1);
    EXPECT_FALSE(live(far));
    t.s.stage = 7;
    const int far7 = spawn(-90, 100, 0, 0, 0);
    frames(1);
    EXPECT_TRUE(live(far7));
}

TEST_F(EnemyBulletTest, TimeStopFreezesAllButTheGlowingHomer) {
    const int homer = spawn(100, 100, 90, 2, 0, 255, {2, 0, 288, 32, 32});
    const int plain = spawn(300, 100, 90, 2, 0);
    t.s.timeStop = 1;
    frames(4);
    EXPECT_FLOAT_EQ(at(homer).x, 100);
    EXPECT_EQ(at(homer).age, 0);
    EXPECT_FLOAT_EQ(at(homer).angle, 92);  // it still turns toward the player (bearing about 149)
    EXPECT_FLOAT_EQ(at(plain).x, 300);
    // A bullet on the ship neither grazes nor hits while time stands still.
    spawn(224, 412, 0, 0, 0, 255, {0, 0, 16, 16, 16});
    frames(2);
    EXPECT_EQ(t.s.grazeCount, 0);
    EXPECT_EQ(t.s.hitPending, 0);
}

TEST_F(EnemyBulletTest, SpeedPulseBurstsAndSettles) {
    const int b = spawn(200, 100, 180, 2, 1);
    frames(1);
    EXPECT_FLOAT_EQ(at(b).speed, 10);
    frames(15);
    EXPECT_NEAR(at(b).speed, 2, 1e-5);
    EXPECT_GT(at(b).y, 100 + 2 * 16 + 50);  // the burst carried it far

    const int ramp = spawn(200, 100, 180, 0, 26);
    frames(62);
    EXPECT_NEAR(at(ramp).speed, 4 * 61 / 60.0, 1e-4);
}

TEST_F(EnemyBulletTest, ChangedAnglesWrapBeforeTheTableLookUp) {
    // Turning -90 from 30 at age 60 leaves -60: it must fly as bearing 300.
    const int turner = spawn(200, 200, 30, 0, 2);
    frames(60);
    const float x = at(turner).x, y = at(turner).y;
    ASSERT_FLOAT_EQ(at(turner).angle, -60);
    frames(1);
    EXPECT_NEAR(at(turner).x - x, 2 * DirX(300), 1e-4);
    EXPECT_NEAR(at(turner).y - y, 2 * DirY(300), 1e-4);
    // 540 - angle from 100 is 440: it flies as 80.
    const int mirror = spawn(200, 200, 100, 3, 78);
    frames(60);
    EXPECT_FLOAT_EQ(at(mirror).angle, 440);
    const float mx = at(mirror).x, my = at(mirror).y, v = at(mirror).speed;
    frames(1);
    EXPECT_NEAR(at(mirror).x - mx, DirX(80) * (v + 0.03f), 1e-3);
    EXPECT_NEAR(at(mirror).y - my, DirY(80) * (v + 0.03f), 1e-3);
}

TEST_F(EnemyBulletTest, GlowingHomerTurnsBelowZeroAndStillFliesStraight) {
    // With the ship to its lower left the homer turns -0.5 from 0 to -0.5: it flies as 359.5.
    const int h = spawn(300, 100, 0, 2, 0, 255, {2, 0, 288, 32, 32});
    frames(1);
    EXPECT_FLOAT_EQ(at(h).angle, -0.5f);
    EXPECT_NEAR(at(h).x, 300 + 2 * DirX(359.5f), 1e-4);
    EXPECT_NEAR(at(h).y, 100 + 2 * DirY(359.5f), 1e-4);
}

TEST_F(EnemyBulletTest, OrbitersFollowTheSlotInTheirWork) {
    Enemy& e = t.s.enemies.slot[5];
    t.s.enemies.occupy(5);
    e.type = 13;
    e.x = 200;
    e.y = 200;
    const int orbiter = SpawnEnemyBullet(*t.game, {4, 32, 0, 16, 0}, 0, 0, 1, 1, 90, 0.5f, 0, 64, 255);
    at(orbiter).work = 5.9f;  // truncated to slot 5
    frames(1);
    EXPECT_NEAR(at(orbiter).x, 250 + 10, 1e-3);  // on the circle, then one step of the pulse's 10
    EXPECT_NEAR(at(orbiter).y, 200, 0.01);  // 57.3 degrees a radian: not exactly level
    e.type = 12;  // another kind of enemy took the slot
    frames(1);
    EXPECT_FALSE(live(orbiter));

    const int host = SpawnEnemyBullet(*t.game, {0, 0, 32, 16, 16}, 100, 300, 0.5f, 0.5f, 0, 0.5f, 0, 0, 255);
    const int moon = spawn(0, 0, 180, 0, 94);
    at(moon).work = static_cast<float>(host);
    frames(1);
    // Radius 100 times the host's scale, at bearing 180.4 after its first turn.
    EXPECT_NEAR(at(moon).x, 100 + 50 * std::sin(180.4 / 57.3), 1e-3);
    EXPECT_NEAR(at(moon).y, 300 - 50 * std::cos(180.4 / 57.3), 1e-3);
    t.s.enemyBullets.free[host] = 1;
    frames(1);
    EXPECT_FALSE(live(moon));
}

TEST_F(EnemyBulletTest, PulsesAndTurnsPlayOutOnTheirClocks) {
    const int side = spawn(200, 100, 180, 0, 3);     // +90 at age 60, speed 2
    const int veer = spawn(300, 100, 180, 0, 24);    // +80 at 60, becomes plain
    const int square = spawn(200, 300, 0, 1, 77);    // stops, then two right turns
    frames(120);
    EXPECT_FLOAT_EQ(NormaliseAngle(at(side).angle), 270);
    EXPECT_FLOAT_EQ(at(side).speed, 2);
    EXPECT_EQ(at(veer).behavior, 0);
    EXPECT_FLOAT_EQ(at(veer).speed, 1.5f);
    EXPECT_FLOAT_EQ(at(square).angle, 180);
    EXPECT_FLOAT_EQ(at(square).speed, 1);
    EXPECT_FLOAT_EQ(at(square).x, 200 + 30 * 3);  // 59 frames up at 1, 30 right at 3, one down at 1
    EXPECT_FLOAT_EQ(at(square).y, 300 - 59 + 1);
}

TEST_F(EnemyBulletTest, HomingTurnsTowardTheShip) {
    const int h = spawn(100, 300, 0, 1, 99);  // flying away from the ship, below right
    frames(140);
    const double bearing = BearingTo(at(h).x, at(h).y, 224, 412, 0);
    double diff = std::fmod(bearing - at(h).angle + 720, 360);
    if (diff > 180) diff -= 360;
    EXPECT_LE(std::fabs(diff), 1.5);
}

TEST_F(EnemyBulletTest, SplittersMakeMarkedCopiesAndChildren) {
    const int parent = spawn(200, 100, 180, 1, 45);
    frames(50);
    ASSERT_EQ(liveCount(), 5);
    const float speeds[] = {2.5f, 3, 3.5f, 4};
    for (int k = 0; k < 4; ++k) {
        const EnemyBullet& c = at(parent + 1 + k);
        EXPECT_FLOAT_EQ(c.speed, speeds[k]);
        EXPECT_EQ(c.age, 16);  // set to 15, and updated later in the same walk
        EXPECT_TRUE(c.marked);
        EXPECT_EQ(c.behavior, 0);
        EXPECT_FLOAT_EQ(c.sprite.quad.v[0].z, 0.31f);
    }

    // The pair maker at difficulty 2 past frame 2499: three pairs, aimed, tagged by index.
    t.s.enemyBullets.clear();
    t.s.difficulty = 2;
    t.s.stageFrame = 2600;
    const int maker = spawn(224, 100, 180, 2, 5);  // brakes to a stop by age 50
    frames(50);
    ASSERT_EQ(liveCount(), 7);
    EXPECT_FLOAT_EQ(at(maker).angle, 180);  // aimed straight down at the ship
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(at(maker + 1 + k).behavior, 6);
        EXPECT_EQ(at(maker + 1 + k).alpha, 255 - k);
    }
    frames(19);
    // The pairs slid apart sideways by (257 - alpha) / 2 per frame.
    EXPECT_LT(at(maker + 1).x, at(maker + 2).x);
    frames(1);
    EXPECT_FLOAT_EQ(at(maker + 1).speed, 3.5f);
}

TEST_F(EnemyBulletTest, FountainOnTheEasiestDifficultyLeavesThreeSlowBullets) {
    const int f = spawn(224, 100, 180, 0.5f, 9);
    frames(170);
    EXPECT_FALSE(live(f));
    ASSERT_EQ(liveCount(), 3);
    for (int k = 1; k <= 3; ++k) EXPECT_FLOAT_EQ(at(f + k).speed, 0.7f);
    EXPECT_FLOAT_EQ(NormaliseAngle(at(f + 2).angle - at(f + 1).angle), 120);
}

TEST_F(EnemyBulletTest, WheelClearsOthersButNotItsChildren) {
    t.s.difficulty = 2;
    const int wheel = spawn(224, 100, 180, 0, 20, 254);
    const int victim = spawn(240, 110, 0, 0, 0);
    frames(1);
    EXPECT_FALSE(live(victim));
    frames(11);  // age 12: two children beside it
    EXPECT_EQ(liveCount(), 3);
    frames(1);
    EXPECT_EQ(liveCount(), 3);
    EXPECT_TRUE(live(wheel));
}

TEST_F(EnemyBulletTest, BouncersMirrorOffTheWalls) {
    const int wall = spawn(440, 200, 90, 4, 72);
    frames(4);  // out to 452, mirrored back to 444, then on to 440
    EXPECT_FLOAT_EQ(at(wall).x, 440);
    EXPECT_FLOAT_EQ(NormaliseAngle(at(wall).angle), 270);
    const int once = spawn(10, 200, 270, 6, 97);
    frames(3);
    EXPECT_GE(at(once).x, 0);
    EXPECT_EQ(at(once).work, 1);
    const float heading = NormaliseAngle(at(once).angle);
    EXPECT_FLOAT_EQ(heading, 90);
}

TEST_F(EnemyBulletTest, LasersGrowAndTheWeaverCutsOtherWeavers) {
    const int laser = SpawnEnemyBullet(*t.game, {4, 32, 0, 16, 0}, 100, 0, 1, 0.5f, 180, 0.5f, 16, 0, 255);
    frames(5);
    EXPECT_FLOAT_EQ(at(laser).texH, 5 * 32);
    frames(5);
    EXPECT_FLOAT_EQ(at(laser).texH, 256);

    t.s.enemyBullets.clear();
    const int weaver = spawn(224, 100, 180, 0, 37);
    frames(3);
    ASSERT_EQ(liveCount(), 3);
    EXPECT_FLOAT_EQ(at(weaver + 1).scaleX, 3);
    EXPECT_EQ(at(weaver + 2).behavior, -1);
    EXPECT_TRUE(live(weaver + 1));  // its own laser is not cut
    const int other = SpawnEnemyBullet(*t.game, {4, 32, 0, 16, 0}, 230, 110, 3, 0.4f, 0, 0.5f, 0, 0, 255);
    frames(1);
    EXPECT_FALSE(live(other));
}

TEST_F(EnemyBulletTest, BossPhasesSwitchHarmAndLayer) {
    t.s.bossTimer() = 148;
    const int b = spawn(224, 100, 180, 0, 49);
    frames(1);
    EXPECT_EQ(at(b).behavior, 49);
    frames(1);  // timer 150
    EXPECT_EQ(at(b).behavior, -8);
    EXPECT_EQ(at(b).alpha, 155);
    EXPECT_EQ(BulletBandStep(at(b).sprite.quad.v[0].z), 15);
    t.s.bossTimer() = 360 + 59;
    frames(1);
    EXPECT_EQ(at(b).behavior, 49);
    // Resting codes never graze, even on the ship.
    t.s.bossTimer() = -100;  // -100 % 360 is -100: outside 211..329
    const int rest = spawn(224, 412, 0, 0, -13);
    frames(2);
    EXPECT_EQ(at(rest).behavior, -13);
    EXPECT_EQ(t.s.grazeCount, 0);
}

TEST_F(EnemyBulletTest, MendedRules) {
    // A standing behaviour-12 bullet never lights up (no division by zero).
    const int still = spawn(100, 100, 0, 0, 12, 100);
    const int moving = spawn(120, 300, 180, 2, 12, 100);
    frames(61);
    EXPECT_EQ(at(still).alpha, 100);
    EXPECT_EQ(at(moving).alpha, 255);

    // The colour wheel on a negative frame stays in range.
    t.s.stageFrame = -91;
    const int wheel = spawn(100, 100, 0, 0, 28);
    frames(1);  // stageFrame -90: hue 270
    EXPECT_EQ(at(wheel).behavior, -3);
    EXPECT_EQ(at(wheel).red, 127);
    EXPECT_EQ(at(wheel).green, 0);
    EXPECT_EQ(at(wheel).blue, 255);

    // Slots in work that name nothing free the bullet.
    const int lost = spawn(100, 100, 0, 0, 94);
    at(lost).work = 5000;
    const int orphan = spawn(100, 100, 0, 0, 64);
    at(orphan).work = -3;
    frames(1);
    EXPECT_FALSE(live(lost));
    EXPECT_FALSE(live(orphan));

    // A freed slot drawn with alpha -1 is transparent, not opaque.
    t.engine.quads.clear();
    const int faded = spawn(100, 100, 0, 0, -7, 6);
    frames(1);
    EXPECT_FALSE(live(faded));
    ASSERT_FALSE(t.engine.quads.empty());
    EXPECT_EQ(t.engine.quads.back().v[0].col >> 24, 1u);
    at(faded).alpha = -1;
    UpdateEnemyBullet(*t.game, faded);
    EXPECT_EQ(t.engine.quads.back().v[0].col >> 24, 0u);
}

TEST_F(EnemyBulletTest, DrainBulletsCostGaugeThenLife) {
    t.s.bombGauge = 7;
    spawn(224, 412, 0, 0, -9);
    frames(1);
    EXPECT_EQ(t.s.bombGauge, 2);
    EXPECT_EQ(t.s.hitPending, 0);
    EXPECT_EQ(t.s.playerShots.slot[0].kind, kMarkerShotKind);
    EXPECT_FALSE(ShotHitTest(*t.game, 0, 0, 0, 100, 3));  // the marker never hurts
    for (int f = 0; f < 30; ++f) UpdatePlayerShot(*t.game, 0);
    EXPECT_FALSE(t.s.playerShots.free[0]);
    UpdatePlayerShot(*t.game, 0);
    EXPECT_TRUE(t.s.playerShots.free[0]);  // gone after 30 frames: it cannot fill the shot pool
    spawn(224 + 40, 412, 0, 0, -10);  // 40 px: beyond the touch
    frames(1);
    EXPECT_EQ(liveCount(), 1);
    spawn(224, 412, 0, 0, -10);
    frames(1);
    EXPECT_EQ(t.s.hitPending, 11);
}

// A bullet aimed at the still ship grazes it first, then hits it, and the
// ship dies ten frames after the hit.
TEST_F(EnemyBulletTest, AimedBulletGrazesThenHitsTheStillShip) {
    t.s.power = 40;
    const int b = spawn(224, 200, 0, 0, 0);
    at(b).angle = bullet::AimAngle(*t.game, at(b));
    at(b).speed = 3;
    int grazedAt = -1, hitAt = -1;
    for (int frame = 1; frame <= 120 && hitAt < 0; ++frame) {
        PlayFrame(*t.game);
        if (grazedAt < 0 && t.s.grazeCount == 1) grazedAt = frame;
        if (t.s.hitPending == 11) hitAt = frame;
    }
    ASSERT_GT(grazedAt, 0);
    ASSERT_GT(hitAt, grazedAt);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_EQ(t.s.score, 100);
    for (int k = 1; k < 10; ++k) PlayFrame(*t.game);
    EXPECT_EQ(t.s.lives, 2);
    PlayFrame(*t.game);
    EXPECT_EQ(t.s.lives, 1);
    EXPECT_EQ(t.s.power, 0);
}

}  // namespace
}  // namespace korvid
