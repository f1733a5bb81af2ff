// Effects drawn with the stand-in pack on the headless engine: the player's
// death, muzzle flashes, a trail of graze sparks and emitters at work. The
// pictures are kept in the build folder (effects-*.png) for a person to look
// at; the test checks that each scene left light where it was staged and
// that every rectangle drawn is painted in the pack.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "CoverageCheck.h"
#include "app/Boot.h"
#include "app/CoverageLog.h"
#include "engine/EngineTestKit.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Resources.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestPaths.h"

namespace korvid {
namespace {

using testing::PixelAt;

class EffectsPicture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
        engine = testing::StartHeadless(dir);
        ASSERT_TRUE(engine->Resource_AttachPack(korvid::test::BinaryPath("/gamedat.zip").c_str(), kPackPassword));
        coverage.attach(*engine);
        game = std::make_unique<Game>(*engine);
        game->screenSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 640.0f, 480.0f);
        game->uiSprite = std::make_unique<Sprite>(*engine, 0, 0.0f, 0.0f, 0.0f, 0.0f);
        LoadSharedResources(*game);
        LoadCharacterSheets(*game, 1);
        GameState& s = game->state;
        s.screen = 10;
        s.stage = 1;
        s.character = 1;
        StageLoadReset(s);
        s.playerX = 224;
        s.playerY = 420;
        game->srand(5);
    }

    // Runs `frames` play frames with `stage(frame)` before each and keeps the last picture.
    ArgbImage shoot(const std::string& name, int frames, const std::function<void(int)>& stage) {
        const ArgbImage image = testing::RenderFrames(*engine, dir, frames, frames, 0xFF101828, [&](int frame) {
            stage(frame);
            UpdateAndDrawPlay(*game);
        });
        std::vector<std::uint32_t> pixels = image.pixels;
        testing::WriteImage(korvid::test::BinaryDir() + "/effects-" + name + ".png", pixels, image.width,
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
        const packgen::Manifest manifest = packgen::Manifest::load(korvid::test::SourcePath("/tools/packgen/manifest.json").c_str());
        std::ifstream in(log);
        for (const std::string& problem : packgen::FindUnpaintedRects(manifest, in)) ADD_FAILURE() << problem;
    }

    testing::TempDir dir;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<Game> game;
    CoverageLog coverage;
};

TEST_F(EffectsPicture, DeathAndMuzzleFlashes) {
    Game& g = *game;
    const ArgbImage image = shoot("death-flashes", 24, [&](int frame) {
        if (frame == 1)
            SpawnEffect(g, {52, 0, 0, 310, 100}, 224, 330, 1, 1, 0, 0.85f, 46, {255, 255, 255, 255}, 1, 8);
        // A row of emitters in every flash colour: rings early, then the flashes
        // alone, so the last picture shows them clear of their bullets.
        const int columns[] = {0, 16, 32, 96, 128};
        for (int i = 0; i < 5; ++i) {
            const float x = 64 + 80.0f * i;
            if (frame == 4 || frame == 10)
                FireRing(g, BulletPlan{TexRect{0, 96 + 16 * i, 96, 16, 16}, 2.5}, x, 90, 12, frame * 3.0f);
            if (frame >= 20 && frame % 2 == 0) MuzzleFlash(g, columns[i], x, 90);
        }
    });
    EXPECT_GT(colours(image, 80, 290, 370, 370), 20u) << "death effect";
    EXPECT_GT(colours(image, 40, 60, 440, 120), 20u) << "muzzle flashes";
    expectPainted();
}

TEST_F(EffectsPicture, GrazeTrailAndEmitters) {
    Game& g = *game;
    const ArgbImage image = shoot("graze-emitters", 70, [&](int frame) {
        GameState& s = g.state;
        // The ship slides right through a stream it grazes: a spark every other frame.
        s.playerX = 60 + 2.0f * frame;
        if (frame % 2 == 0) {
            const int spin = g.rand() % 360;
            SpawnEffect(g, {1, 192, 0, 16, 16}, s.playerX, s.playerY, 0.8f, 0.8f, static_cast<float>(spin), 0.6f, 3,
                        {155, 255, 255, 255}, 0, 0);
        }
        if (frame == 1) {
            s.bossActive = 1;  // the second emitter fires only during a boss fight
            SpawnEffect(g, {1, 128, 80, 128, 128}, 150, 180, 0.6f, 0.6f, 0, 0.6f, 61, {255, 255, 255, 255}, 0, 0);
            SpawnEffect(g, {1, 128, 80, 128, 128}, 330, 180, 0.6f, 0.6f, 0, 0.6f, 62, {254, 255, 255, 255}, 0, 0);
        }
    });
    EXPECT_GT(colours(image, 60, 380, 200, 460), 10u) << "graze trail";
    EXPECT_GT(colours(image, 60, 80, 420, 280), 30u) << "emitters";
    expectPainted();
}

}  // namespace
}  // namespace korvid
