// The painting toolkit's foundations: compositing, clipping, the transparent
// colour written out, anti-aliased edges, wrapping noise and cell grids.
#include <gtest/gtest.h>

#include <cmath>

#include "Canvas.h"
#include "Noise.h"
#include "PaintKit.h"

namespace korvid {
namespace {

using namespace packgen;

std::uint32_t Alpha(std::uint32_t argb) { return argb >> 24; }

TEST(CanvasTest, SourceOverBlendsStraightColours) {
    Canvas c(2, 1);
    c.over(0, 0, {1, 0, 0, 1});
    c.over(0, 0, {0, 0, 1, 0.5f});
    Rgba p = c.pixel(0, 0);
    EXPECT_NEAR(p.r, 0.5f, 1e-5);
    EXPECT_NEAR(p.b, 0.5f, 1e-5);
    EXPECT_NEAR(p.a, 1.0f, 1e-5);
    // Half-transparent paint on nothing keeps its own colour, at half alpha.
    c.over(1, 0, {0, 1, 0, 0.5f});
    EXPECT_NEAR(c.pixel(1, 0).g, 1.0f, 1e-5);
    EXPECT_NEAR(c.pixel(1, 0).a, 0.5f, 1e-5);
}

TEST(CanvasTest, AdditiveLightSumsThenSaturatesWithoutOvershooting) {
    Canvas c(1, 1);
    c.add(0, 0, {1, 0.5f, 0, 0.4f});
    c.add(0, 0, {1, 0.5f, 0, 0.4f});
    Rgba p = c.pixel(0, 0);
    EXPECT_NEAR(p.a, 0.8f, 1e-5);
    EXPECT_NEAR(p.r, 1.0f, 1e-5);
    EXPECT_NEAR(p.g, 0.5f, 1e-5);
    for (int i = 0; i < 10; ++i) c.add(0, 0, {1, 0.5f, 0, 0.4f});
    p = c.pixel(0, 0);
    EXPECT_FLOAT_EQ(p.a, 1.0f);
    EXPECT_LE(p.r, 1.0f);
    EXPECT_LE(p.g, 1.0f);
}

TEST(CanvasTest, PaintingStaysInsideTheClip) {
    Canvas c(8, 8);
    c.setClip({2, 2, 3, 3});
    c.fill({0, 0, 8, 8}, {1, 1, 1, 1});
    c.resetClip();
    int painted = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if (c.pixel(x, y).a > 0) {
                ++painted;
                EXPECT_TRUE(x >= 2 && x < 5 && y >= 2 && y < 5) << x << "," << y;
            }
    EXPECT_EQ(painted, 9);
}

TEST(CanvasTest, FullyTransparentPixelsTakeTheClearColour) {
    Canvas c(2, 1);
    c.over(1, 0, {0.2f, 0.4f, 0.6f, 1});
    std::vector<std::uint32_t> plain = c.toArgb(), white = c.toArgb(0xFFFFFF);
    EXPECT_EQ(plain[0], 0u);
    EXPECT_EQ(white[0], 0x00FFFFFFu);
    EXPECT_EQ(plain[1], white[1]);
    EXPECT_EQ(Alpha(plain[1]), 255u);
}

TEST(CanvasTest, BlurSpreadsButKeepsTheTotalAlpha) {
    Canvas c(21, 21);
    c.fill({8, 8, 5, 5}, {1, 1, 1, 1});
    double before = 0, after = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) before += c.pixel(x, y).a;
    c.blur(2);
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) after += c.pixel(x, y).a;
    EXPECT_NEAR(after, before, before * 0.02);
    EXPECT_GT(c.pixel(7, 10).a, 0.0f);
    EXPECT_LT(c.pixel(10, 10).a, 1.0f);
}

TEST(ShapesTest, DiscEdgesAreAntiAliased) {
    Canvas c(21, 21);
    Disc(c, {10.5f, 10.5f}, 6, {1, 1, 1, 1});
    EXPECT_FLOAT_EQ(c.pixel(10, 10).a, 1.0f);
    EXPECT_FLOAT_EQ(c.pixel(0, 10).a, 0.0f);
    // Along the edge some pixels are only partly covered.
    int partial = 0;
    for (int x = 0; x < 21; ++x) {
        float a = c.pixel(x, 10).a;
        if (a > 0.05f && a < 0.95f) ++partial;
    }
    EXPECT_GE(partial, 1);
    EXPECT_LT(SdCircle({3, 4}, 5), 1e-5f);
    EXPECT_LT(SdPolygon({0, 0}, RegularPolygon(6, 10)), 0.0f);
    EXPECT_GT(SdPolygon({20, 0}, RegularPolygon(6, 10)), 0.0f);
}

TEST(NoiseTest, WrapsAtItsPeriodSoTilesMeetWithoutSeams) {
    for (float y : {0.3f, 2.7f, 5.1f})
        for (float x : {0.0f, 1.25f, 3.9f}) {
            // Equal up to float rounding of the shifted coordinate.
            EXPECT_NEAR(ValueNoise(x, y, 7, 4, 6), ValueNoise(x + 4, y, 7, 4, 6), 1e-5);
            EXPECT_NEAR(ValueNoise(x, y, 7, 4, 6), ValueNoise(x, y + 6, 7, 4, 6), 1e-5);
            EXPECT_NEAR(Fbm(x, y, 3, 4, 4, 6), Fbm(x + 4, y + 6, 3, 4, 4, 6), 1e-5);
        }
}

TEST(NoiseTest, StaysInRangeAndDependsOnTheSeed) {
    float lo = 1, hi = 0;
    int differ = 0;
    for (int i = 0; i < 400; ++i) {
        float x = float(i) * 0.37f, y = float(i) * 0.11f;
        float v = Fbm(x, y, 1, 5);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        if (std::fabs(v - Fbm(x, y, 2, 5)) > 1e-3f) ++differ;
    }
    EXPECT_GE(lo, 0.0f);
    EXPECT_LE(hi, 1.0f);
    EXPECT_GT(hi - lo, 0.3f);
    EXPECT_GT(differ, 350);
}

TEST(PaintKitTest, CellGridsVisitOnlyWholeCells) {
    std::vector<Rect> cells;
    ForEachCell({10, 20, 100, 40}, 32, 16, [&](int col, int row, Rect r) {
        EXPECT_EQ(r.x, 10 + 32 * col);
        EXPECT_EQ(r.y, 20 + 16 * row);
        cells.push_back(r);
    });
    EXPECT_EQ(cells.size(), 3u * 2u);  // 100/32 columns and 40/16 rows, rounded down
    Rect b = BoundsOf({{1.5f, 2}, {10, -3}}, 1);
    EXPECT_TRUE(b.contains({1, -3, 9, 5}));
}

}  // namespace
}  // namespace korvid
