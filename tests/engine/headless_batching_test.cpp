// Scenes and batching: how many draw calls a frame costs, the rules for
// opening and closing scenes, the quad logger, and running without pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EngineTestKit.h"
#include "engine/GlRenderer.h"
#include "engine/HeadlessEngine.h"

namespace korvid {
namespace {

using testing::MakeQuad;
using testing::TempDir;

TEST(HeadlessBatching, NewBatchOnlyWhenTextureBlendOrClippingChanges) {
    auto engine = CreateHeadlessEngine();
    ASSERT_TRUE(engine->System_Initiate());
    const HTEXTURE a = engine->Texture_Create(16, 16), b = engine->Texture_Create(16, 16);
    for (HTEXTURE t : {a, b}) {  // half-transparent texels: a clear quad would be left out
        std::uint32_t* p = engine->Texture_Lock(t, false);
        std::fill(p, p + 16 * 16, 0x80FFFFFFu);
        engine->Texture_Unlock(t);
    }
    // Each step draws one quad (texture, blend), or changes clipping when clip is set.
    struct Step {
        HTEXTURE tex;
        int blend;
        bool clip = false;
    };
    struct Case {
        std::vector<Step> steps;
        int quads, batches;
    };
    const Case cases[] = {
        {{{a, 2}, {a, 2}, {a, 2}}, 3, 1},
        {{{a, 2}, {a, 2}, {b, 2}, {a, 2}}, 4, 3},
        {{{0, 2}, {a, 2}, {0, 2}}, 3, 3},
        {{{a, 2}, {a, 0}, {a, 1}, {a, 3}}, 4, 4},
        {{{a, 2}, {a, 6}, {a, BLEND_DEFAULT}}, 3, 1},  // the depth-write bit changes nothing
        {{{a, 2}, {0, 0, true}, {a, 2}}, 2, 2},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        ASSERT_TRUE(engine->Gfx_BeginScene());
        for (const Step& s : cases[i].steps) {
            const Quad q = MakeQuad(10, 10, 32, 32, 0xFFFFFFFF, s.tex, s.blend);
            if (s.clip)
                engine->Gfx_SetClipping(0, 0, 100, 100);
            else
                engine->Gfx_RenderQuad(&q);
        }
        engine->Gfx_SetClipping();
        engine->Gfx_EndScene();
        EXPECT_EQ(engine->Gfx_GetStats().quads, cases[i].quads) << "case " << i;
        EXPECT_EQ(engine->Gfx_GetStats().batches, cases[i].batches) << "case " << i;
    }
}

TEST(HeadlessBatching, LinesAndFullBuffersSplitBatches) {
    auto engine = CreateHeadlessEngine();
    ASSERT_TRUE(engine->System_Initiate());
    const Quad q = MakeQuad(10, 10, 32, 32, 0xFFFFFFFF);
    ASSERT_TRUE(engine->Gfx_BeginScene());
    engine->Gfx_RenderQuad(&q);
    engine->Gfx_RenderLine(0, 0, 100, 100);
    engine->Gfx_RenderLine(0, 100, 100, 0);
    const int perBatch = GlRenderer::kMaxVertices / 4;
    for (int i = 0; i < perBatch + 10; ++i) engine->Gfx_RenderQuad(&q);
    engine->Gfx_EndScene();
    const FrameStats s = engine->Gfx_GetStats();
    EXPECT_EQ(s.quads, perBatch + 11);
    EXPECT_EQ(s.lines, 2);
    EXPECT_EQ(s.batches, 3);  // before the lines, a full buffer, the rest
}

TEST(HeadlessBatching, SceneRules) {
    auto engine = CreateHeadlessEngine();
    ASSERT_TRUE(engine->System_Initiate());
    const Quad q = MakeQuad(10, 10, 32, 32, 0xFFFFFFFF);
    engine->Gfx_EndScene();      // none open: nothing happens
    engine->Gfx_RenderQuad(&q);  // outside a scene: ignored
    ASSERT_TRUE(engine->Gfx_BeginScene());
    engine->Gfx_RenderQuad(&q);
    EXPECT_FALSE(engine->Gfx_BeginScene());  // the open scene stays in use...
    engine->Gfx_RenderQuad(&q);              // ...and keeps counting
    engine->Gfx_EndScene();
    EXPECT_EQ(engine->Gfx_GetStats().quads, 2);
    EXPECT_EQ(engine->Gfx_GetStats().batches, 1);
    // Until the next scene ends, the statistics are the last finished frame's.
    ASSERT_TRUE(engine->Gfx_BeginScene());
    engine->Gfx_RenderQuad(&q);
    EXPECT_EQ(engine->Gfx_GetStats().quads, 2);
    engine->Gfx_EndScene();
    EXPECT_EQ(engine->Gfx_GetStats().quads, 1);
}

TEST(HeadlessBatching, QuadLoggerReportsTexelRectanglesOfFileTexturesOnly) {
    TempDir dir;
    ASSERT_TRUE(testing::WriteImage(dir.file("Graphics/ship.png"), std::vector<std::uint32_t>(48 * 20, ~0u), 48, 20));
    auto engine = testing::StartHeadless(dir);
    const HTEXTURE fromFile = engine->Texture_Load("Graphics/ship.png");  // surface 64 x 32
    const HTEXTURE made = engine->Texture_Create(64, 32);
    ASSERT_NE(fromFile, 0u);
    std::vector<std::string> logged;
    engine->Shell_SetQuadLogger([&](const std::string& f, float x0, float y0, float x1, float y1) {
        logged.push_back(f + " " + std::to_string(int(x0)) + "," + std::to_string(int(y0)) + "," +
                         std::to_string(int(x1)) + "," + std::to_string(int(y1)));
    });
    ASSERT_TRUE(engine->Gfx_BeginScene());
    for (const Quad& q : {MakeQuad(0, 0, 16, 8, ~0u, fromFile, 2, 0.25f, 0.5f, 0.5f, 0.75f),
                          MakeQuad(0, 0, 16, 8, ~0u, made), MakeQuad(0, 0, 16, 8, ~0u, 0)})
        engine->Gfx_RenderQuad(&q);
    engine->Gfx_EndScene();
    EXPECT_EQ(logged, (std::vector<std::string>{"Graphics/ship.png 16,16,32,24"}));
}

TEST(HeadlessWithoutPictures, CountsLocksAndSnapshotsStillWork) {
    TempDir dir;
    auto engine = CreateHeadlessEngine(HeadlessOptions{false});
    engine->Shell_SetGameDir(dir.path().string());
    ASSERT_TRUE(engine->System_Initiate());
    const HTEXTURE tex = engine->Texture_Create(8, 8);
    ASSERT_TRUE(engine->Gfx_BeginScene());
    const Quad q = MakeQuad(0, 0, 8, 8, 0xFFFF0000, tex);
    engine->Gfx_RenderQuad(&q);
    engine->Gfx_RenderQuad(&q);
    EXPECT_TRUE(engine->System_Snapshot("snapshot.dat"));
    engine->Gfx_EndScene();
    EXPECT_EQ(engine->Gfx_GetStats().quads, 2);
    EXPECT_EQ(engine->Gfx_GetStats().batches, 1);
    // The snapshot is a black picture of the game's size that loads back.
    const HTEXTURE snap = engine->Texture_Load("snapshot.dat");
    ASSERT_NE(snap, 0u);
    EXPECT_EQ(engine->Texture_GetWidth(snap, true), 640);
    const std::uint32_t* p = engine->Texture_Lock(snap);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 0xFF000000u);
    engine->Texture_Unlock(snap);
}

}  // namespace
}  // namespace korvid
