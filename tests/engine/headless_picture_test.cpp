// Pictures from the headless engine's offscreen OpenGL: screenshots,
// snapshots, blend modes, texels, clipping and lines, checked pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "EngineTestKit.h"

namespace korvid {
namespace {

using testing::Channel;
using testing::MakeQuad;
using testing::PixelAt;
using testing::TempDir;

constexpr std::uint32_t kBackground = 0xFF204080;

class HeadlessPicture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!testing::OffscreenGlAvailable()) GTEST_SKIP() << "no OpenGL 3.3 on SDL's offscreen driver here";
        engine = testing::StartHeadless(dir);
    }

    ArgbImage renderOne(const std::function<void()>& draw) {
        return testing::RenderFrames(*engine, dir, 1, 1, kBackground, [&](int) { draw(); });
    }

    // A texture filled with one colour.
    HTEXTURE solidTexture(std::uint32_t argb) {
        const HTEXTURE tex = engine->Texture_Create(4, 4);
        std::uint32_t* p = engine->Texture_Lock(tex, false);
        std::fill(p, p + 16, argb);
        engine->Texture_Unlock(tex);
        return tex;
    }

    TempDir dir;
    std::unique_ptr<Engine> engine;
};

// What one quad with texel `texel` and vertex colour `vertex` in blend mode
// `mode` makes of the destination colour `dst`, channel by channel (0..255).
double ExpectedChannel(std::uint32_t texel, std::uint32_t vertex, int mode, std::uint32_t dst, int shift) {
    const double t = Channel(texel, shift) / 255.0, c = Channel(vertex, shift) / 255.0;
    const double alpha = Channel(texel, 24) / 255.0 * Channel(vertex, 24) / 255.0;
    const double src = (mode & BLEND_COLORADD) ? std::min(1.0, t + c) : t * c;
    const double d = Channel(dst, shift) / 255.0;
    const double out = (mode & BLEND_ALPHABLEND) ? src * alpha + d * (1.0 - alpha) : std::min(1.0, d + src * alpha);
    return out * 255.0;
}

void ExpectBlended(std::uint32_t got, std::uint32_t texel, std::uint32_t vertex, int mode) {
    for (int shift : {16, 8, 0})
        EXPECT_NEAR(Channel(got, shift), ExpectedChannel(texel, vertex, mode, kBackground, shift), 2.0)
            << "mode " << mode << ", channel shift " << shift << ", pixel " << std::hex << got;
}

TEST_F(HeadlessPicture, ScreenshotOfTheRequestedFrameShowsTheQuadWhereItWasDrawn) {
    const std::uint32_t colours[] = {0xFFFF0000, 0xFFFF8000, 0xFF0000FF};
    const auto image = testing::RenderFrames(*engine, dir, 3, 2, kBackground, [&](int frame) {
        const Quad q = MakeQuad(100, 50, 40, 30, colours[frame - 1]);
        engine->Gfx_RenderQuad(&q);
    });
    ASSERT_EQ(image.width, 640);
    ASSERT_EQ(image.height, 480);
    EXPECT_EQ(PixelAt(image, 100, 50), colours[1]);  // top-left corner pixel
    EXPECT_EQ(PixelAt(image, 139, 79), colours[1]);  // bottom-right corner pixel
    EXPECT_EQ(PixelAt(image, 140, 79), kBackground);
    EXPECT_EQ(PixelAt(image, 100, 80), kBackground);
    EXPECT_EQ(PixelAt(image, 99, 49), kBackground);
    EXPECT_FALSE(std::filesystem::exists(dir.file("shot-3.png")));
}

TEST_F(HeadlessPicture, BlendModes) {
    const std::uint32_t texel = 0xFF103050;
    const std::uint32_t vertex = 0x80C04020;  // half transparent
    const HTEXTURE tex = solidTexture(texel);
    // Textured in modes 0, 1, 2, 3 and 6, then untextured (a white texel) in modes 2 and 0.
    const struct {
        HTEXTURE tex;
        int mode;
    } quads[] = {{tex, 0}, {tex, 1}, {tex, 2}, {tex, 3}, {tex, 6}, {0, 2}, {0, 0}};
    const auto image = renderOne([&] {
        for (std::size_t i = 0; i < std::size(quads); ++i) {
            const Quad q = MakeQuad(float(20 + 50 * i), 20, 40, 40, vertex, quads[i].tex, quads[i].mode);
            engine->Gfx_RenderQuad(&q);
        }
    });
    for (std::size_t i = 0; i < std::size(quads); ++i)
        ExpectBlended(PixelAt(image, int(40 + 50 * i), 40), quads[i].tex ? texel : 0xFFFFFFFF, vertex, quads[i].mode);
}

