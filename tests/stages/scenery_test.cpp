// The 3D scenery: the tunnel of stage 6 played out frame by frame, and the
// edge cases of the projection, the list, the particles and the pillars.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "game/FrameSteps.h"
#include "game/PoolSteps.h"
#include "play/SceneList.h"
#include "play/StageFlow.h"
#include "stages/Scenery.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

constexpr float kPi2 = 1.57068f;
constexpr float kPi32 = 4.71204f;

class SceneryTest : public ::testing::Test {
protected:
    test::TestGame t;
    GameState& s = t.s;

    void SetUp() override {
        s.screen = 10;
        s.stage = 6;
        StageLoadReset(s);
        s.stageFrame = 9000;
        s.sceneFocal = 1000;
        s.sceneCamera = {0, 0, 0, 0, 0, 0};
        s.textures[34] = 7;
        t.engine.textureSizes[7] = {256, 256};
    }
    // A face of `size` square facing the viewer; kind 5 stands still
    // before stage frame 10000.
    int face(float x, float y, float z, int kind = 5, int size = 256, float yaw = 0, float pitch = 0) {
        return SpawnSceneObject(*t.game, {34, 0, 0, size, size}, x, y, z, yaw, pitch, 0, 0, kind);
    }
    int particle(float x, float y, float scale, int kind = 101) {
        return SpawnSceneObject(*t.game, {34, 0, 0, 32, 32}, 0, 0, 0, 0, scale, x, y, kind);
    }
    // Quads drawn by one update of record i.
    std::size_t drawn(int i) {
        t.engine.quads.clear();
        UpdateSceneObject(*t.game, i);
        return t.engine.quads.size();
    }
    float zAt(int i) const { return s.sceneObjects[i].sprite.quad.v[0].z; }
};

// Stage 6's tunnel: ten rings of four faces rushing at the viewer, sorted
// by distance after every frame as the stage does.
TEST_F(SceneryTest, TunnelRushesAtTheViewerFadesInAndStaysSorted) {
    s.stageFrame = 8850;
    s.sceneCamera = {0, 0, 256, 0, 0, 0};
    for (int b = 0; b <= 9; ++b) {
        const float z = 256.0f * b - 256;
        face(0, -128, z, 1, 256, 0, kPi2);
        face(0, 128, z, 1, 256, 0, kPi32);
        face(128, 0, z, 1, 256, kPi32, 0);
        face(-128, 0, z, 1, 256, kPi2, 0);
    }
    ASSERT_EQ(s.sceneObjectCount, 40);
    std::vector<float> zs;
    for (int i = 0; i < 40; ++i) zs.push_back(zAt(i));
    EXPECT_FLOAT_EQ(zs[0], 0.899f);
    EXPECT_FLOAT_EQ(zs[39], static_cast<float>(0.899 + 39 * 0.0001));

    for (int frame = 1; frame <= 200; ++frame) {
        s.stageFrame += 1;
        t.engine.quads.clear();
        UpdateAndDrawPlay(*t.game);
        SortSceneObjects(s, s.sceneObjectCount, false);
        // Every face is drawn in 45 strips or not at all.
        EXPECT_EQ(t.engine.quads.size() % 45, 0u);
        EXPECT_GE(t.engine.quads.size(), 45u * 12) << "frame " << frame;
        for (int i = 0; i < 40; ++i) {
            const SceneObject& o = s.sceneObjects[i];
            EXPECT_EQ(zAt(i), zs[i]) << "the sort moves objects, never the z of an index";
            EXPECT_GE(o.z, -488.0f);
            EXPECT_LT(o.z, 2072.0f + 1);
            if (i > 0) {
                EXPECT_LE(s.sceneObjects[i - 1].distance, o.distance);
            }
        }
        if (frame == 1) {
            // Fading in: alpha 2 x 8851 - 17700, grey falling with distance.
            EXPECT_EQ(t.engine.quads.front().v[0].col >> 24, 2u);
        }
        if (frame == 200) {
            const Quad& nearest = t.engine.quads.front();
            EXPECT_EQ(nearest.v[0].col >> 24, 255u);
            const std::uint32_t grey = nearest.v[0].col & 0xFF;
            EXPECT_EQ(nearest.v[0].col & 0xFFFFFF, grey * 0x010101u);
            EXPECT_EQ(nearest.blend, BLEND_ALPHABLEND);
        }
    }
    for (int i = 0; i < 40; ++i) EXPECT_EQ(s.sceneObjects[i].timer, 200);
}

