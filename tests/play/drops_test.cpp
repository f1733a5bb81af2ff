// Drops of destroyed enemies: counts and kinds by type, where they land and in
// which order the offsets are drawn, the colour-coded rows, and decoys.
#include "play/Drops.h"

#include <gtest/gtest.h>

#include "game/PoolSteps.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class DropTest : public ::testing::Test {
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
    void enemy(int type, int texY = 0, float x = 200, float y = 200) {
        Enemy& e = t.s.enemies.slot[3];
        t.s.enemies.occupy(3);
        e.type = type;
        e.texY = texY;
        e.x = x;
        e.y = y;
        e.alpha = 255;
    }
    int countItems(int kind = 0) const {
        int n = 0;
        for (int i = 0; i < kItemCapacity; ++i)
            if (!t.s.items.free[i] && (kind == 0 || t.s.items.slot[i].kind == kind)) ++n;
        return n;
    }
    int countBullets() const {
        int n = 0;
        for (auto f : t.s.enemyBullets.free) n += f ? 0 : 1;
        return n;
    }
    // The player above the collection line fetches everything.
    void collectAll() {
        t.s.playerY = 100;
        for (int f = 0; f < 200; ++f)
            for (int i = 0; i < kItemCapacity; ++i)
                if (!t.s.items.free[i]) UpdateItem(*t.game, i);
    }
};

TEST_F(DropTest, PointAndBigPointRunsPayTheGaugeOnce) {
    const std::pair<int, int> cases[] = {{1, 10}, {4, 20}, {3, 5}, {24, 25}, {6, 1}};
    for (const auto& [type, points] : cases) {
        SetUp();
        t.s.items.clear();
        enemy(type);
        DropEnemyItems(*t.game, 3);
        EXPECT_EQ(countItems(1), points) << type;
        collectAll();
        EXPECT_EQ(countItems(), 0) << type;
        EXPECT_EQ(t.s.bombGauge, 400 + points) << type;
    }
}

TEST_F(DropTest, PairsInterleaveAndEachOffsetDrawsYFirst) {
    enemy(1);
    GameRandom mirror = t.s.rng;
    DropEnemyItems(*t.game, 3);
    ASSERT_EQ(countItems(), 20);
    for (int i = 0; i < 20; ++i) {
        const int dy = mirror.next() % 64 - 32;
        const int dx = mirror.next() % 64 - 32;
        const Item& it = t.s.items.slot[i];
        EXPECT_EQ(it.kind, i % 2 == 0 ? 1 : 3) << i;
        EXPECT_EQ(it.x, 200 + dx) << i;
        EXPECT_EQ(it.y, 200 + dy) << i;
    }
    EXPECT_EQ(t.s.rng.state, mirror.state);

    // A full pool still makes every draw.
    t.s.items.free.fill(0);
    mirror = t.s.rng;
    DropEnemyItems(*t.game, 3);
    for (int i = 0; i < 40; ++i) mirror.next();
    EXPECT_EQ(t.s.rng.state, mirror.state);
}

TEST_F(DropTest, ColourCodedRowsAndTheirBounds) {
    const struct {
        int texY, kind, cellX;
    } rows[] = {{288, 1, 0}, {256, 3, 16}, {224, 5, 32}, {192, 7, 48}};
    for (const auto& r : rows) {
        t.s.items.clear();
        enemy(2, r.texY);
        const auto state = t.s.rng.state;
        DropEnemyItems(*t.game, 3);
        ASSERT_EQ(countItems(), 1) << r.texY;
        EXPECT_EQ(t.s.items.slot[0].kind, r.kind);
        EXPECT_EQ(t.s.items.slot[0].x, 200);  // exactly at the enemy, no draws
        EXPECT_EQ(t.s.items.slot[0].y, 200);
        EXPECT_EQ(t.s.items.slot[0].sprite.texX, r.cellX);
        EXPECT_EQ(t.s.rng.state, state);
    }
    // A row-288 popcorn enemy of type 8 drops two; collected they add 2 to the gauge.
    t.s.items.clear();
    enemy(8, 288);
    DropEnemyItems(*t.game, 3);
    collectAll();
    EXPECT_EQ(t.s.bombGauge, 402);
    // Outside the four rows the formula gives no real kind: nothing drops.
    for (int texY : {320, 160, 96, 0}) {
        t.s.items.clear();
        enemy(5, texY);
        DropEnemyItems(*t.game, 3);
        EXPECT_EQ(countItems(), 0) << texY;
    }
}

