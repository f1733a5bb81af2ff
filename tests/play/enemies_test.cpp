#include "play/Enemies.h"

#include <gtest/gtest.h>

#include "game/FrameSteps.h"
#include "game/PoolSteps.h"
#include "play/EnemyDraw.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class EnemiesTest : public ::testing::Test {
protected:
    test::TestGame t;
    Game& g = *t.game;
    void SetUp() override {
        t.s.screen = 10;
        t.s.stage = 2;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.playerX = 224;
        t.s.playerY = 400;
    }
    // A plain enemy of a type without behaviour, standing still.
    int still(float x, float y, int size = 32, int type = 0, int alpha = 255) {
        return SpawnEnemy(g, 6, 0, 288, size, size, x, y, 1, 1, 180, 0.7f, 0, type, 10, alpha);
    }
    Enemy& at(int slot) { return t.s.enemies.slot[slot]; }
    int liveEffects() const {
        int n = 0;
        for (auto f : t.s.effects.free) n += f ? 0 : 1;
        return n;
    }
};

TEST_F(EnemiesTest, SpawnFoldsTheHeadingAndStoresEveryField) {
    const int a = SpawnEnemy(g, 6, 32, 256, 32, 32, 100, 50, 1.5f, 2, -90, 0.7f, 3, 2, 7, 253);
    ASSERT_EQ(a, 0);
    EXPECT_EQ(at(a).angle, 270);
    EXPECT_EQ(at(a).spriteKey, 6256);
    EXPECT_EQ(at(a).maxHp, 7);
    EXPECT_EQ(at(a).alpha, 253);
    EXPECT_EQ(at(a).sprite.hotX, 16);
    EXPECT_EQ(t.s.lastEnemySlot, 0);
    const int b = SpawnEnemy(g, 6, 0, 288, 32, 32, 0, 0, 1, 1, 450.5f, 0.7f, 0, 2, 1, 255);
    EXPECT_EQ(at(b).angle, 90.5f);
    EXPECT_EQ(t.s.lastEnemySlot, 1);
}

TEST_F(EnemiesTest, BossSlotRoutingAndTheStage7Factor) {
    t.s.stage = 7;
    t.s.character = 2;
    still(10, 10);
    t.s.bossActive = 1;
    t.s.bossVar[0] = 5;
    at(99).auxC = 3;
    const int boss = SpawnEnemy(g, 36, 0, 0, 128, 128, 224, 0, 1, 1, 180, 0.7f, 0, 8, 100, 255);
    EXPECT_EQ(boss, kBossSlot);
    EXPECT_EQ(t.s.lastEnemySlot, 0);  // the boss slot is not an ordinary spawn
    EXPECT_EQ(at(boss).hp, 100);      // no stage-7 factor for the boss
    EXPECT_EQ(at(boss).sprite.hotX, 64);
    EXPECT_EQ(at(boss).sprite.hotY, 56);
    EXPECT_EQ(t.s.bossVar[0], 180);
    EXPECT_EQ(t.s.bossRotation, 360);
    EXPECT_EQ(at(99).auxC, 0);
    // The slot is busy: a second boss spawn is an ordinary enemy.
    const int again = SpawnEnemy(g, 36, 0, 0, 48, 64, 224, 0, 1, 1, 180, 0.7f, 0, 4, 100, 255);
    EXPECT_EQ(again, 1);
    EXPECT_EQ(at(again).hp, 130);
    EXPECT_EQ(at(again).maxHp, 130);
    EXPECT_EQ(t.s.lastEnemySlot, 1);
}

TEST_F(EnemiesTest, AFullPoolRefusesTheSpawnAndTouchesNothing) {
    for (int i = 0; i < 100; ++i) ASSERT_EQ(still(static_cast<float>(i), 10), i);
    t.s.lastEnemySlot = 42;
    const EnemyPool before = t.s.enemies;
    EXPECT_EQ(SpawnEnemy(g, 6, 0, 256, 32, 32, 1, 2, 1, 1, 0, 0.7f, 9, 2, 5, 255), -1);
    EXPECT_EQ(t.s.lastEnemySlot, 42);
    EXPECT_EQ(t.s.enemies.free, before.free);
    for (int i = 0; i < kEnemyCapacity; ++i) {
        EXPECT_EQ(at(i).x, before.slot[i].x);
        EXPECT_EQ(at(i).texY, before.slot[i].texY);
        EXPECT_EQ(at(i).speed, before.slot[i].speed);
    }
}

