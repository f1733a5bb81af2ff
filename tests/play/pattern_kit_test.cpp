#include "play/PatternKit.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/GameRandom.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class PatternKitTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override { ClearAllPools(t.s); }
    std::vector<float> angles() const {
        std::vector<float> out;
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!t.s.enemyBullets.free[i]) out.push_back(t.s.enemyBullets.slot[i].angle);
        return out;
    }
    Enemy& boss() { return t.s.enemies.slot[kBossSlot]; }
};

TEST_F(PatternKitTest, SpeedRampKicksOnceAndDecaysToRest) {
    Enemy& e = boss();
    e.speed = 0;
    e.timer = 0;  // before the kick: pushed down, clamped at 0
    SpeedRamp(*t.game, 5, 60, 0, kBossSlot);
    EXPECT_EQ(e.speed, 0);
    e.speed = 0.5f;
    e.timer = 1;  // the kick adds to what is left
    SpeedRamp(*t.game, 5, 60, 0, kBossSlot);
    EXPECT_FLOAT_EQ(e.speed, 5.5f);
    e.speed = 0;
    for (int timer = 1; timer <= 61; ++timer) {
        e.timer = timer;
        SpeedRamp(*t.game, 5, 60, 0, kBossSlot);
    }
    EXPECT_EQ(e.speed, 0);  // at rest by endFrame + 1
    e.speed = 3;
    e.timer = 62;  // past the ramp: untouched
    SpeedRamp(*t.game, 5, 60, 0, kBossSlot);
    EXPECT_EQ(e.speed, 3);
    e.timer = 10;
    e.speed = 0.2f;  // compared with 0.2 in double: a stored 0.2f is just above it and survives
    SpeedRamp(*t.game, 0, 60, 0, kBossSlot);
    EXPECT_EQ(e.speed, 0.2f);
    e.speed = 4;  // a ramp of no length stops the enemy instead of dividing by zero
    e.timer = 5;
    SpeedRamp(*t.game, 1, 9, 9, kBossSlot);
    EXPECT_EQ(e.speed, 0);
}

TEST_F(PatternKitTest, DigitSplitEdges) {
    auto digits = [](std::int64_t v) {
        const DigitList d = DigitSplit(v);
        std::string s;
        for (int i = 0; i < d.count; ++i) s += static_cast<char>('0' + d.digit[i]);
        return s;
    };
    EXPECT_EQ(digits(0), "0");
    EXPECT_EQ(digits(9), "9");
    EXPECT_EQ(digits(10), "10");
    EXPECT_EQ(digits(100), "100");
    EXPECT_EQ(DigitSplit(100).count, 3);
    EXPECT_EQ(digits(-5), "0");
    EXPECT_EQ(digits(INT64_MAX), "9223372036854775807");
    EXPECT_EQ(digits(1000000000000000000LL), "1000000000000000000");
}

TEST_F(PatternKitTest, RingAndFanLandAtTheirBearings) {
    const BulletPlan plan{TexRect{0, 96, 96, 16, 16}, 2, 5, 254};
    FireRing(*t.game, plan, 224, 150, 20, 7);
    std::vector<float> want;
    for (int i = 0; i < 20; ++i) want.push_back(7.0f + 18 * i);
    EXPECT_EQ(angles(), want);
    EXPECT_EQ(t.s.enemyBullets.slot[0].alpha, 254);
    EXPECT_EQ(t.s.enemyBullets.slot[0].behavior, 5);

    // A ring of 16 does not divide 360: i * 360 / 16 truncates per bullet.
    ClearAllPools(t.s);
    FireRing(*t.game, plan, 0, 0, 16, 0);
    EXPECT_EQ(angles()[1], 22.0f);
    EXPECT_EQ(angles()[3], 67.0f);
    EXPECT_EQ(angles()[8], 180.0f);

    // Aimed fan: the player straight below, so the centre is 180.
    ClearAllPools(t.s);
    t.s.playerX = 224;
    t.s.playerY = 400;
    FireAimedFan(*t.game, plan, 224, 100, 2, 10);
    EXPECT_EQ(angles(), (std::vector<float>{160, 170, 180, 190, 200}));

    // Layered: every speed of one direction before the next one, or rings per speed.
    ClearAllPools(t.s);
    FireLayeredRing(*t.game, BulletPlan{TexRect{0, 96, 64, 16, 16}, 2, 10}, 0, 0, 6, 5, 3, 0.3);
    EXPECT_EQ(t.s.enemyBullets.slot[1].angle, 5.0f);
    EXPECT_EQ(t.s.enemyBullets.slot[1].speed, static_cast<float>(2 + 0.3));
    EXPECT_EQ(t.s.enemyBullets.slot[3].angle, 65.0f);
    ClearAllPools(t.s);
    FireLayeredFan(*t.game, plan, 0, 0, 90, -1, 1, 10, 2, -0.3, Nesting::SpeedsOuter);
    EXPECT_EQ(angles(), (std::vector<float>{80, 90, 100, 80, 90, 100}));
    EXPECT_EQ(t.s.enemyBullets.slot[4].speed, static_cast<float>(2 - 0.3));
}