TEST_F(HeadlessPicture, TexelsAreDrawnExactlyAtOneToOne) {
    const std::vector<std::uint32_t> picture = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                                0xFF123456, 0xFFFEDCBA, 0xFF808080};
    ASSERT_TRUE(testing::WriteImage(dir.file("tiles.png"), picture, 3, 2));
    const HTEXTURE tex = engine->Texture_Load("tiles.png");  // surface 4 x 2
    ASSERT_NE(tex, 0u);
    const auto image = renderOne([&] {
        const Quad q = MakeQuad(200, 100, 3, 2, 0xFFFFFFFF, tex, BLEND_DEFAULT, 0, 0, 0.75f, 1.0f);
        engine->Gfx_RenderQuad(&q);
    });
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(image, 200 + x, 100 + y), picture[std::size_t(y * 3 + x)]);
}

TEST_F(HeadlessPicture, UnlockedChangesReachTheNextDraw) {
    const HTEXTURE tex = solidTexture(0xFF00FF00);
    const auto drawTexture = [&](int) {
        const Quad q = MakeQuad(0, 0, 8, 8, 0xFFFFFFFF, tex);
        engine->Gfx_RenderQuad(&q);
    };
    const auto before = testing::RenderFrames(*engine, dir, 1, 1, kBackground, drawTexture);
    std::uint32_t* p = engine->Texture_Lock(tex, false);
    std::fill(p, p + 16, 0xFFFF00FF);
    engine->Texture_Unlock(tex);
    const auto after = testing::RenderFrames(*engine, dir, 2, 2, kBackground, drawTexture);
    EXPECT_EQ(PixelAt(before, 4, 4), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(after, 4, 4), 0xFFFF00FFu);
}

TEST_F(HeadlessPicture, ClippingLimitsDrawingAndClearing) {
    const auto image = renderOne([&] {
        engine->Gfx_SetClipping(100, 200, 50, 40);
        const Quad everywhere = MakeQuad(0, 0, 640, 480, 0xFFFFFFFF);
        engine->Gfx_RenderQuad(&everywhere);
        engine->Gfx_SetClipping(300, 300, 10, 10);
        engine->Gfx_Clear(0xFF00FF00);
        engine->Gfx_SetClipping();
        const Quad corner = MakeQuad(600, 0, 40, 40, 0xFFFF0000);
        engine->Gfx_RenderQuad(&corner);
    });
    EXPECT_EQ(PixelAt(image, 100, 200), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(image, 149, 239), 0xFFFFFFFFu);
    EXPECT_EQ(PixelAt(image, 150, 239), kBackground);
    EXPECT_EQ(PixelAt(image, 149, 240), kBackground);
    EXPECT_EQ(PixelAt(image, 99, 220), kBackground);
    EXPECT_EQ(PixelAt(image, 305, 305), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(image, 311, 305), kBackground);
    EXPECT_EQ(PixelAt(image, 620, 20), 0xFFFF0000u);  // clipping reset
}

TEST_F(HeadlessPicture, HorizontalLineCoversOneRow) {
    const auto image = renderOne([&] { engine->Gfx_RenderLine(10, 300, 200, 300, 0xFFFFFF00); });
    EXPECT_EQ(PixelAt(image, 100, 300), 0xFFFFFF00u);
    EXPECT_EQ(PixelAt(image, 100, 299), kBackground);
    EXPECT_EQ(PixelAt(image, 100, 301), kBackground);
    EXPECT_EQ(PixelAt(image, 250, 300), kBackground);
}

TEST_F(HeadlessPicture, SnapshotHoldsThePictureSoFarAndLoadsBack) {
    renderOne([&] {
        const Quad before = MakeQuad(0, 0, 20, 20, 0xFFFF0000);
        engine->Gfx_RenderQuad(&before);
        EXPECT_TRUE(engine->System_Snapshot("snapshot.dat"));
        const Quad after = MakeQuad(40, 0, 20, 20, 0xFF00FF00);
        engine->Gfx_RenderQuad(&after);
    });
    ASSERT_TRUE(std::filesystem::exists(dir.file("snapshot.dat"))) << "relative names go into the game folder";
    const HTEXTURE snap = engine->Texture_Load("snapshot.dat");
    ASSERT_NE(snap, 0u);
    EXPECT_EQ(engine->Texture_GetWidth(snap, true), 640);
    EXPECT_EQ(engine->Texture_GetHeight(snap, true), 480);
    EXPECT_EQ(engine->Texture_GetWidth(snap), 1024);
    const std::uint32_t* p = engine->Texture_Lock(snap);
    ASSERT_NE(p, nullptr);
    const int pitch = engine->Texture_GetWidth(snap);
    EXPECT_EQ(p[10 * pitch + 10], 0xFFFF0000u);
    EXPECT_EQ(p[10 * pitch + 50], kBackground) << "drawn after the snapshot";
    EXPECT_EQ(p[470 * pitch + 630], kBackground);
    engine->Texture_Unlock(snap);
}

}  // namespace
}  // namespace korvid
