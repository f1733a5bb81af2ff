#include "play/Collisions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "app/FrameDriver.h"
#include "play/BulletShapes.h"
#include "play/Spawn.h"
#include "support/PlayStart.h"

namespace korvid {
namespace {

class CollisionsTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        test::StartPlay(t, 2);
        t.s.playerX = 200;
        t.s.playerY = 300;
    }
    // A bullet of `key`'s texture and row, `dx` to the right of the player.
    int bullet(int tex, int texY, float dx, float scale = 1, int behavior = 0, int alpha = 255) {
        return SpawnEnemyBullet(*t.game, {tex, 0, texY, 16, 16}, t.s.playerX + dx, t.s.playerY, scale, scale, 0,
                                0.5f, 0, behavior, alpha);
    }
    bool hits(int slot) {
        const EnemyBullet& b = t.s.enemyBullets.slot[slot];
        return BulletHitTest(*t.game, std::fabs(b.x - t.s.playerX), std::fabs(b.y - t.s.playerY), slot, 0);
    }
    int laser(float x, float y, float angle, float length, float scaleX = 1, float scaleY = 1) {
        const int i = SpawnEnemyBullet(*t.game, {4, 32, 0, 16, 0}, x, y, scaleX, scaleY, angle, 0.5f, 0, 0, 255);
        t.s.enemyBullets.slot[i].texH = length;
        return i;
    }
};

TEST(BulletShapes, TableHasOneRowPerKeyAndTheNamedRadii) {
    for (std::size_t i = 0; i < std::size(kBulletShapes); ++i)
        for (std::size_t j = i + 1; j < std::size(kBulletShapes); ++j)
            EXPECT_NE(kBulletShapes[i].key, kBulletShapes[j].key);
    static_assert(BulletRadiusSquared(248) == 4 && BulletRadiusSquared(16) == 9);
    static_assert(BulletRadiusSquared(2288) == 400 && BulletRadiusSquared(38272) == 1024);
    static_assert(BulletRadiusSquared(4000) == 0 && IsLaserKey(4999) && !IsLaserKey(3999));
}

// The division-free rule that skips far bullets must never skip one the
// full graze test would have touched: every shape, scales that are odd,
// zero, negative, tiny, huge or NaN, distances swept across each reach.
TEST_F(CollisionsTest, BeyondReachNeverSkipsABulletTheGrazeTestTouches) {
    std::vector<int> keys{kBoxKey, kBeamKey, 4032, 17};
    for (const BulletShape& shape : kBulletShapes) keys.push_back(shape.key);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float scales[] = {1, 0.5f, 1.37f, 2, -1.2f, 0, 1e-30f, 3e38f, nan, inf};
    t.s.bossActive = 0;
    const int slot = bullet(0, 16, 0);
    EnemyBullet& b = t.s.enemyBullets.slot[slot];
    int skipped = 0, tested = 0;
    for (int key : keys) {
        for (float k : scales) {
            b.spriteKey = key;
            b.scaleX = b.scaleY = k;
            b.alpha = 255;
            for (float d = 0; d < 700; d = d < 1 ? d + 0.0625f : std::nextafter(d * 1.003f, inf)) {
                for (float other : {0.0f, d, 2 * d}) {
                    const float gx = std::fabs(d / 8), gy = std::fabs(other / 8);
                    const float m = 2 * gx / std::fabs(k), o = 2 * gy / std::fabs(k);
                    const bool touches = !OutOfReach(key, m, o) && BulletShapeHit(*t.game, slot, gx, gy, m, o);
                    if (BeyondReach(key, d, other, k, k)) {
                        ++skipped;
                        ASSERT_FALSE(touches) << "key " << key << " scale " << k << " at " << d << ", " << other;
                    } else {
                        ++tested;
                    }
                }
            }
        }
    }
    EXPECT_GT(skipped, 0);
    EXPECT_GT(tested, 0);
    // And it is tight: key 16 grazes out to 12 pixels at scale 1.
    EXPECT_FALSE(BeyondReach(16, 12, 0, 1, 1));
    EXPECT_TRUE(BeyondReach(16, 12.01f, 0, 1, 1));
}

TEST_F(CollisionsTest, Key16HitsWithinOneAndAHalfAndGrazesWithinTwelve) {
    EXPECT_TRUE(hits(bullet(0, 16, 1.4f)));
    EXPECT_FALSE(hits(bullet(0, 16, 1.6f)));
    EXPECT_TRUE(hits(bullet(0, 16, 2.9f, 2)));  // the scale divides the distance
    EXPECT_FALSE(hits(bullet(0, 16, 3.1f, 2)));

    const int graze = bullet(0, 16, 12);
    TestBulletAgainstPlayer(*t.game, graze);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_EQ(t.s.hitPending, 0);
    const int far = bullet(0, 16, 12.5f);
    TestBulletAgainstPlayer(*t.game, far);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_FALSE(t.s.enemyBullets.slot[far].grazed);
}

