// The windowed engine on a real X display (skipped without one; run the
// tests under xvfb-run to include it).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "EngineTestKit.h"

namespace korvid {
namespace {

using testing::MakeQuad;
using testing::PixelAt;
using testing::TempDir;

class SdlEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* display = std::getenv("DISPLAY");
        if (!display || !*display) GTEST_SKIP() << "no X display";
        engine = CreateSdlEngine();
        engine->Shell_SetGameDir(dir.path().string());
        engine->System_SetStateBool(HGE_USESOUND, false);
        engine->System_SetStateString(HGE_TITLE, "Korvid test");
        ASSERT_TRUE(engine->System_Initiate());
    }

    TempDir dir;
    std::unique_ptr<Engine> engine;
};

TEST_F(SdlEngineTest, WindowFramesAreDrawnAndCaptured) {
    engine->System_SetStateInt(HGE_FPS, 240);
    const auto image = testing::RenderFrames(*engine, dir, 3, 2, 0xFF000000, [&](int) {
        const Quad q = MakeQuad(320, 240, 100, 100, 0xFF00C0FF);
        engine->Gfx_RenderQuad(&q);
    });
    ASSERT_EQ(image.width, 640);
    EXPECT_EQ(PixelAt(image, 330, 250), 0xFF00C0FFu);
    EXPECT_EQ(PixelAt(image, 10, 10), 0xFF000000u);
    EXPECT_EQ(engine->Shell_FrameCount(), 3);
}

TEST_F(SdlEngineTest, FullScreenSwitchKeepsTextures) {
    const HTEXTURE tex = engine->Texture_Create(4, 4);
    std::uint32_t* p = engine->Texture_Lock(tex, false);
    std::fill(p, p + 16, 0xFFAA5500);
    engine->Texture_Unlock(tex);
    engine->System_SetStateInt(HGE_FPS, 240);
    const auto image = testing::RenderFrames(*engine, dir, 6, 5, 0xFF000000, [&](int frame) {
        // Full screen from frame 2, windowed again from frame 4.
        engine->System_SetStateBool(HGE_WINDOWED, frame < 2 || frame >= 4);
        const Quad q = MakeQuad(0, 0, 32, 32, 0xFFFFFFFF, tex);
        engine->Gfx_RenderQuad(&q);
    });
    EXPECT_EQ(PixelAt(image, 16, 16), 0xFFAA5500u);
}

TEST_F(SdlEngineTest, FramesAreNeverFasterThanTheFrameRate) {
    engine->System_SetStateInt(HGE_FPS, 120);
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [] { return false; });
    engine->Shell_SetFrameLimit(30);
    const auto start = std::chrono::steady_clock::now();
    engine->System_Start();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 29.0 / 120.0);
    EXPECT_GE(engine->Timer_GetTime(), 29.0f / 120.0f);
}

TEST(SdlEngineWithoutDisplay, InitiateFailsInsteadOfRunningInvisibly) {
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
        const char* value = std::getenv(var);
        if (value && *value) GTEST_SKIP() << var << " is set";
    }
    if (std::filesystem::exists("/dev/dri")) GTEST_SKIP() << "a console display may be reachable";
    auto engine = CreateSdlEngine();
    engine->System_SetStateBool(HGE_USESOUND, false);
    EXPECT_FALSE(engine->System_Initiate());
    engine->System_SetStateFunc(HGE_FRAMEFUNC, [] { return true; });
    EXPECT_FALSE(engine->System_Start());
}

}  // namespace
}  // namespace korvid
