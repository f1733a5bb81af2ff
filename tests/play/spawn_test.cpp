#include "play/Spawn.h"

#include <gtest/gtest.h>

#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class SpawnTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        ClearAllPools(t.s);
        t.s.textures[2] = 42;
        t.engine.textureSizes[42] = {512, 512};
    }
    int bullet(float angle = 0, int tex = 2, int texY = 16, float scaleY = 1, int behavior = 0) {
        return SpawnEnemyBullet(*t.game, {tex, 0, texY, 16, 16}, 10, 20, 1, scaleY, angle, 0.6f, 3, behavior, 255);
    }
};

TEST_F(SpawnTest, FirstFreeSlotAndFullPool) {
    for (int i = 0; i < 10; ++i) EXPECT_EQ(bullet(), i);
    t.s.enemyBullets.free[3] = 1;
    EXPECT_EQ(bullet(), 3);
    EXPECT_EQ(t.s.lastEnemyBulletSlot, 3);
    for (int i = 10; i < kEnemyBulletCapacity; ++i) bullet();
    EXPECT_EQ(t.s.lastEnemyBulletSlot, kEnemyBulletCapacity - 1);
    const EnemyBullet before = t.s.enemyBullets.slot[0];
    EXPECT_EQ(bullet(45), -1);
    EXPECT_EQ(t.s.lastEnemyBulletSlot, kEnemyBulletCapacity - 1);
    EXPECT_EQ(t.s.enemyBullets.slot[0].angle, before.angle);
}

TEST_F(SpawnTest, BulletFieldsAngleKeyAndSprite) {
    bullet(-30, 2, 288);
    const EnemyBullet& b = t.s.enemyBullets.slot[0];
    EXPECT_FLOAT_EQ(b.angle, 330);
    EXPECT_EQ(b.spriteKey, 2288);
    EXPECT_EQ(b.red, 255);
    EXPECT_EQ(b.sprite.quad.tex, 42u);
    EXPECT_FLOAT_EQ(b.sprite.hotX, 8);
    EXPECT_FLOAT_EQ(b.sprite.quad.v[2].z, 0.6f);
    EXPECT_FLOAT_EQ(b.sprite.quad.v[0].ty, 288.0f / 512);
    EXPECT_EQ(b.sprite.quad.blend, 0);  // 2288 glows
    bullet(725.5f);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[1].angle, 5.5f);
    EXPECT_EQ(t.s.enemyBullets.slot[1].sprite.quad.blend, BLEND_DEFAULT);
    bullet(-400);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[2].angle, -40);
}

TEST_F(SpawnTest, LaserBlendDependsOnStageAndWidth) {
    t.s.stage = 4;
    bullet(0, 4, 0, 0.1f);
    EXPECT_EQ(t.s.enemyBullets.slot[0].sprite.quad.blend, BLEND_DEFAULT);
    t.s.stage = 3;
    bullet(0, 4, 0, 0.1f);
    EXPECT_EQ(t.s.enemyBullets.slot[1].sprite.quad.blend, 0);
    t.s.stage = 4;
    bullet(0, 4, 0, 0.2f);
    EXPECT_EQ(t.s.enemyBullets.slot[2].sprite.quad.blend, 0);
    bullet(0, 2, 16, 1, 22);  // behaviour 22 glows
    EXPECT_EQ(t.s.enemyBullets.slot[3].sprite.quad.blend, 0);
    SpawnEnemyBullet(*t.game, {51, 0, 32, 32, 8}, 0, 0, 1, 1, 0, 0.5f, 1, 0, 255);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[4].sprite.hotX, 16);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[4].sprite.hotY, 4);
}

TEST_F(SpawnTest, EffectType13IsRefused) {
    EXPECT_EQ(SpawnEffect(*t.game, {1, 0, 0, 8, 8}, 0, 0, 1, 1, 0, 0.5f, 3, {255, 1, 2, 3}, 0, 5), 0);
    EXPECT_EQ(t.s.lastEffectSlot, 0);
    EXPECT_EQ(t.s.effects.slot[0].age, 5);
    EXPECT_EQ(t.s.effects.slot[0].green, 2);
    EXPECT_EQ(SpawnEffect(*t.game, {1, 0, 0, 8, 8}, 0, 0, 1, 1, 0, 0.5f, 13, {255, 1, 2, 3}, 0, 0), -1);
    EXPECT_EQ(t.s.effects.free[1], 1);
    EXPECT_EQ(t.s.lastEffectSlot, 0);
}

TEST_F(SpawnTest, TrackedAndUntrackedItems) {
    t.s.items.slot[0].halfValue = 1;  // left by an earlier item in the slot
    SpawnItemUntracked(*t.game, {3, 32, 96, 16, 16}, 5, 6, 0, 5);
    EXPECT_EQ(t.s.items.slot[0].halfValue, 1);
    EXPECT_EQ(t.s.items.slot[0].attracted, 0);
    EXPECT_EQ(t.s.lastItemSlot, 0);
    SpawnItem(*t.game, {3, 32, 96, 16, 16}, 5, 6, 0, 10);
    EXPECT_EQ(t.s.lastItemSlot, 1);
    EXPECT_EQ(t.s.items.slot[1].timer, 50);
    EXPECT_FLOAT_EQ(t.s.items.slot[1].sprite.quad.v[0].z, 0.75f);
    SpawnItemUntracked(*t.game, {3, 32, 96, 16, 16}, 5, 6, 0, 10);
    EXPECT_EQ(t.s.items.slot[2].timer, 0);
    SpawnItem(*t.game, {3, 32, 96, 16, 16}, 5, 6, 0, 5);
    EXPECT_EQ(t.s.items.slot[3].attracted, 1);
}

TEST_F(SpawnTest, PlayerShotDamageHalvedOnlyInTheStage5Case) {
    SpawnPlayerShot(*t.game, {54, 0, 0, 8, 8}, 0, 0, 1, 1, -10, 0.85f, 24, 1, 155, 1.0f);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].damage, 1.0f);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].angle, 350);
    t.s.stage = 5;
    t.s.bossActive = 1;
    t.s.bossPattern() = 41;
    t.s.invincibleTimer = 1;
    SpawnPlayerShot(*t.game, {54, 0, 0, 8, 8}, 0, 0, 1, 1, 0, 0.85f, 24, 1, 155, 1.0f);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[1].damage, 0.5f);
}

}  // namespace
}  // namespace korvid