TEST_F(CollisionsTest, Behaviour10CountsDoubleAndGrazesAt40) {
    t.s.power = 10;
    TestBulletAgainstPlayer(*t.game, bullet(0, 32, 40, 1, 10));
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_FLOAT_EQ(t.s.power, 12);  // the gain is paid twice
    TestBulletAgainstPlayer(*t.game, bullet(0, 32, 40.5f, 1, 10));
    EXPECT_EQ(t.s.grazeCount, 1);
    TestBulletAgainstPlayer(*t.game, bullet(0, 32, 40, 1, 0));  // the same shape without behaviour 10
    EXPECT_EQ(t.s.grazeCount, 1);
}

TEST_F(CollisionsTest, GrazePaysOncePerBulletAndInvincibilityKeepsPower) {
    t.s.power = 83.5f;
    const int b = bullet(0, 16, 8);
    TestBulletAgainstPlayer(*t.game, b);
    TestBulletAgainstPlayer(*t.game, b);
    EXPECT_EQ(t.s.grazeCount, 1);
    EXPECT_EQ(t.s.score, 100);
    EXPECT_FLOAT_EQ(t.s.power, 84.5f);
    EXPECT_EQ(t.s.soundRequests[12], 1);
    const EffectSprite& spark = t.s.effects.slot[0];
    EXPECT_EQ(spark.type, 3);
    EXPECT_EQ(spark.alpha, 155);
    EXPECT_FLOAT_EQ(spark.x, 200);

    TestBulletAgainstPlayer(*t.game, bullet(0, 16, 8));
    EXPECT_FLOAT_EQ(t.s.power, static_cast<float>(84.5f + 0.03));  // from 84 the gain is small

    t.s.invincibleTimer = 5;
    TestBulletAgainstPlayer(*t.game, bullet(0, 16, 8));
    EXPECT_EQ(t.s.grazeCount, 3);
    EXPECT_EQ(t.s.score, 300);
    EXPECT_FLOAT_EQ(t.s.power, static_cast<float>(84.5f + 0.03));
}

TEST_F(CollisionsTest, HarmlessBulletsTimeStopAndFadedGlowNeverTouch) {
    TestBulletAgainstPlayer(*t.game, bullet(0, 16, 0, 1, -1));
    t.s.timeStop = 1;
    TestBulletAgainstPlayer(*t.game, bullet(0, 16, 0));
    t.s.timeStop = 0;
    EXPECT_EQ(t.s.grazeCount, 0);
    EXPECT_EQ(t.s.hitPending, 0);

    EXPECT_FALSE(hits(bullet(50, 0, 0, 1, 0, 249)));
    TestBulletAgainstPlayer(*t.game, bullet(50, 0, 0, 1, 0, 249));
    EXPECT_EQ(t.s.grazeCount, 0);
    EXPECT_TRUE(hits(bullet(50, 0, 0, 1, 0, 250)));
    EXPECT_FALSE(hits(bullet(0, 200, 0)));  // a key with no shape
}

TEST_F(CollisionsTest, LargeBoxNeedsOpacity) {
    const int b = SpawnEnemyBullet(*t.game, {40, 0, 79, 16, 16}, t.s.playerX + 45, t.s.playerY + 10, 1, 1, 0, 0.5f,
                                   0, 0, 220);
    EXPECT_TRUE(hits(b));
    t.s.enemyBullets.slot[b].y = t.s.playerY + 13;
    EXPECT_FALSE(hits(b));
    t.s.enemyBullets.slot[b].x = t.s.playerX + 10;
    t.s.enemyBullets.slot[b].y = t.s.playerY + 80;
    EXPECT_TRUE(hits(b));
    t.s.enemyBullets.slot[b].alpha = 219;
    EXPECT_FALSE(hits(b));
}

