// The distortion mesh: the sky's 16 x 16 grid laid over its rectangle,
// displaced and tinted vertex by vertex, and the grids it refuses.
#include <gtest/gtest.h>

#include "engine/DistortionMesh.h"
#include "support/RecordingEngine.h"

namespace korvid {
namespace {

TEST(DistortionMesh, SkyGridDisplacesTintsAndDraws) {
    test::RecordingEngine engine;
    engine.textureSizes[5] = {512, 256};
    DistortionMesh mesh(engine, 16, 16);
    EXPECT_EQ(mesh.GetBlendMode(), BLEND_ALPHABLEND | BLEND_ZWRITE);
    EXPECT_FLOAT_EQ(mesh.GetZ(3, 3), 0.5f);
    mesh.SetTexture(5);
    mesh.SetTextureRect(0, 0, 480, 192);
    EXPECT_FLOAT_EQ(mesh.GetCellWidth(), 32);
    EXPECT_FLOAT_EQ(mesh.GetCellHeight(), 12.8f);
    mesh.SetBlendMode(3);
    mesh.Clear(0xFF102030, 0.9f);

    // Displacements read back against the reference they were set with.
    float dx = 0, dy = 0;
    mesh.SetDisplacement(4, 5, 7.5f, -3, DistortionMesh::FromCentre);
    mesh.GetDisplacement(4, 5, DistortionMesh::FromCentre, &dx, &dy);
    EXPECT_FLOAT_EQ(dx, 7.5f);
    EXPECT_FLOAT_EQ(dy, -3);
    // The centre is (240, 96): the same vertex seen from its own grid point
    // (128, 64) and from the top left.
    mesh.GetDisplacement(4, 5, DistortionMesh::FromNode, &dx, &dy);
    EXPECT_FLOAT_EQ(dx, 240 + 7.5f - 128);
    EXPECT_FLOAT_EQ(dy, 96 - 3 - 64);
    mesh.GetDisplacement(4, 5, DistortionMesh::FromTopLeft, &dx, &dy);
    EXPECT_FLOAT_EQ(dx, 247.5f);
    mesh.SetDisplacement(15, 15, 2, 1, DistortionMesh::FromNode);
    mesh.SetColor(0, 0, 0x80FF0000);
    mesh.SetZ(0, 0, 0.25f);

    // Outside the grid nothing changes and everything reads 0.
    for (auto [c, r] : {std::pair{-1, 0}, std::pair{16, 0}, std::pair{0, 16}, std::pair{3, -2}}) {
        mesh.SetColor(c, r, 0xFFFFFFFF);
        mesh.SetZ(c, r, 0.1f);
        mesh.SetDisplacement(c, r, 50, 50, DistortionMesh::FromTopLeft);
        EXPECT_EQ(mesh.GetColor(c, r), 0u);
        EXPECT_EQ(mesh.GetZ(c, r), 0.0f);
        mesh.GetDisplacement(c, r, DistortionMesh::FromTopLeft, &dx, &dy);
        EXPECT_EQ(dx, 0.0f);
        EXPECT_EQ(dy, 0.0f);
    }
    mesh.SetDisplacement(1, 1, 50, 50, 7);  // no such reference
    mesh.GetDisplacement(1, 1, DistortionMesh::FromNode, &dx, &dy);
    EXPECT_EQ(dx, 0.0f);

    // 15 x 15 cells, each the quad of its four vertices, offset by (0, 288).
    mesh.Render(0, 288);
    ASSERT_EQ(engine.quads.size(), 225u);
    const Quad& first = engine.quads.front();
    EXPECT_EQ(first.v[0].col, 0x80FF0000u);
    EXPECT_FLOAT_EQ(first.v[0].z, 0.25f);
    EXPECT_FLOAT_EQ(first.v[1].x, 32);
    EXPECT_FLOAT_EQ(first.v[2].y, 288 + 12.8f);
    EXPECT_FLOAT_EQ(first.v[3].x, 0);
    EXPECT_FLOAT_EQ(first.v[1].tx, 32.0f / 512);
    EXPECT_FLOAT_EQ(first.v[3].ty, 12.8f / 256);
    EXPECT_EQ(first.blend, 3);
    EXPECT_EQ(first.tex, 5u);
    const Quad& last = engine.quads.back();
    EXPECT_FLOAT_EQ(last.v[2].x, 480 + 2);
    EXPECT_FLOAT_EQ(last.v[2].y, 288 + 192 + 1);
    EXPECT_FLOAT_EQ(last.v[0].z, 0.9f);

    // Clear puts every vertex back on its grid point.
    mesh.Clear(0xFFFFFFFF, 0.5f);
    mesh.GetDisplacement(15, 15, DistortionMesh::FromNode, &dx, &dy);
    EXPECT_EQ(dx, 0.0f);
    EXPECT_EQ(dy, 0.0f);
}

TEST(DistortionMesh, RefusesGridsAndRectanglesItCannotDivide) {
    test::RecordingEngine engine;
    // One column or one row: no cells, nothing to divide the rectangle by.
    for (auto [c, r] : {std::pair{1, 16}, std::pair{16, 1}, std::pair{0, 0}, std::pair{-3, 4}}) {
        DistortionMesh mesh(engine, c, r);
        mesh.SetTextureRect(0, 0, 480, 192);
        mesh.Clear(0xFFFFFFFF, 0.5f);
        mesh.Render(0, 0);
        EXPECT_FALSE(mesh.Usable());
        EXPECT_EQ(mesh.GetCellWidth(), 0.0f);
    }
    EXPECT_TRUE(engine.quads.empty());

    // A texture of size 0 (a freed or unknown handle), or no texture and an
    // empty rectangle: refused until a rectangle it can divide by.
    DistortionMesh mesh(engine, 4, 4);
    mesh.SetTexture(99);
    mesh.SetTextureRect(0, 0, 480, 192);
    mesh.Render(0, 0);
    EXPECT_TRUE(engine.quads.empty());
    mesh.SetTexture(0);
    mesh.SetTextureRect(0, 0, 0, 0);
    mesh.Render(0, 0);
    EXPECT_TRUE(engine.quads.empty());
    mesh.SetTextureRect(0, 0, 30, 30);
    mesh.Render(0, 0);
    EXPECT_EQ(engine.quads.size(), 9u);
    EXPECT_FLOAT_EQ(engine.quads.back().v[2].tx, 1.0f) << "without a texture, coordinates run over the rectangle";
}

}  // namespace
}  // namespace korvid
