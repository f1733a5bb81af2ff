#include "engine/Sprite.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/RecordingEngine.h"

namespace korvid {
namespace {

class SpriteTest : public ::testing::Test {
protected:
    test::RecordingEngine engine;
    void SetUp() override {
        engine.textureSizes[7] = {256, 128};
        engine.textureSizes[9] = {512, 512};
    }
    const Quad& last() const { return engine.quads.back(); }
};

TEST_F(SpriteTest, DefaultsAndTextureCoordinates) {
    Sprite s(engine, 7, 32, 16, 64, 32);
    s.Render(100, 50);
    const Quad& q = last();
    EXPECT_EQ(q.tex, 7u);
    EXPECT_EQ(q.blend, 2);
    for (const Vertex& v : q.v) {
        EXPECT_EQ(v.col, 0xFFFFFFFFu);
        EXPECT_FLOAT_EQ(v.z, 0.5f);
    }
    // Vertex order: top-left, top-right, bottom-right, bottom-left.
    EXPECT_FLOAT_EQ(q.v[0].tx, 32.0f / 256);
    EXPECT_FLOAT_EQ(q.v[0].ty, 16.0f / 128);
    EXPECT_FLOAT_EQ(q.v[1].tx, 96.0f / 256);
    EXPECT_FLOAT_EQ(q.v[1].ty, 16.0f / 128);
    EXPECT_FLOAT_EQ(q.v[2].tx, 96.0f / 256);
    EXPECT_FLOAT_EQ(q.v[2].ty, 48.0f / 128);
    EXPECT_FLOAT_EQ(q.v[3].tx, 32.0f / 256);
    EXPECT_FLOAT_EQ(q.v[3].ty, 48.0f / 128);
    EXPECT_FLOAT_EQ(q.v[0].x, 100);
    EXPECT_FLOAT_EQ(q.v[0].y, 50);
    EXPECT_FLOAT_EQ(q.v[2].x, 164);
    EXPECT_FLOAT_EQ(q.v[2].y, 82);
}

TEST_F(SpriteTest, WithoutTextureTheRectangleIsTheCoordinates) {
    Sprite s(engine, 0, 0.25f, 0.5f, 10, 20);
    s.Render(0, 0);
    EXPECT_EQ(last().tex, 0u);
    EXPECT_FLOAT_EQ(last().v[0].tx, 0.25f);
    EXPECT_FLOAT_EQ(last().v[2].tx, 10.25f);
    EXPECT_FLOAT_EQ(last().v[2].ty, 20.5f);
}

TEST_F(SpriteTest, SetTextureOfAnotherSizeKeepsTheTexelRectangle) {
    Sprite s(engine, 7, 32, 16, 64, 32);
    s.SetTexture(9);
    s.Render(0, 0);
    EXPECT_FLOAT_EQ(last().v[0].tx * 512, 32);
    EXPECT_FLOAT_EQ(last().v[0].ty * 512, 16);
    EXPECT_FLOAT_EQ(last().v[2].tx * 512, 96);
    EXPECT_FLOAT_EQ(last().v[2].ty * 512, 48);
    // From a textured sprite to none: texels become coordinates directly.
    s.SetTexture(0);
    s.Render(0, 0);
    EXPECT_FLOAT_EQ(last().v[2].tx, 96);
}

TEST_F(SpriteTest, SetTextureRectWithoutAdjustKeepsDrawnSize) {
    Sprite s(engine, 7, 0, 0, 64, 32);
    s.SetTextureRect(128, 64, 16, 16, false);
    s.Render(0, 0);
    EXPECT_FLOAT_EQ(last().v[2].x, 64);  // still drawn 64 x 32
    EXPECT_FLOAT_EQ(last().v[2].y, 32);
    EXPECT_FLOAT_EQ(last().v[0].tx, 128.0f / 256);
    EXPECT_FLOAT_EQ(last().v[2].tx, 144.0f / 256);
    s.SetTextureRect(128, 64, 16, 16, true);
    s.Render(0, 0);
    EXPECT_FLOAT_EQ(last().v[2].x, 16);
}

TEST_F(SpriteTest, HotSpotAndRenderExScaling) {
    Sprite s(engine, 7, 0, 0, 20, 10);
    s.SetHotSpot(10, 5);
    s.Render(100, 100);
    EXPECT_FLOAT_EQ(last().v[0].x, 90);
    EXPECT_FLOAT_EQ(last().v[0].y, 95);
    // vscale 0 scales uniformly.
    s.RenderEx(100, 100, 0, 2);
    EXPECT_FLOAT_EQ(last().v[0].x, 80);
    EXPECT_FLOAT_EQ(last().v[0].y, 90);
    EXPECT_FLOAT_EQ(last().v[2].x, 120);
    EXPECT_FLOAT_EQ(last().v[2].y, 110);
    // hscale -1 mirrors about the hot spot: vertex 0 lands on the right.
    s.SetHotSpot(5, 0);
    s.RenderEx(100, 100, 0, -1, 1);
    EXPECT_FLOAT_EQ(last().v[0].x, 105);
    EXPECT_FLOAT_EQ(last().v[1].x, 85);
}

TEST_F(SpriteTest, RenderExRotatesAboutTheHotSpot) {
    Sprite s(engine, 7, 0, 0, 20, 10);
    s.SetHotSpot(10, 5);
    const float r = 90 / 57.3f;
    s.RenderEx(50, 50, r, 1, 1);
    const float c = std::cos(r), sn = std::sin(r);
    // corner (-10, -5)
    EXPECT_NEAR(last().v[0].x, 50 + -10 * c - -5 * sn, 1e-4);
    EXPECT_NEAR(last().v[0].y, 50 + -10 * sn + -5 * c, 1e-4);
    EXPECT_NEAR(last().v[0].x, 55, 0.01);
    EXPECT_NEAR(last().v[0].y, 40, 0.01);
}

TEST_F(SpriteTest, ColourAndZPerVertex) {
    Sprite s(engine, 0, 0, 0, 1, 1);
    s.SetColor(0x80FF0000);
    s.SetColor(0x12345678, 2);
    s.SetZ(0.3f, -1);
    s.SetZ(0.9f, 3);
    s.SetColor(0xDEADBEEF, 4);  // outside: ignored
    s.Render4V(0, 0, 1, 0, 1, 1, 0, 1);
    EXPECT_EQ(last().v[0].col, 0x80FF0000u);
    EXPECT_EQ(last().v[2].col, 0x12345678u);
    EXPECT_FLOAT_EQ(last().v[1].z, 0.3f);
    EXPECT_FLOAT_EQ(last().v[3].z, 0.9f);
    EXPECT_FLOAT_EQ(last().v[2].x, 1);
    EXPECT_FLOAT_EQ(last().v[3].y, 1);
}

}  // namespace
}  // namespace korvid