TEST_F(DropTest, LargeDropsAndAFullPool) {
    enemy(37);
    DropEnemyItems(*t.game, 3);
    EXPECT_EQ(countItems(3), 100);
    EXPECT_EQ(countItems(2), 10);
    t.s.items.clear();
    for (int i = 0; i < kItemCapacity - 50; ++i) t.s.items.occupy(i);
    DropEnemyItems(*t.game, 3);
    EXPECT_EQ(countItems(), kItemCapacity);

    t.s.items.clear();
    enemy(63);
    DropEnemyItems(*t.game, 3);
    ASSERT_EQ(countItems(10), 1);
    EXPECT_EQ(t.s.items.slot[0].x, 200);
    EXPECT_EQ(t.s.items.slot[0].timer, 50);

    t.s.items.clear();
    enemy(15);
    DropEnemyItems(*t.game, 3);
    EXPECT_EQ(countItems(1), 20);
    EXPECT_EQ(countItems(2), 1);
    EXPECT_EQ(t.s.items.slot[0].sprite.texX, 16);  // the first ten wear the kind-3 picture
    EXPECT_EQ(t.s.items.slot[10].sprite.texX, 0);

    t.s.items.clear();
    enemy(35);
    DropEnemyItems(*t.game, 3);
    EXPECT_EQ(countItems(), 0);
}

TEST_F(DropTest, DecoysAreMarkedBulletsAndTheLateOnesComeFromFrame3500) {
    for (const auto& [frame, decoys] : {std::pair{3499, 10}, std::pair{3500, 20}}) {
        t.s.enemyBullets.clear();
        t.s.items.clear();
        t.s.stageFrame = frame;
        enemy(64);
        DropEnemyItems(*t.game, 3);
        EXPECT_EQ(countBullets(), decoys) << frame;
        EXPECT_EQ(countItems(3), 10) << frame;
        for (int i = 0; i < decoys; ++i) {
            EXPECT_EQ(t.s.enemyBullets.slot[i].behavior, 117);
            EXPECT_EQ(t.s.enemyBullets.slot[i].marked, 1);
        }
    }
    t.s.enemyBullets.clear();
    enemy(70);
    t.s.enemies.slot[3].alpha = 200;
    DropEnemyItems(*t.game, 3);
    ASSERT_EQ(countBullets(), 7);
    EXPECT_EQ(t.s.enemyBullets.slot[0].angle, 90);
    EXPECT_FLOAT_EQ(t.s.enemyBullets.slot[0].speed, 0.4f);
}

// Decoys dropped right on character 2 are gone in their first update without
// grazing or hitting it.
TEST_F(DropTest, SecondCharactersDecoysVanishBeforeTheyCanHurt) {
    t.s.character = 2;
    enemy(66, 0, t.s.playerX, t.s.playerY);  // right on the ship
    DropEnemyItems(*t.game, 3);
    ASSERT_EQ(countBullets(), 20);
    for (int f = 0; f < 5; ++f)
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!t.s.enemyBullets.free[i]) UpdateEnemyBullet(*t.game, i);
    EXPECT_EQ(countBullets(), 0);
    EXPECT_EQ(t.s.grazeCount, 0);
    EXPECT_EQ(t.s.hitPending, 0);
}

}  // namespace
}  // namespace korvid