TEST_F(SceneryTest, WhatIsNotDrawn) {
    // Within distance 100 of the camera: not drawn, though on screen.
    const int near = face(0, 0, 100);
    EXPECT_EQ(drawn(near), 0u);
    EXPECT_FLOAT_EQ(s.sceneObjects[near].distance, 100);
    const int further = face(0, 0, 101);
    EXPECT_EQ(drawn(further), 41u);

    // Spanning the whole screen with every corner outside the window.
    s.sceneObjectCount = 0;
    const int wide = face(0, 0, 200, 9, 2048);
    EXPECT_EQ(drawn(wide), 0u);
    // One corner inside is enough.
    s.sceneObjectCount = 0;
    const int corner = face(1000, 600, 200, 9, 2048);
    EXPECT_EQ(drawn(corner), 41u);

    // A rectangle reaching behind the eye (focal length 1000 behind the
    // camera) would project mirrored: not drawn.
    // Its near edge would be on screen (y 219), its far edge mirrored.
    s.sceneObjectCount = 0;
    const int floor = SpawnSceneObject(*t.game, {34, 0, 0, 128, 512}, 0, 100, -800, 0, kPi2, 0, 0, 5);
    const SceneCorners c = ProjectSceneObject(s, s.sceneObjects[floor]);
    EXPECT_TRUE(ScenePointVisible(c.bl));
    EXPECT_FALSE(c.tl.valid);
    EXPECT_EQ(drawn(floor), 0u);
    EXPECT_FALSE(ProjectScenePoint(s, 0, 0, -1000).valid);
    EXPECT_TRUE(ProjectScenePoint(s, 0, 0, -999).valid);

    // A camera or object that is not a number draws nothing.
    s.sceneObjectCount = 0;
    const int lost = face(std::numeric_limits<float>::quiet_NaN(), 0, 500, 1);
    const int far = face(std::numeric_limits<float>::infinity(), 0, 500, 1);
    EXPECT_EQ(drawn(lost), 0u);
    EXPECT_EQ(drawn(far), 0u);
    s.sceneObjectCount = 0;
    const int plain = face(0, 0, 500);
    s.sceneCamera[5] = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(drawn(plain), 0u);
}

TEST_F(SceneryTest, ParticleDrawnOnItsLastUpdateThenLeavesTheList) {
    const int p = particle(200, 100, 0.04f, 102);
    const int wall = face(0, 0, 500);
    t.engine.quads.clear();
    UpdateAndDrawPlay(*t.game);
    EXPECT_EQ(t.engine.quads.size(), 2u + 41u) << "two additive passes, then the wall";
    EXPECT_EQ(t.engine.quads[0].blend, 0);
    EXPECT_EQ(t.engine.quads[0].v[0].col, 0xFF323232u);
    EXPECT_EQ(t.engine.quads[1].v[0].col, 0xFF460AFFu);
    EXPECT_FLOAT_EQ(s.sceneObjects[p].flatY, 102);
    EXPECT_FLOAT_EQ(s.sceneObjects[p].distance, 7200);
    const float wallZ = zAt(wall);

    // Scale 0.01 left: drawn once more at that scale, then gone. The wall
    // moves down a place and takes the particle's depth; the walk, reading
    // the count as it goes, never draws the record left behind at index 1.
    t.engine.quads.clear();
    UpdateAndDrawPlay(*t.game);
    EXPECT_EQ(s.sceneObjectCount, 1);
    EXPECT_EQ(s.sceneObjects[0].kind, 5);
    EXPECT_FLOAT_EQ(zAt(0), static_cast<float>(0.899 + 0.0021));
    EXPECT_NE(wallZ, zAt(0));
    ASSERT_EQ(t.engine.quads.size(), 2u);
    const Quad& last = t.engine.quads[0];
    EXPECT_NEAR(last.v[1].x - last.v[0].x, 32 * 0.01, 1e-4) << "drawn at the scale it had";
}

