// The stage-1 fights drawn with the stand-in pack, whole play frames: the
// mid-boss in its first attack, the first card's declaration over its
// backdrop, the bonus caption, and the boss's defeat. The pictures are kept
// in the build folder (boss_*.png) for a person to look at; the test checks
// that the boss and the backdrop show and that everything drawn comes from
// painted parts of the pack.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "support/PackPictureGame.h"
#include "app/FrameDriver.h"
#include "bosses/SpellCards.h"
#include "engine/EngineTestKit.h"
#include "game/Game.h"
#include "play/Player.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

int paintedAround(const ArgbImage& picture, float cx, float cy, int radius, std::uint32_t background) {
    int n = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx) {
            const int x = static_cast<int>(cx) + dx, y = static_cast<int>(cy) + dy;
            if (x >= 0 && x < 640 && y >= 0 && y < 480 && testing::PixelAt(picture, x, y) != background) ++n;
        }
    return n;
}

ArgbImage load(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ArgbImage image;
    DecodeImage(bytes.data(), bytes.size(), image);
    return image;
}

TEST(BossPicture, TheStage1FightsAreDrawnFromThePack) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    test::PackPictureGame pic;
    ASSERT_TRUE(pic.attached);
    auto& engine = pic.engine;
    const auto& dir = pic.dir;
    Game& game = *pic.game;
    GameState& s = game.state;
    Enemy& boss = s.enemies.slot[kBossSlot];
    s.screen = 10;
    s.stage = 1;
    s.character = 1;
    s.difficulty = 1;
    StageLoad(game);
    s.lives = 9;
    s.playerY = 440;

    // The scenes, by frame of this run.
    enum Scene { MidBoss, Declaration, Caption, Defeat, kScenes };
    const char* names[kScenes] = {"boss_midboss.png", "boss_declaration.png", "boss_caption.png", "boss_defeat.png"};
    int shotAt[kScenes] = {};
    float bossAt[kScenes][2] = {};
    int phase = 0, until = 0;
    bool spellShown = false;

    const std::string files[kScenes] = {dir.file(names[0]), dir.file(names[1]), dir.file(names[2]),
                                        dir.file(names[3])};
    int frame = 0;
    const auto shoot = [&](Scene scene) {
        shotAt[scene] = frame;
        bossAt[scene][0] = boss.x;
        bossAt[scene][1] = boss.y;
        engine->Shell_AddScreenshot(frame, files[scene]);
    };
    // Each frame: the scenario's own steps, then the whole play frame. A
    // screenshot asked for on frame N is taken at that frame's end.
    const auto step = [&] {
        s.invincibleTimer = 100;
        switch (phase) {
        case 0:  // the mid-boss comes in at 4400 and opens its ring
            if (frame == 1) s.stageFrame = 4399;
            if (boss.timer == 160) {
                shoot(MidBoss);
                phase = 1;
            }
            break;
        case 1:  // the boss: conversation skipped, first attack shot down at once
            s.bossActive = 0;
            s.enemies.free[kBossSlot] = 1;
            s.stageFrame = 6999;
            phase = 2;
            break;
        case 2:
            if (s.dialogueActive) {
                s.dialogueActive = 0;
                boss.timer = 0;
            }
            if (s.bossPattern() == 4 && boss.timer == 101) boss.hp = 0;
            if (s.bossPattern() == 5 && boss.timer == 60) {
                shoot(Declaration);
                spellShown = s.spellActive == 1;
            }
            if (s.bossPattern() == 5 && boss.timer == 300) {
                s.effects.free.fill(1);
                boss.hp = 0;
                until = frame + 12;
                phase = 3;
            }
            break;
        case 3:
            if (frame == until) {
                shoot(Caption);
                s.bossPattern() = 7;
                boss.timer = 0;
                boss.hp = boss.maxHp = 1400;
                s.spellActive = 1;
                SpellDeclare(game);
                phase = 4;
            }
            break;
        case 4:
            s.bossTimeLeft = 1000;
            if (boss.timer == 260) boss.hp = 0;
            if (boss.timer == -270) {
                shoot(Defeat);
                phase = 5;
            }
            break;
        default: break;
        }
    };
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] {
        ++frame;
        return phase == 5;
    });
    engine->System_SetStateFunc(HGE_RENDERFUNC, [&] {
        engine->Gfx_BeginScene();
        step();
        PlayFrame(game);
        engine->Gfx_EndScene();
        return false;
    });
    engine->Shell_SetFrameLimit(3000);
    engine->System_Start();
    ASSERT_EQ(phase, 5) << "the scenario ran to its end";
    EXPECT_TRUE(spellShown);

    const std::uint32_t sky = 0xFF258585;
    for (int scene = 0; scene < kScenes; ++scene) {
        const ArgbImage picture = load(files[scene]);
        ASSERT_EQ(picture.width, 640) << names[scene];
        testing::WriteImage(korvid::test::BinaryPath("/") + names[scene], picture.pixels, picture.width,
                            picture.height);
        EXPECT_GT(paintedAround(picture, bossAt[scene][0], bossAt[scene][1], 10, sky), 200)
            << names[scene] << ": the boss at " << bossAt[scene][0] << ", " << bossAt[scene][1];
    }
    // The card's backdrop covers the field: no sky shows through it.
    const ArgbImage declaration = load(files[Declaration]);
    int sky_pixels = 0;
    for (int y = 0; y < 480; y += 8)
        for (int x = 0; x < 448; x += 8) sky_pixels += testing::PixelAt(declaration, x, y) == sky;
    EXPECT_EQ(sky_pixels, 0);

    pic.ExpectEverythingDrawnIsPainted();
}

}  // namespace
}  // namespace korvid