TEST_F(CollisionsTest, RotatingBeamHitsNearItsFarEndWhenAligned) {
    t.s.bossActive = 1;
    t.s.bossPattern() = 61;
    // Pointing down (180) from 125 px above the player: the beam end is on him.
    const int b = SpawnEnemyBullet(*t.game, {38, 0, 272, 16, 16}, t.s.playerX, t.s.playerY - 125, 1, 1, 180, 0.5f,
                                   0, 0, 255);
    EXPECT_TRUE(hits(b));
    t.s.enemyBullets.slot[b].angle = 150;
    EXPECT_FALSE(hits(b));
    // On the bullet itself: no 0 / 0, and too far from the beam end.
    t.s.enemyBullets.slot[b].angle = 180;
    t.s.enemyBullets.slot[b].y = t.s.playerY;
    EXPECT_FALSE(hits(b));
    t.s.bossPattern() = 60;  // outside the card it is a round shape of radius 16
    EXPECT_TRUE(hits(b));
}

TEST_F(CollisionsTest, LaserNearHitAndItsEdgeCases) {
    // A laser pointing down along x = 200 from 100 px above the player, 300 px long.
    const int l = laser(200, 200, 180, 300);
    EXPECT_TRUE(hits(l));
    EXPECT_EQ(t.s.laserNear, 1.0f);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[l].laserIntercept,
                    200 - 200 * t.s.enemyBullets.slot[l].laserSlope);
    t.s.playerY = 301;  // beyond a third of its length
    EXPECT_FALSE(hits(l));
    // Turned to 135 (down and right) it takes its new bearing's slope, and back.
    t.s.enemyBullets.slot[l].angle = 135;
    EXPECT_FALSE(hits(l));
    EXPECT_NEAR(t.s.enemyBullets.slot[l].laserSlope, 1, 0.01);
    t.s.enemyBullets.slot[l].angle = 180;
    EXPECT_FALSE(hits(l));
    EXPECT_GT(t.s.enemyBullets.slot[l].laserSlope, 1000);  // nearly upright

    t.s.laserNear = 0;
    t.s.playerY = 280;
    t.s.playerX = 212;  // d = 12, quartered to 3: near but no hit
    EXPECT_FALSE(hits(l));
    EXPECT_EQ(t.s.laserNear, 1.0f);
    t.s.laserNear = 0;
    t.s.playerX = 230;  // beyond 8 * scaleX + 10
    EXPECT_FALSE(hits(l));
    EXPECT_EQ(t.s.laserNear, 0);
    t.s.playerX = 202;  // 2 px off the line, 0.5 after the quarter: a hit
    EXPECT_TRUE(hits(l));
    t.s.enemyBullets.slot[l].scaleX = 0.5f;  // thin lasers are not quartered
    EXPECT_FALSE(hits(l));

    // The player exactly on the line: distance 0, not 0 / 0.
    t.s.playerX = 0;
    EXPECT_TRUE(hits(laser(0, 280, 135, 300)));

    // Exactly horizontal with its origin at y 300: never hits, whatever the player does.
    t.s.playerX = 200;
    t.s.playerY = 300;
    const int flat = laser(200, 300, 90, 300);
    EXPECT_EQ(t.s.enemyBullets.slot[flat].laserSlope, 0);
    EXPECT_FALSE(hits(flat));
    EXPECT_FALSE(hits(laser(180, 300, 90, 300)));

    // Lasers do not graze.
    TestBulletAgainstPlayer(*t.game, l);
    EXPECT_EQ(t.s.grazeCount, 0);
}

TEST_F(CollisionsTest, EnemyBodyIsACircleOfAnEighthOfItsSmallerSide) {
    Enemy& e = t.s.enemies.slot[3];
    e.texW = 64;
    e.texH = 32;
    e.scaleX = 1;
    e.scaleY = 2;
    // The smaller side is the height, scaled by 2: radius 64 / 8 = 8 px, passed doubled.
    EXPECT_TRUE(BulletHitTest(*t.game, 16, 0, 3, 2));
    EXPECT_FALSE(BulletHitTest(*t.game, 16.5f, 0, 3, 2));
}

TEST_F(CollisionsTest, HitStartsTheCountdownOnlyWhenNothingIsPending) {
    EXPECT_TRUE(RecordPlayerHit(*t.game, true));
    EXPECT_EQ(t.s.hitPending, 11);
    EXPECT_EQ(t.s.invincibleTimer, 31);
    EXPECT_EQ(t.s.soundRequests[13], 1);
    EXPECT_FALSE(RecordPlayerHit(*t.game, true));
    t.s.hitPending = 0;
    EXPECT_FALSE(RecordPlayerHit(*t.game, false));  // still invincible
    t.s.invincibleTimer = 0;
    EXPECT_TRUE(RecordPlayerHit(*t.game, false));
    EXPECT_EQ(t.s.invincibleTimer, 0);
}

