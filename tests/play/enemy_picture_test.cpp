// A field of stage-1 enemies drawn with the stand-in pack: every enemy shows
// on the picture, and everything drawn comes from painted parts of the pack.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "support/PackPictureGame.h"
#include "engine/EngineTestKit.h"
#include "engine/HeadlessEngine.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

constexpr std::uint32_t kBackground = 0xFF183040;

TEST(EnemyPicture, AFieldOfStage1EnemiesIsDrawnFromThePack) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    test::PackPictureGame pic;
    ASSERT_TRUE(pic.attached);
    auto& engine = pic.engine;
    const auto& dir = pic.dir;
    Game& game = *pic.game;
    GameState& s = game.state;
    s.screen = 10;
    s.stage = 1;
    s.character = 1;
    s.difficulty = 2;
    StageLoadReset(s);
    s.stageFrame = 1000;
    s.playerY = 460;  // out of the way
    s.invincibleTimer = 10000;

    auto field = [&] {
        SpawnEnemy(game, 6, 0, 448, 80, 64, 110, 60, 1, 1, 180, 0.7f, 0, 1, 2500, 0);
        SpawnEnemy(game, 6, 0, 448, 80, 64, 340, 60, 1, 1, 180, 0.7f, 0, 4, 2500, 0);
        SpawnEnemy(game, 6, 0, 384, 64, 64, 224, 120, 1, 1, 180, 0.7f, 0, 3, 550, 255);
        for (int i = 0; i < 4; ++i) {  // popcorn crossing both ways: banked and mirrored
            const float y = static_cast<float>(250 + 40 * i);
            SpawnEnemy(game, 6, 0, 256 + 32 * (i % 2), 32, 32, i < 2 ? 40.0f : 400.0f, y, 1, 1,
                       i < 2 ? 90.0f : 270.0f, 0.7f, 0.6f, 0, 0.5f, 255);
            SpawnEnemy(game, 6, 0, 256 + 32 * (i % 2), 32, 32, 60 + 110.0f * i, 220, 1, 1, 180, 0.7f, 0.2f, 2,
                       0.5f, 255);
        }
        SpawnEnemy(game, 6, 0, 256, 32, 32, 200, 10, 1, 1, 230, 0.7f, 1.5f, 5, 500, 255);
        SpawnEnemy(game, 6, 0, 288, 32, 32, 260, 10, 1, 1, 130, 0.7f, 1.5f, 5, 500, 255);
    };
    const ArgbImage picture = testing::RenderFrames(*engine, dir, 90, 90, kBackground, [&](int frame) {
        if (frame == 1) field();
        UpdateAndDrawPlay(game);
    });
    ASSERT_EQ(picture.width, 640);
    testing::WriteImage(korvid::test::BinaryPath("/enemy_field.png").c_str(), picture.pixels, picture.width, picture.height);

    int live = 0;
    for (int i = 0; i < kBossSlot; ++i) {
        if (s.enemies.free[i]) continue;
        ++live;
        const Enemy& e = s.enemies.slot[i];
        int painted = 0;
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const int x = static_cast<int>(e.x) + dx, y = static_cast<int>(e.y) + dy;
                if (x >= 0 && x < 640 && y >= 0 && y < 480 && testing::PixelAt(picture, x, y) != kBackground)
                    ++painted;
            }
        EXPECT_GT(painted, 40) << "enemy " << i << " of type " << e.type << " at " << e.x << ", " << e.y;
    }
    EXPECT_EQ(live, 13);

    pic.ExpectEverythingDrawnIsPainted();
}

}  // namespace
}  // namespace korvid
