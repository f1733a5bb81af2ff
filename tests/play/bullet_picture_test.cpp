// Bullet families in flight, drawn with the stand-in pack on the headless
// engine: the picture is written to build/screens/bullets.png for a look,
// and every rectangle drawn must be painted in the pack.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "CoverageCheck.h"

#include "app/Boot.h"
#include "support/PackPictureGame.h"
#include "engine/EngineTestKit.h"
#include "game/Game.h"
#include "game/PoolSteps.h"
#include "play/Resources.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

void spawnFamilies(Game& g) {
    for (int k = 0; k < 24; ++k)  // a plain ring, bursting out and settling
        SpawnEnemyBullet(g, {0, 16 * (k % 8), 32, 16, 16}, 112, 120, 1, 1, 15.0f * k, 0.5f, 0.5f, 1, 255);
    for (int k = 0; k < 12; ++k)  // animated glowing stars curving by their tag
        SpawnEnemyBullet(g, {1, 0, 144, 32, 32}, 336, 120, 1, 1, 30.0f * k, 0.5f, 1.2f, 34, k % 2 ? 254 : 255);
    for (int k = 0; k < 2; ++k)  // weavers trailing laser pairs
        SpawnEnemyBullet(g, {0, 96, 288, 16, 16}, 40 + 360 * k, 20, 1, 1, 180, 0.5f, 0.6f, 37, 255 - k);
    SpawnEnemyBullet(g, {2, 0, 288, 32, 32}, 224, 60, 1, 1, 180, 0.5f, 0.8f, 0, 255);  // the slow homer
    for (int k = 0; k < 8; ++k)  // shadowed doubles
        SpawnEnemyBullet(g, {0, 32 * k, 256, 32, 32}, 60 + 45 * k, 330, 1, 1, 0, 0.5f, 0.4f, 10, 255);
    for (int k = 0; k < 10; ++k)  // sparkles on the colour wheel
        SpawnEnemyBullet(g, {1, 16 * k, 0, 16, 16}, 40 + 40 * k, 430, 1, 1, 0, 0.5f, 0.3f, 28, 255);
    SpawnEnemyBullet(g, {0, 0, 304, 32, 32}, 224, 200, 1, 1, 180, 0.5f, 0.2f, 133, 255);  // sows rings
    for (int k = 0; k < 6; ++k)  // decoys falling like items
        SpawnEnemyBullet(g, {3, 0, 96, 16, 16}, 60 + 64 * k, 150, 1, 1, 0, 0.71f, 0, 117, 255);
    for (int k = 0; k < 6; ++k)  // splitters
        SpawnEnemyBullet(g, {2, 32 * k, 128, 32, 32}, 80 + 60 * k, 250, 1, 1, 200, 0.5f, 1, 46, 255);
}

TEST(BulletPicture, FamiliesInFlightWithTheStandInSheets) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no offscreen GL";
    test::PackPictureGame pic;
    ASSERT_TRUE(pic.attached);
    auto& engine = pic.engine;
    const auto& dir = pic.dir;
    Game& game = *pic.game;
    GameState& s = game.state;
    s.screen = 10;
    s.stage = 2;
    s.difficulty = 1;
    StageLoadReset(s);
    s.playerX = 224;
    s.playerY = 412;
    s.invincibleTimer = 9999;  // the bullets may touch the ship: keep it out of the picture's way
    spawnFamilies(game);

    const ArgbImage image = testing::RenderFrames(*engine, dir, 100, 100, 0xFF000000, [&](int) {
        s.stageFrame += 1;
        s.bossTimer() += 1;
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!s.enemyBullets.free[i]) UpdateEnemyBullet(game, i);
    });
    ASSERT_EQ(image.width, 640);
    testing::WriteImage(korvid::test::BinaryPath("/screens/bullets.png").c_str(), image.pixels, image.width, image.height);
    std::set<std::uint32_t> colours;
    int lit = 0;
    for (int y = 0; y < 480; y += 2)
        for (int x = 0; x < 448; x += 2) {
            const std::uint32_t p = testing::PixelAt(image, x, y) & 0xFFFFFF;
            colours.insert(p);
            lit += p != 0;
        }
    EXPECT_GT(colours.size(), 300u);
    EXPECT_GT(lit, 2000);

    // Everything drawn comes from painted parts of the stand-in sheets.
    pic.ExpectEverythingDrawnIsPainted();
}

}  // namespace
}  // namespace korvid
