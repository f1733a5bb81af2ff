// Stage 4 drawn with the stand-in pack, whole play frames, the ship kept
// invincible: the laser rain, the mid-boss's two cards, the maze sliding
// in, the ship pushed out of a wall, the boss's waves and each of its
// cards. The pictures are kept in the build folder (stage4_*.png) for a
// person to look at; the test checks that the scenes came, that the maze
// shows and pushes, and that everything drawn comes from painted parts of
// the pack.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/FrameDriver.h"
#include "bosses/FightRegistry.h"
#include "engine/EngineTestKit.h"
#include "game/Game.h"
#include "play/Player.h"
#include "play/StageFlow.h"
#include "stages/Stage4.h"
#include "support/PackPictureGame.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

enum Scene { Rain, MidCard1, MidCard2, SlideIn, Pushed, Waves, Card26, Attack27, Card28, Card29, kScenes };
const char* const kNames[kScenes] = {"stage4_rain.png",    "stage4_midboss_card23.png", "stage4_midboss_card24.png",
                                     "stage4_slidein.png", "stage4_pushed.png",         "stage4_waves25.png",
                                     "stage4_card26.png",  "stage4_attack27.png",       "stage4_card28.png",
                                     "stage4_card29.png"};

TEST(Stage4Picture, TheStageItsMazeAndItsCardsAreDrawnFromThePack) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    test::PackPictureGame pic;
    ASSERT_TRUE(pic.attached);
    auto& engine = pic.engine;
    Game& game = *pic.game;
    GameState& s = game.state;
    Enemy& boss = s.enemies.slot[kBossSlot];
    s.screen = 10;
    s.stage = 4;
    s.character = 1;
    s.difficulty = 1;
    StageLoad(game);
    s.lives = 9;
    s.playerY = 440;

    int phase = 0, frame = 0, wait = 0;
    bool shot[kScenes] = {};
    float pushedFrom[2] = {}, pushedTo[2] = {};
    bool walled = false;
    const auto take = [&](Scene scene) {
        shot[scene] = true;
        engine->Shell_AddScreenshot(frame, pic.dir.file(kNames[scene]));
    };
    // The ship put on the first wall pixel of the row under y 300, left of
    // the middle, while the map scrolls.
    const auto onAWall = [&] {
        const WallMapPhase at = WallMapAt(s.stageFrame + 1);
        const HTEXTURE tex = s.textures[40];
        const std::uint32_t* px = engine->Texture_Lock(tex, true, 0, 0, 0, 0);
        if (!px) return false;
        WallMapView map{px, engine->Texture_GetWidth(tex), engine->Texture_GetWidth(tex, true),
                        engine->Texture_GetHeight(tex, true)};
        bool found = false;
        for (int y = 260; y < 400 && !found; y += 4)
            for (int x = 60; x < 380 && !found; ++x)
                if (map.wall(x, at.row(y)) && !map.wall(x, at.row(y) + 6)) {
                    s.playerX = static_cast<float>(x);
                    s.playerY = static_cast<float>(y);
                    found = true;
                }
        engine->Texture_Unlock(tex);
        return found;
    };
    const auto card = [&](int id, int at, Scene scene, int next) {
        if (s.bossPattern() != id || boss.timer < 0) return;
        s.bossTimeLeft = 2000;
        if (boss.timer == at) take(scene);
        if (boss.timer == at + 1) {
            boss.hp = 0;
            phase = next;
        }
    };
    const auto step = [&] {
        s.invincibleTimer = 100;
        switch (phase) {
        case 0:  // the rain
            if (frame == 1) s.stageFrame = 699;
            if (s.stageFrame == 759) take(Rain);
            if (s.stageFrame == 760) {
                s.stageFrame = 3049;
                phase = 1;
            }
            break;
        case 1:  // the mid-boss: its first attack shot down at once
            if (s.bossActive && s.bossPattern() == 22 && boss.timer == 101) boss.hp = 0;
            card(23, 300, MidCard1, 2);
            break;
        case 2:
            if (s.bossActive && s.bossPattern() == 24 && boss.timer >= 0) {
                if (boss.timer == 300) take(MidCard2);
                if (boss.timer == 301) s.bossTimeLeft = 0;  // its time runs out: it flies off
            }
            if (!s.bossActive && s.bossPattern() == 24) {
                s.stageFrame = 7399;
                phase = 3;
            }
            break;
        case 3:  // the maze slides in
            if (s.stageFrame == 7599) take(SlideIn);
            if (s.stageFrame == 7600) {
                s.stageFrame = 8399;
                phase = 4;
            }
            break;
        case 4:  // on a wall: pushed out
            if (s.stageFrame == 8410) {
                walled = onAWall();
                pushedFrom[0] = s.playerX;
                pushedFrom[1] = s.playerY;
                wait = frame + 1;
            }
            if (frame == wait && s.stageFrame > 8410) {
                pushedTo[0] = s.playerX;
                pushedTo[1] = s.playerY;
                take(Pushed);
            }
            if (frame == wait + 1 && shot[Pushed]) {
                s.stageFrame = 12699;
                phase = 5;
            }
            break;
        case 5:  // the boss: its conversation skipped
            if (s.dialogueActive) {
                s.dialogueActive = 0;
                boss.timer = 0;
            }
            if (s.bossActive && s.bossPattern() == 25) {
                if (boss.timer == 900) take(Waves);
                if (boss.timer == 901) boss.timer = 2098;
                if (boss.timer == 2200) boss.hp = 0;
            }
            card(26, 400, Card26, 6);
            break;
        case 6: card(27, 360, Attack27, 7); break;
        case 7: card(28, 400, Card28, 8); break;
        case 8: card(29, 200, Card29, 9); break;
        default:
            if (s.stageCleared) phase = 10;
            break;
        }
    };
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [&] {
        ++frame;
        return phase == 10;
    });
    engine->System_SetStateFunc(HGE_RENDERFUNC, [&] {
        engine->Gfx_BeginScene();
        step();
        PlayFrame(game);
        engine->Gfx_EndScene();
        return false;
    });
    engine->Shell_SetFrameLimit(9000);
    engine->System_Start();
    EXPECT_EQ(phase, 10) << "the scenario ran to the stage's clear";
    for (int scene = 0; scene < kScenes; ++scene) {
        EXPECT_TRUE(shot[scene]) << kNames[scene];
        if (!shot[scene]) continue;
        std::ifstream in(pic.dir.file(kNames[scene]), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ArgbImage picture;
        ASSERT_TRUE(DecodeImage(bytes.data(), bytes.size(), picture)) << kNames[scene];
        testing::WriteImage(korvid::test::BinaryPath("/") + kNames[scene], picture.pixels, picture.width,
                            picture.height);
    }
    ASSERT_TRUE(walled) << "the maze has a wall the ship can be put on";
    const float moved = std::fabs(pushedTo[0] - pushedFrom[0]) + std::fabs(pushedTo[1] - pushedFrom[1]);
    EXPECT_GT(moved, 0) << "the wall pushed the ship";
    EXPECT_LE(moved, 12) << "by at most six pixels a frame";
    pic.ExpectEverythingDrawnIsPainted();
}

}  // namespace
}  // namespace korvid
