// A frame picture with a clear hole, drawn one texel to a pixel over a
// field: drawn in pieces around the hole, it must leave the field in the
// hole exactly as it was and show its own opaque texels exactly; a piece of
// only opaque texels (drawn unblended) too, with blending back on for what
// follows; a quad sampling only clear texels is left out.
#include <gtest/gtest.h>

#include "EngineTestKit.h"

namespace korvid {
namespace {

using testing::PixelAt;
using testing::TempDir;

constexpr int kSide = 128, kHole0 = 24, kHole1 = 104;

bool inHole(int x, int y) { return x >= kHole0 && x < kHole1 && y >= kHole0 && y < kHole1; }
bool onRing(int x, int y) { return x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1; }

std::uint32_t frameTexel(int x, int y) {
    if (inHole(x, y)) return 0;
    const std::uint32_t rgb = std::uint32_t(x * 2) << 16 | std::uint32_t(y * 2) << 8 | 0x40;
    return (onRing(x, y) ? 0x80000000u : 0xFF000000u) | rgb;
}

TEST(HeadlessCover, FrameAroundClearHoleKeepsEveryPixel) {
    if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
    TempDir dir;
    auto engine = testing::StartHeadless(dir);
    const HTEXTURE frame = engine->Texture_Create(kSide, kSide);
    std::uint32_t* texels = engine->Texture_Lock(frame, false);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) texels[y * kSide + x] = frameTexel(x, y);
    engine->Texture_Unlock(frame);

    auto field = [&] {
        Quad q = testing::MakeQuad(0, 0, kSide, kSide, 0xFFFF0000);
        q.v[1].col = 0xFF00FF00, q.v[2].col = 0xFF0000FF, q.v[3].col = 0xC0FFFFFF;
        engine->Gfx_RenderQuad(&q);
    };
    const ArgbImage bare = testing::RenderFrames(*engine, dir, 1, 1, 0xFF102030, [&](int) { field(); });
    const ArgbImage framed = testing::RenderFrames(*engine, dir, 1, 1, 0xFF102030, [&](int) {
        field();
        const Quad whole = testing::MakeQuad(0, 0, kSide, kSide, 0xFFFFFFFF, frame);
        engine->Gfx_RenderQuad(&whole);
        // Only hole texels.
        const float t = 1.0f / kSide;
        const Quad inside = testing::MakeQuad(300, 300, 40, 40, 0xFFFFFFFF, frame, BLEND_DEFAULT, 40 * t, 40 * t,
                                              80 * t, 80 * t);
        engine->Gfx_RenderQuad(&inside);
        const Quad patch = testing::MakeQuad(200, 50, 16, 16, 0xFFFFFFFF, frame, BLEND_DEFAULT, 4 * t, 4 * t,
                                             20 * t, 20 * t);
        engine->Gfx_RenderQuad(&patch);
        const Quad veil = testing::MakeQuad(208, 58, 8, 8, 0x80FF0000);
        engine->Gfx_RenderQuad(&veil);
    });
    const FrameStats stats = engine->Gfx_GetStats();

    ASSERT_EQ(framed.width, bare.width);
    int holePixels = 0, framePixels = 0;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (inHole(x, y)) {
                ASSERT_EQ(PixelAt(framed, x, y), PixelAt(bare, x, y)) << x << "," << y;
                ++holePixels;
            } else if (!onRing(x, y)) {
                ASSERT_EQ(PixelAt(framed, x, y), frameTexel(x, y)) << x << "," << y;
                ++framePixels;
            }
        }
    }
    EXPECT_EQ(holePixels, 80 * 80);
    EXPECT_EQ(framePixels, kSide * kSide - 80 * 80 - 4 * (kSide - 1));
    for (int y = 290; y < 350; ++y)
        for (int x = 290; x < 350; ++x) ASSERT_EQ(PixelAt(framed, x, y), PixelAt(bare, x, y)) << x << "," << y;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const std::uint32_t got = PixelAt(framed, 200 + x, 50 + y), texel = frameTexel(4 + x, 4 + y);
            if (x < 8 || y < 8) {
                ASSERT_EQ(got, texel) << x << "," << y;
            } else {  // half red over the texel
                ASSERT_NEAR(testing::Channel(got, 16), (0xFF + testing::Channel(texel, 16)) / 2.0, 1.5);
                ASSERT_NEAR(testing::Channel(got, 8), testing::Channel(texel, 8) / 2.0, 1.5);
            }
        }
    }
    // The field whole, the frame less its hole (a texel inside each edge
    // kept), the clear quad left out, the patch and its veil.
    EXPECT_EQ(stats.quads, 5);
    EXPECT_EQ(stats.culled, 1);
    EXPECT_DOUBLE_EQ(stats.pixels, 2.0 * kSide * kSide - 78.0 * 78.0 + 16 * 16 + 8 * 8);
}

}  // namespace
}  // namespace korvid
