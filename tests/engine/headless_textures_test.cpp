// Textures in the headless engine: loading real image files, padding to
// power-of-two surfaces, exact pixel values through locks, and harmless
// handling of zero, unknown and freed handles.
#include <gtest/gtest.h>

#include <vector>

#include "EngineTestKit.h"

namespace korvid {
namespace {

using testing::TempDir;

// A 3 x 2 picture with an opaque, a half-transparent and a fully transparent
// (but coloured) texel, so both the colour and the alpha must come through untouched.
const std::vector<std::uint32_t> kPicture = {
    0xFFFF0000, 0xFF00FF00, 0x80123456,
    0x00ABCDEF, 0xFF0000FF, 0x7F7F7F7F,
};

TEST(HeadlessTextures, PngIsPaddedAndLocksReturnExactPixels) {
    TempDir dir;
    ASSERT_TRUE(testing::WriteImage(dir.file("Graphics/pic.png"), kPicture, 3, 2));
    auto engine = testing::StartHeadless(dir);
    const HTEXTURE tex = engine->Texture_Load("Graphics/pic.png");
    ASSERT_NE(tex, 0u);
    EXPECT_EQ(engine->Texture_GetWidth(tex), 4);
    EXPECT_EQ(engine->Texture_GetHeight(tex), 2);
    EXPECT_EQ(engine->Texture_GetWidth(tex, true), 3);
    EXPECT_EQ(engine->Texture_GetHeight(tex, true), 2);
    const std::uint32_t* p = engine->Texture_Lock(tex);
    ASSERT_NE(p, nullptr);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(p[y * 4 + x], kPicture[std::size_t(y * 3 + x)]) << x << "," << y;
        EXPECT_EQ(p[y * 4 + 3], 0u) << "padding of row " << y;
    }
    engine->Texture_Unlock(tex);
}

TEST(HeadlessTextures, JpegLoadsOpaqueAndNonImagesFail) {
    TempDir dir;
    ASSERT_TRUE(testing::WriteImage(dir.file("bg.jpg"), std::vector<std::uint32_t>(40 * 20, 0xFF808080), 40, 20, true));
    dir.write("broken.png", "this is no picture");
    auto engine = testing::StartHeadless(dir);
    const HTEXTURE tex = engine->Texture_Load("bg.jpg");
    ASSERT_NE(tex, 0u);
    EXPECT_EQ(engine->Texture_GetWidth(tex), 64);
    EXPECT_EQ(engine->Texture_GetHeight(tex), 32);
    const std::uint32_t* p = engine->Texture_Lock(tex);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0] >> 24, 0xFFu);
    EXPECT_NEAR(testing::Channel(p[5 * 64 + 5], 16), 0x80, 3);
    engine->Texture_Unlock(tex);
    EXPECT_EQ(engine->Texture_Load("nothing.png"), 0u);
    EXPECT_EQ(engine->Texture_Load("broken.png"), 0u);
}

TEST(HeadlessTextures, CreatedTextureIsZeroedAndKeepsWrites) {
    auto engine = CreateHeadlessEngine();
    ASSERT_TRUE(engine->System_Initiate());
    const HTEXTURE tex = engine->Texture_Create(100, 33);
    ASSERT_NE(tex, 0u);
    EXPECT_EQ(engine->Texture_GetWidth(tex), 128);
    EXPECT_EQ(engine->Texture_GetHeight(tex), 64);
    std::uint32_t* p = engine->Texture_Lock(tex, false);
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 128 * 64; ++i) ASSERT_EQ(p[i], 0u) << i;
    p[64 * 128 - 1] = 0xDEADBEEF;
    EXPECT_EQ(engine->Texture_Lock(tex), nullptr) << "a locked texture cannot be locked again";
    engine->Texture_Unlock(tex);
    // A part lock points into the same surface-wide rows.
    const std::uint32_t* part = engine->Texture_Lock(tex, true, 127, 63, 1, 1);
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(*part, 0xDEADBEEFu);
    engine->Texture_Unlock(tex);
    EXPECT_EQ(engine->Texture_Create(0, 10), 0u);
    EXPECT_EQ(engine->Texture_Create(-4, 10), 0u);
    EXPECT_EQ(engine->Texture_Create(100000, 10), 0u);
}

TEST(HeadlessTextures, ZeroUnknownAndFreedHandlesAreHarmless) {
    auto engine = CreateHeadlessEngine();
    ASSERT_TRUE(engine->System_Initiate());
    const HTEXTURE tex = engine->Texture_Create(8, 8);
    engine->Texture_Free(tex);
    for (HTEXTURE h : {HTEXTURE(0), HTEXTURE(0xBADF00D), tex}) {
        EXPECT_EQ(engine->Texture_Lock(h), nullptr);
        EXPECT_EQ(engine->Texture_GetWidth(h), 0);
        EXPECT_EQ(engine->Texture_GetHeight(h, true), 0);
        engine->Texture_Unlock(h);
        engine->Texture_Free(h);
    }
    // The freed handle's slot is reused, but the old handle stays dead.
    const HTEXTURE next = engine->Texture_Create(8, 8);
    EXPECT_NE(next, tex);
    EXPECT_EQ(engine->Texture_Lock(tex), nullptr);
    engine->Texture_Free(tex);
    EXPECT_EQ(engine->Texture_GetWidth(next), 8);
    // A quad still naming the freed texture draws nothing (not the slot's
    // next occupant); one naming no texture draws untextured.
    ASSERT_TRUE(engine->Gfx_BeginScene());
    const Quad stale = testing::MakeQuad(0, 0, 10, 10, 0xFFFFFFFF, tex);
    const Quad plain = testing::MakeQuad(0, 0, 10, 10, 0xFFFFFFFF, 0);
    engine->Gfx_RenderQuad(&stale);
    engine->Gfx_RenderQuad(&plain);
    engine->Gfx_EndScene();
    EXPECT_EQ(engine->Gfx_GetStats().quads, 1);
}

}  // namespace
}  // namespace korvid