TEST_F(EnemiesTest, CullBounds) {
    const int left = still(-64.5f, 100);
    const int inside = still(-63.9f, 100);
    const int far = still(-5000, 100, 32, 28);
    const int low = still(100, 544 + 32 / 1.5f + 0.01f);
    const int sticky = still(100, -500, 32, 43);
    for (int i : {left, inside, far, low, sticky}) UpdateEnemy(g, i);
    EXPECT_EQ(t.s.enemies.free[left], 1);
    EXPECT_EQ(t.s.enemies.free[inside], 0);
    EXPECT_EQ(t.s.enemies.free[far], 0);
    EXPECT_EQ(t.s.enemies.free[low], 1);
    EXPECT_EQ(t.s.enemies.free[sticky], 0);
    t.s.stage = 7;
    const int high = still(100, -200);
    UpdateEnemy(g, high);
    EXPECT_EQ(t.s.enemies.free[high], 0);  // the extra stage lets enemies wait higher up
}

TEST_F(EnemiesTest, BodyContactRadiusOpacityAndHarmlessBodies) {
    auto touches = [&](float dx, int size, int alpha = 255) {
        t.s.hitPending = 0;
        t.s.enemies.clear();
        const int e = still(224 + dx, 400, size, 0, alpha);
        UpdateEnemy(g, e);
        return t.s.hitPending == 11;
    };
    EXPECT_TRUE(touches(4, 32));
    EXPECT_FALSE(touches(4.1f, 32));
    EXPECT_TRUE(touches(8, 64));
    EXPECT_FALSE(touches(8.1f, 64));
    EXPECT_FALSE(touches(0, 64, 150));
    EXPECT_EQ(t.s.invincibleTimer, 0);  // a body hit gives no invincibility
    t.s.hitPending = 0;
    t.s.enemies.clear();
    const int e = still(224, 400);
    at(e).auxB = 1;
    UpdateEnemy(g, e);
    EXPECT_EQ(t.s.hitPending, 0);
}

TEST_F(EnemiesTest, BankingBuildsWithSpeedAndMirrorsTheLeftLean) {
    const int e = SpawnEnemy(g, 6, 0, 288, 32, 32, 300, 100, 1, 1, 270, 0.7f, 2, 0, 10, 255);
    for (int i = 0; i < 20; ++i) UpdateEnemy(g, e);
    EXPECT_EQ(at(e).tilt, -16);
    t.engine.quads.clear();
    UpdateEnemy(g, e);
    ASSERT_EQ(t.engine.quads.size(), 1u);
    const Quad& q = t.engine.quads[0];
    EXPECT_GT(q.v[0].x, q.v[1].x);  // drawn mirrored
    EXPECT_EQ(at(e).sprite.texX, (8 + (20 % 32) / 8) * 32);  // a full-bank animation cell
    at(e).speed = 0.5f;  // too slow to bank: the lean cannot build up again
    UpdateEnemy(g, e);
    EXPECT_EQ(at(e).tilt, -15);
    UpdateEnemy(g, e);
    EXPECT_EQ(at(e).tilt, -15);
    at(e).angle = 180;  // straight down: upright at once
    UpdateEnemy(g, e);
    EXPECT_EQ(at(e).tilt, 0);
}

