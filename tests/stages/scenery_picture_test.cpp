// The 3D scenes drawn with the stand-in pack on the headless engine: stage
// 6's tunnel, the extra stage's block wall with its pillars thrusting out,
// and its turning tower with glowing particles inside. The pictures are
// kept in the build folder (scenery-*.png) for a person to look at; the
// test checks that each scene fills the field where it was staged and that
// every rectangle drawn is painted in the pack.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "app/CoverageLog.h"
#include "engine/EngineTestKit.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/Resources.h"
#include "play/SceneList.h"
#include "play/StageFlow.h"
#include "stages/Scenery.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

using testing::PixelAt;

constexpr float kQuarterTurn = 1.57068f;

class SceneryPicture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
        engine = testing::StartHeadless(dir);
        ASSERT_TRUE(engine->Resource_AttachPack(test::BinaryPath("/gamedat.zip").c_str(), kPackPassword));
        coverage.attach(*engine);
        game = std::make_unique<Game>(*engine);
        game->screenSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 640.0f, 480.0f);
        game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 0.0f, 0.0f);
        LoadSharedResources(*game);
        GameState& s = game->state;
        s.screen = 10;
        s.character = 1;
        StageLoadReset(s);
        s.playerX = 224;
        s.playerY = 420;
        s.sceneFocal = 1000;
    }
    void load(int entry, const char* file) { game->state.textures[entry] = engine->Texture_Load(file); }
    int spawn(int tex, int w, int h, float x, float y, float z, float yaw, float pitch, int kind) {
        return SpawnSceneObject(*game, {tex, 0, 0, w, h}, x, y, z, yaw, pitch, 0, 0, kind);
    }

    // Runs `frames` frames of the scenery alone (each followed by `after`)
    // and keeps the last picture.
    ArgbImage shoot(const std::string& name, int frames, const std::function<void(int)>& after) {
        const ArgbImage image = testing::RenderFrames(*engine, dir, frames, frames, 0xFF000000, [&](int frame) {
            game->state.stageFrame += 1;
            UpdateAndDrawPlay(*game);
            after(frame);
        });
        std::vector<std::uint32_t> pixels = image.pixels;
        testing::WriteImage(test::BinaryDir() + "/scenery-" + name + ".png", pixels, image.width,
                            image.height);
        return image;
    }
    // How many distinct colours a box of the picture holds.
    static std::size_t colours(const ArgbImage& image, int x0, int y0, int x1, int y1) {
        std::set<std::uint32_t> seen;
        for (int y = y0; y < y1; y += 2)
            for (int x = x0; x < x1; x += 2) seen.insert(PixelAt(image, x, y) & 0xFFFFFF);
        return seen.size();
    }
    void expectPainted() {
        const std::string log = dir.file("drawn.txt");
        ASSERT_TRUE(coverage.write(log));
        const packgen::Manifest manifest = packgen::Manifest::load(test::SourcePath("/tools/packgen/manifest.json").c_str());
        std::ifstream in(log);
        for (const std::string& problem : packgen::FindUnpaintedRects(manifest, in)) ADD_FAILURE() << problem;
    }

    testing::TempDir dir;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Game> game;
    CoverageLog coverage;
};

// Ten rings of four faces, 256 apart, rushing at a camera in the middle;
// the camera rolls a little each frame as the stage's finale does.
TEST_F(SceneryPicture, Tunnel) {
    GameState& s = game->state;
    s.stage = 6;
    s.stageFrame = 8850;
    s.wideField = 1;
    load(34, "Graphics/backam23.png");
    s.sceneCamera = {0, 0, 256, 0, 0, 0};
    for (int b = 0; b <= 9; ++b) {
        const float z = 256.0f * b - 256;
        spawn(34, 256, 256, 0, -128, z, 0, kQuarterTurn, 1);
        spawn(34, 256, 256, 0, 128, z, 0, 4.71204f, 1);
        spawn(34, 256, 256, 128, 0, z, 4.71204f, 0, 1);
        spawn(34, 256, 256, -128, 0, z, kQuarterTurn, 0, 1);
    }
    const ArgbImage image = shoot("tunnel", 150, [&](int) {
        s.sceneCamera[5] = WrapSceneAngle(static_cast<float>(s.sceneCamera[5] + 0.005));
        SortSceneObjects(s, s.sceneObjectCount, false);
    });
    EXPECT_GT(colours(image, 20, 20, 620, 140), 30u) << "walls reach the top of the screen";
    EXPECT_GT(colours(image, 20, 380, 620, 470), 30u) << "and the bottom";
    EXPECT_LT(testing::Channel(PixelAt(image, 320, 272), 16), 40) << "the far end of the tunnel is dark";
    expectPainted();
}