TEST_F(PatternKitTest, ShapedRingAlternatesCellsAndAimedShotsAreReAimed) {
    FireRingShaped(*t.game, BulletPlan{TexRect{0, 96, 64, 16, 16}, 2, 10}, 0, 0, 4, 0, 2, 0.3,
                   [](int o, int, BulletPlan& s) { s.rect.x = 96 + 64 * (o % 2); });
    EXPECT_EQ(t.s.enemyBullets.slot[0].texX, 96);
    EXPECT_EQ(t.s.enemyBullets.slot[2].texX, 160);
    EXPECT_EQ(t.s.enemyBullets.slot[3].texX, 160);

    ClearAllPools(t.s);
    t.s.playerX = 100;
    t.s.playerY = 100;
    // Player straight up-left at 45 degrees: bearing 315, plus the offset, left unfolded.
    FireAimedSpread(*t.game, BulletPlan{TexRect{0, 32, 16, 16, 16}, 1.5, 0}, 200, 200, -1, 1, 60);
    EXPECT_NEAR(t.s.enemyBullets.slot[0].angle, 255, 0.01);  // bearings use 57.3 degrees a radian
    EXPECT_NEAR(t.s.enemyBullets.slot[2].angle, 375, 0.01);
}

TEST_F(PatternKitTest, SprayAndChargeDrawInTheirOrder) {
    GameRandom ref;
    ref.seed(77);
    t.game->srand(77);
    const Point c = DrawSprayCentre(*t.game, 200, 100);
    const int rx = ref.next() % 100;
    const int ry = ref.next() % 100;
    EXPECT_EQ(c.x, 200.0f - rx + 50);
    EXPECT_EQ(c.y, 100.0f - ry + 50);
    FireRandomSpray(*t.game, BulletPlan{TexRect{0, 96, 48, 16, 16}, 0.9, 8, 0}, c.x, c.y, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.s.enemyBullets.slot[i].angle, static_cast<float>(ref.next() % 360));

    // A full pool still draws: the next numbers do not depend on room.
    for (int i = 0; i < kEffectCapacity; ++i) t.s.effects.occupy(i);
    ChargeParticles(*t.game, 0, 0, 2);
    for (int i = 0; i < 6; ++i) ref.next();
    EXPECT_EQ(t.game->rand(), ref.next());
    ClearAllPools(t.s);
    ChargeParticle(*t.game, 300, 200);
    const int rotation = ref.next() % 360;
    const int dy = ref.next() % 256;
    const int dx = ref.next() % 256;
    const EffectSprite& e = t.s.effects.slot[0];
    EXPECT_EQ(e.angle, static_cast<float>(rotation));
    EXPECT_EQ(e.x, 300.0f + dx - 128);
    EXPECT_EQ(e.y, 200.0f + dy - 128);
    EXPECT_EQ(e.type, 8);
}

TEST_F(PatternKitTest, BulletsToItemsAndMuzzleFlash) {
    for (int i = 0; i < 3; ++i) Fire(*t.game, BulletPlan{TexRect{0, 0, 48, 16, 16}, 1, 0}, 10.0f * i, 5, 0);
    t.s.enemyBullets.free[1] = 1;
    SpawnItem(*t.game, TexRect{3, 16, 96, 16, 16}, 50, 50, 0, 3);
    BulletsToItems(*t.game);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.s.enemyBullets.free[i], 1);
    EXPECT_EQ(t.s.items.slot[1].kind, 4);
    EXPECT_EQ(t.s.items.slot[1].x, 0);
    EXPECT_EQ(t.s.items.slot[2].x, 20);
    EXPECT_EQ(t.s.items.free[3], 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(t.s.items.slot[i].attracted, 1);
    EXPECT_EQ(t.s.lastItemSlot, 0);

    // A full item pool: the bullets go, no items come.
    ClearAllPools(t.s);
    for (int i = 0; i < kItemCapacity; ++i) t.s.items.occupy(i);
    Fire(*t.game, BulletPlan{TexRect{0, 0, 48, 16, 16}, 1, 0}, 0, 0, 0);
    BulletsToItems(*t.game);
    EXPECT_EQ(t.s.enemyBullets.free[0], 1);

    ClearAllPools(t.s);
    MuzzleFlash(*t.game, 96, 30, 40);
    const EffectSprite& f = t.s.effects.slot[0];
    EXPECT_EQ(f.type, 1);
    EXPECT_EQ(f.texX, 96);
    EXPECT_EQ(f.texY, 208);
    EXPECT_EQ(f.alpha, 155);
    EXPECT_EQ(f.sprite.quad.blend, 0);
    EXPECT_FLOAT_EQ(f.sprite.quad.v[0].z, 0.6f);
}

}  // namespace
}  // namespace korvid