TEST_F(SceneryTest, ListKeepsEightHundredSortsInPlaceAndDropsThe3DKinds) {
    for (int i = 0; i < 801; ++i) {
        const int got = face(static_cast<float>(i), 0, 500);
        EXPECT_EQ(got, i < 800 ? i : -1);
    }
    EXPECT_EQ(s.sceneObjectCount, 800);
    EXPECT_FLOAT_EQ(s.sceneObjects[799].x, 799);

    // One pass walks from the back: distances 3 1 2 become 1 3 2; a full
    // sort 1 2 3. The z values stay with their indices.
    s.sceneObjectCount = 0;
    for (int i = 0; i < 3; ++i) face(0, 0, 0);
    const float d[] = {3, 1, 2};
    for (int i = 0; i < 3; ++i) s.sceneObjects[i].distance = d[i];
    SortSceneObjects(s, 1, false);
    EXPECT_EQ(s.sceneObjects[0].distance, 1);
    EXPECT_EQ(s.sceneObjects[1].distance, 3);
    EXPECT_EQ(s.sceneObjects[2].distance, 2);
    SortSceneObjects(s, 3, false);
    EXPECT_EQ(s.sceneObjects[1].distance, 2);
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(zAt(i), static_cast<float>(0.899 + i * 0.0001));

    // Pillars last: a tilted pillar face goes behind a lower kind even when
    // nearer, and a farther wall passes back in front of it on the next
    // pass: no strict order, so the list is whatever the passes make of it.
    s.sceneObjectCount = 0;
    face(0, 0, 0, 6, 256, 0, kPi2);
    for (int i = 0; i < 3; ++i) face(0, 0, 0);
    const float mixed[] = {1, 9, 2, 8};
    for (int i = 0; i < 4; ++i) s.sceneObjects[i].distance = mixed[i];
    auto distances = [&] {
        std::vector<float> out;
        for (int i = 0; i < 4; ++i) out.push_back(s.sceneObjects[i].distance);
        return out;
    };
    SortSceneObjects(s, 1, true);
    EXPECT_EQ(distances(), (std::vector<float>{2, 1, 9, 8}));
    EXPECT_EQ(s.sceneObjects[1].kind, 6);
    SortSceneObjects(s, 2, true);
    EXPECT_EQ(distances(), (std::vector<float>{2, 8, 9, 1})) << "the pillar last";
    // Now the farther walls, one after another, pass back behind it.
    SortSceneObjects(s, 1, true);
    EXPECT_EQ(distances(), (std::vector<float>{1, 2, 8, 9})) << "and straight back to the front";
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(zAt(i), static_cast<float>(0.899 + i * 0.0001));

    // The 3D records leave, the particles close up in order.
    s.sceneObjectCount = 0;
    face(0, 0, 0);
    particle(1, 0, 1);
    face(0, 0, 0);
    particle(2, 0, 1);
    RemoveSceneryOf3DKinds(s);
    ASSERT_EQ(s.sceneObjectCount, 2);
    EXPECT_EQ(s.sceneObjects[0].flatX, 1);
    EXPECT_EQ(s.sceneObjects[1].flatX, 2);
    EXPECT_FLOAT_EQ(zAt(0), 0.89921f);

    ResetSceneObjects(s);
    EXPECT_EQ(s.sceneObjectCount, 0);
    EXPECT_FLOAT_EQ(zAt(799), static_cast<float>(0.899 + 799 * 0.00001));
}

// A pillar's front face 1000 ahead of the camera covers the screen box
// 192..448 by 144..400 (half size at this depth).
TEST_F(SceneryTest, PillarOverTheShipHitsOnceAndPushesInItsWindow) {
    const int pillar = face(0, 0, 1000, 6, 512);
    SceneObject& o = s.sceneObjects[pillar];
    s.playerX = 300;
    s.playerY = 300;
    o.timer = 58;
    EXPECT_EQ(drawn(pillar), 41u);
    EXPECT_EQ(s.hitPending, 0) << "phase 59: nothing yet";
    EXPECT_FLOAT_EQ(o.z, 975) << "still thrusting out";

    o.z = 1000;
    UpdateSceneObject(*t.game, pillar);  // phase 60
    EXPECT_EQ(s.hitPending, 11);
    EXPECT_EQ(s.invincibleTimer, 31);
    EXPECT_EQ(s.soundRequests[13], 1);
    EXPECT_FLOAT_EQ(s.playerY, 300) << "no push while the hit is pending";

    // The hit is taken; nearer the bottom edge than the sides, so pushed
    // down onto it, and no second hit.
    s.hitPending = 0;
    UpdateSceneObject(*t.game, pillar);  // phase 61
    EXPECT_FLOAT_EQ(s.playerY, 400);
    EXPECT_FLOAT_EQ(s.playerX, 300);
    EXPECT_EQ(s.hitPending, 0);

    // Past phase 120 the pillar lets go.
    s.playerY = 300;
    o.timer = 120;
    UpdateSceneObject(*t.game, pillar);  // phase 121
    EXPECT_FLOAT_EQ(s.playerY, 300);

    // Next cycle, still invincible: no hit, but pushed to the nearer side,
    // even with the camera so close that the pillar is not drawn.
    s.playerX = 200;
    o.timer = 239;
    o.z = 1000;
    s.sceneCamera[2] = 920;
    s.sceneFocal = 80;
    EXPECT_EQ(drawn(pillar), 0u);
    EXPECT_EQ(s.hitPending, 0);
    EXPECT_LT(s.playerX, 200);

    // Once it has stopped thrusting it never strikes again.
    s.sceneCamera[2] = 0;
    s.sceneFocal = 1000;
    s.invincibleTimer = 0;
    s.playerX = 300;
    s.playerY = 300;
    o.timer = 1620 + 119;
    UpdateSceneObject(*t.game, pillar);
    EXPECT_EQ(s.hitPending, 0);
    EXPECT_FLOAT_EQ(s.playerY, 300);
}

}  // namespace
}  // namespace korvid