// The block wall: a 6 x 6 grid of panels with pillars (a front and three
// rings of sides each) on the even rows and columns, seen from above and to
// the side, the pillars thrusting out every 180 frames.
TEST_F(SceneryPicture, PillarWall) {
    GameState& s = game->state;
    s.stage = 7;
    s.stageFrame = 9999;
    load(36, "Graphics/backam23.jpg");
    load(40, "Graphics/backam24.jpg");
    s.sceneCamera = {550, -7700, -2500, 0.17452f, 0.52356f, 0};
    // Where the wall's camera has come to by stage frame 10000.
    for (int f = 9601; f <= 10000; ++f) {
        s.sceneCamera[1] = static_cast<float>(s.sceneCamera[1] + ((10000 - f) / 13 + 3));
        s.sceneCamera[2] = static_cast<float>(s.sceneCamera[2] - 2.0);
        s.sceneCamera[4] = static_cast<float>(s.sceneCamera[4] - 0.0012216405);
    }
    for (int r = 0; r <= 5; ++r) {
        for (int c = 0; c <= 5; ++c) {
            const float x = 512.0f * c - 800, y = 1048.0f - 512 * r;
            if (c % 2 || r % 2) {
                spawn(36, 512, 512, x, y, 0, 0, 0, 5);
                continue;
            }
            spawn(40, 512, 512, x, y, 0, 0, 0, 6);
            for (int n = 0; n <= 2; ++n) {
                const float depth = 512.0f * n + 256;
                spawn(40, 512, 512, 512.0f * c - 544, y, depth, kQuarterTurn, 0, 6);
                spawn(40, 512, 512, 512.0f * c - 1056, y, depth, kQuarterTurn, 0, 6);
                spawn(40, 512, 512, x, 1304.0f - 512 * r, depth, 0, kQuarterTurn, 6);
                spawn(40, 512, 512, x, 792.0f - 512 * r, depth, 0, kQuarterTurn, 6);
            }
        }
    }
    for (int r = 0; r <= 5; ++r)
        for (int d = 0; d <= 9; ++d) spawn(36, 512, 512, 512.0f * d - 800, -1760, 512.0f * r + 256, 0, kQuarterTurn, 5);
    // Half way out on their second thrust.
    for (int i = 0; i < s.sceneObjectCount; ++i) s.sceneObjects[i].timer = 180 - 31;
    SortSceneObjects(s, s.sceneObjectCount, true);
    const ArgbImage image = shoot("pillars", 31, [&](int) { SortSceneObjects(s, s.sceneObjectCount, true); });
    EXPECT_GT(colours(image, 0, 0, 480, 480), 60u);
    expectPainted();
}

// The tower: drums of six faces at three radii turning about the vertical,
// and a fountain of glowing particles inside, drawn from the back.
TEST_F(SceneryPicture, TowerWithParticles) {
    GameState& s = game->state;
    s.stage = 7;
    s.stageFrame = 11900;
    s.spellActive = 0;
    load(40, "Graphics/backam24.jpg");
    s.sceneCamera = {800, 600, -7500, 0, 0, 0};
    auto drum = [&](int kind, int w, int h, float y) {
        for (int b = 0; b <= 5; ++b) {
            const int i = spawn(40, w, h, 0, y, 0, (40.0f * b + 180) / 57.3f, 0, kind);
            s.sceneObjects[i].timer = 120 * b;
        }
    };
    for (int r = 0; r <= 2; ++r) drum(7, 512, 512, 2048.0f - 512 * r);
    drum(8, 512, 256, 733.44f);
    drum(9, 324, 512, 490.56f);
    drum(9, 324, 512, -21.44f);
    drum(8, 512, 256, -361.44f);
    drum(7, 512, 255, -561.44f);
    SortSceneObjects(s, s.sceneObjectCount, true);
    const ArgbImage image = shoot("tower", 90, [&](int frame) {
        for (int k = 0; k < 3; ++k) {
            const int spin = game->rand() % 360;
            const int reach = game->rand() % 30;
            const float x = static_cast<float>(224 + std::cos(spin / 57.3) * reach);
            const float y = static_cast<float>(210 + std::sin(spin / 57.3) * reach);
            SpawnSceneObject(*game, {33, 0, 0, 32, 32}, 0, 0, 0, 0, k == 2 ? 1.1f : 2.0f, x, y, k == 2 ? 102 : 101);
        }
        SortSceneObjects(s, 1, true);
    });
    EXPECT_GT(colours(image, 0, 0, 480, 480), 60u);
    EXPECT_GT(testing::Channel(PixelAt(image, 224, 215), 0), 120) << "the particles glow blue in the middle";
    expectPainted();
}

}  // namespace
}  // namespace korvid