TEST_F(CollisionsTest, ABulletOnTheShipKillsItTenFramesLater) {
    t.s.power = 50;
    t.s.bombGauge = 0;
    TestBulletAgainstPlayer(*t.game, bullet(0, 16, 0));
    EXPECT_EQ(t.s.hitPending, 11);
    EXPECT_EQ(t.s.grazeCount, 1);  // only bullets that graze can hit
    for (int frame = 1; frame <= 10; ++frame) {
        EXPECT_EQ(t.s.lives, 2) << frame;
        PlayFrame(*t.game);
    }
    EXPECT_EQ(t.s.lives, 1);
    EXPECT_EQ(t.s.power, 0);
}

class ShotHitTest_ : public CollisionsTest {
protected:
    int shot(int kind, float x, float y) {
        return SpawnPlayerShot(*t.game, {54, 0, 0, 16, 16}, x, y, 1, 1, 0, 0.5f, 0, kind, 255, 1);
    }
};

TEST_F(ShotHitTest_, KindsAndTheirAllowances) {
    EXPECT_TRUE(ShotHitTest(*t.game, 500, 500, shot(4, 0, 0), 10, 2));
    EXPECT_TRUE(ShotHitTest(*t.game, 500, 500, shot(6, 0, 0), 10, 2));
    for (int kind : {5, 8, 9, 11, 12, 13, 14}) EXPECT_FALSE(ShotHitTest(*t.game, 0, 0, shot(kind, 0, 0), 10, 2));
    const int s1 = shot(1, 0, 0);
    EXPECT_TRUE(ShotHitTest(*t.game, 33, 0, s1, 10, 2));   // 1089 <= 100 + 1024
    EXPECT_FALSE(ShotHitTest(*t.game, 34, 0, s1, 10, 2));  // 1156 > 1124
    const int s3 = shot(3, 0, 0);
    EXPECT_TRUE(ShotHitTest(*t.game, 6, 8, s3, 10, 2));
    EXPECT_FALSE(ShotHitTest(*t.game, 6, 8.5f, s3, 10, 2));
}

TEST_F(ShotHitTest_, BossCardShapes) {
    Enemy& boss = t.s.enemies.slot[kBossSlot];
    boss.type = 32;
    EXPECT_TRUE(ShotHitTest(*t.game, 300, 300, shot(1, 100, 190), 10, kBossSlot));
    EXPECT_FALSE(ShotHitTest(*t.game, 0, 0, shot(1, 100, 191), 10, kBossSlot));
    EXPECT_TRUE(ShotHitTest(*t.game, 0, 0, shot(1, 100, 191), 10, 5));  // ordinary slots keep their cells

    boss.type = 59;
    boss.maxHp = 1000;
    boss.hp = 100;  // 0.1: the middle ring
    t.s.difficulty = 1;
    EXPECT_TRUE(ShotHitTest(*t.game, 999, 999, shot(1, 224, 160 + 150), 10, kBossSlot));
    EXPECT_FALSE(ShotHitTest(*t.game, 999, 999, shot(1, 224, 160 + 151), 10, kBossSlot));
    boss.hp = 50;
    EXPECT_FALSE(ShotHitTest(*t.game, 999, 999, shot(1, 224, 160 + 101), 10, kBossSlot));
    t.s.difficulty = 0;  // the ring is not used on the easiest difficulty
    EXPECT_FALSE(ShotHitTest(*t.game, 999, 999, shot(1, 224, 160), 10, kBossSlot));

    boss.type = 30;
    t.s.bossVar[1] = 200;
    t.s.bossVar[2] = 200;
    t.s.bossVar[3] = 90;  // a horizontal bar
    EXPECT_TRUE(ShotHitTest(*t.game, 999, 999, shot(1, 360, 240), 10, kBossSlot));
    EXPECT_FALSE(ShotHitTest(*t.game, 999, 999, shot(1, 300, 260), 10, kBossSlot));
    EXPECT_FALSE(ShotHitTest(*t.game, 999, 999, shot(1, 370, 200), 10, kBossSlot));

    boss.type = 70;  // no special shape: the cell with its allowance
    EXPECT_TRUE(ShotHitTest(*t.game, 33, 0, shot(1, 0, 0), 10, kBossSlot));
    boss.type = 73;
    EXPECT_TRUE(ShotHitTest(*t.game, 160, 50, shot(1, 0, 0), 10, kBossSlot));
    EXPECT_FALSE(ShotHitTest(*t.game, 161, 0, shot(1, 0, 0), 10, kBossSlot));
}

}  // namespace
}  // namespace korvid