TEST_F(EnemiesTest, SpecialDrawingCases) {
    t.s.textures[6] = 6;
    t.s.textures[36] = 36;
    // Stage 4: a stage-sheet layer tinted by the row, then the body from the common sheet.
    t.s.stage = 4;
    const int layered = SpawnEnemy(g, 6, 0, 288, 32, 32, 100, 100, 1, 1, 180, 0.7f, 0, 17, 10, 255);
    UpdateEnemy(g, layered);
    ASSERT_EQ(t.engine.quads.size(), 2u);
    EXPECT_EQ(t.engine.quads[0].tex, 36u);
    EXPECT_EQ(t.engine.quads[0].v[0].col, 0xFF00FFFFu);
    EXPECT_EQ(t.engine.quads[1].tex, 6u);
    at(layered).timer = -71;  // still arriving: drawn black
    t.engine.quads.clear();
    UpdateEnemy(g, layered);
    EXPECT_EQ(t.engine.quads.back().v[0].col, 0xFF000000u);
    // Orbs: a core inside two rings.
    t.s.stage = 2;
    t.engine.quads.clear();
    UpdateEnemy(g, SpawnEnemy(g, 6, 128, 192, 32, 32, 200, 100, 1, 1, 180, 0.7f, 0, 0, 10, 255));
    EXPECT_EQ(t.engine.quads.size(), 3u);
    // The set piece draws its flames as effects, with a random height each:
    // the draw step draws random numbers even where no picture is made.
    const int piece = SpawnEnemy(g, 6, 0, 0, 64, 64, 200, 100, 1, 1, 180, 0.7f, 0, 28, 10, 255);
    const std::uint32_t seed = 77;
    g.srand(seed);
    UpdateEnemy(g, piece);
    GameRandom expected;
    expected.seed(seed);
    for (int k = 0; k < 4; ++k) expected.next();
    EXPECT_EQ(g.rand(), expected.next());
    EXPECT_EQ(liveEffects(), 4);
}

TEST_F(EnemiesTest, LowHealthFlickersRedThroughEightShades) {
    EXPECT_EQ(EnemyHealthColour(255, 2, 16, 3), 0xFFFFFFFFu);
    for (int c = 0; c < 16; ++c) {
        const std::uint32_t shade = static_cast<std::uint32_t>((c % 8) * 32);
        EXPECT_EQ(EnemyHealthColour(200, 1.9f, 16, c), 0xC8FF0000u | shade << 8 | shade);
    }
    EXPECT_EQ(EnemyHealthColour(-1, 1, 16, 0) >> 24, 0u);  // a faded-out body stays invisible
}

TEST_F(EnemiesTest, KillBurstsByCellSoundsAndFrees) {
    const int popcorn = still(100, 100);
    KillEnemy(g, popcorn);
    EXPECT_EQ(t.s.enemies.free[popcorn], 1);
    EXPECT_EQ(t.s.soundRequests[6], 1);
    ASSERT_EQ(liveEffects(), 2);
    EXPECT_EQ(t.s.effects.slot[0].texX, 128);
    EXPECT_EQ(t.s.effects.slot[0].texY, 16);
    EXPECT_EQ(t.s.effects.slot[1].type, 20);
    const int cruiser = SpawnEnemy(g, 6, 0, 448, 80, 64, 224, 0, 1, 1, 180, 0.7f, 0, 1, 100, 0);
    KillEnemy(g, cruiser);
    EXPECT_EQ(liveEffects(), 2);  // its row has no burst
    EXPECT_EQ(t.s.enemies.free[cruiser], 1);
    t.s.bossActive = 1;
    const int boss = SpawnEnemy(g, 36, 0, 0, 48, 64, 224, 0, 1, 1, 180, 0.7f, 0, 1, 700, 255);
    KillEnemy(g, boss);
    EXPECT_EQ(t.s.enemies.free[boss], 0);  // the boss dies by its own driver
}

TEST_F(EnemiesTest, APopcornInFrontOfTheShipIsShotDownAndDropsItsItem) {
    t.bindDefaults();
    t.s.playerY = 412;
    t.s.stageFrame = 100;
    const int e = SpawnEnemy(g, 6, 0, 288, 32, 32, 224, 300, 1, 1, 180, 0.7f, 0, 2, 0.5f, 255);
    t.hold('Z');
    int frames = 0;
    while (!t.s.enemies.free[e] && frames < 60) {
        ++t.s.stageFrame;
        UpdateAndDrawPlay(g);
        ++frames;
    }
    ASSERT_EQ(t.s.enemies.free[e], 1) << "still alive after " << frames << " frames";
    EXPECT_GT(frames, 10);  // popcorn cannot be hit in its first ten frames
    int items = 0;
    for (int i = 0; i < kItemCapacity; ++i) {
        if (t.s.items.free[i]) continue;
        ++items;
        EXPECT_EQ(t.s.items.slot[i].kind, 1);
        EXPECT_EQ(t.s.items.slot[i].x, 224);
    }
    EXPECT_EQ(items, 1);
}

}  // namespace
}  // namespace korvid
