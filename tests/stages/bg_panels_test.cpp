#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/PoolSteps.h"
#include "play/StageFlow.h"
#include "stages/BgPanels.h"
#include "stages/BgProjection.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class BgPanelTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.s.stage = 1;
        StageLoadReset(t.s);
        t.s.camPitch = 18.001f;
        t.s.camYaw = 10.001f;
        t.s.scrollSpeed = 4;
    }
    int groundAt(float x, float depth, float slope = 90) {
        return SpawnBgPanel(*t.game, 34, 0, 0, 512, 512, x, depth, 1101, 0, slope, 1);
    }
};

TEST_F(BgPanelTest, GroundRecedesAndWrapsToTheFarEnd) {
    const int a = groundAt(1, 281);
    const int b = groundAt(1, 281, 110);
    EXPECT_EQ(t.s.bgPanels.slot[a].halfW, 256);
    UpdateBgPanel(*t.game, a);
    UpdateBgPanel(*t.game, b);
    EXPECT_EQ(t.s.bgPanels.slot[a].depth, 277 + 9 * 512) << "277 is too close: back past the nine rows at once";
    EXPECT_EQ(t.s.bgPanels.slot[b].depth, 277) << "a slope of 110 never wraps";
    EXPECT_EQ(t.s.bgPanels.slot[a].timer, 1);
}

// The meadow's rows meet edge to edge at every scroll position, whatever
// the speed: sorted by depth, each row starts where the one before ends.
TEST_F(BgPanelTest, GroundRowsMeetWithoutGapOrOverlapAtEveryScrollPosition) {
    for (const float speed : {4.0f, 3.0f, 5.0f, 7.5f}) {
        t.s.bgPanels.clear();
        std::vector<int> rows;
        for (int i = 0; i <= 8; ++i) rows.push_back(groundAt(1, static_cast<float>(4790 - 512 * i)));
        t.s.scrollSpeed = speed;
        for (int frame = 0; frame < 1500; ++frame) {
            t.engine.quads.clear();
            for (int r : rows) UpdateBgPanel(*t.game, r);
            std::vector<std::pair<float, int>> byDepth;
            for (int r : rows) byDepth.push_back({t.s.bgPanels.slot[r].depth, r});
            std::sort(byDepth.begin(), byDepth.end());
            for (std::size_t k = 1; k < byDepth.size(); ++k) {
                ASSERT_FLOAT_EQ(byDepth[k].first - byDepth[k - 1].first, 512) << "speed " << speed << " frame " << frame;
                // On the screen too: the far edge of one row is the near
                // edge of the next, to the pixel (a pixel's gap or overlap
                // was a light line scrolling down the ground).
                const PanelCorners nearer = ProjectPanel(*t.game, byDepth[k - 1].second);
                const PanelCorners farther = ProjectPanel(*t.game, byDepth[k].second);
                ASSERT_EQ(nearer.yFar, farther.yNear) << "speed " << speed << " frame " << frame << " row " << k;
                ASSERT_EQ(nearer.x3, farther.x2) << "speed " << speed << " frame " << frame << " row " << k;
                ASSERT_EQ(nearer.x4, farther.x1) << "speed " << speed << " frame " << frame << " row " << k;
            }
        }
    }
}

TEST_F(BgPanelTest, DrawnAsFortyStripsFadingInTowardTheBottom) {
    // A far row reaches above the top of the field; a near one lies low.
    const int far = groundAt(1, 4790);
    UpdateBgPanel(*t.game, far);
    ASSERT_EQ(t.engine.quads.size(), 40u);
    for (const Quad& q : t.engine.quads) {
        const std::uint32_t alpha = q.v[0].col >> 24;
        // Strips above the screen are transparent, not the low byte of a
        // negative number.
        if (q.v[0].y < -70) {
            EXPECT_EQ(alpha, 0u) << q.v[0].y;
        }
        EXPECT_EQ(q.v[0].col & 0xFFFFFFu, 0xFFFFFFu);
    }
    t.engine.quads.clear();
    const int near = groundAt(1, 1200);
    UpdateBgPanel(*t.game, near);
    ASSERT_EQ(t.engine.quads.size(), 40u);
    EXPECT_GT(t.engine.quads.front().v[0].col >> 24, 100u);
    EXPECT_GT(t.engine.quads.front().v[0].y, t.engine.quads.back().v[0].y) << "the near edge is the lower one";
}

TEST_F(BgPanelTest, GroundStaysWideOnceTheCameraFacesStraightOn) {
    // Where the turn ends, either side of zero.
    for (float yaw : {0.011f, -0.022f, 10.001f}) {
        t.s.camYaw = yaw;
        const int slot = groundAt(1, 694);
        const PanelCorners c = ProjectPanel(*t.game, slot);
        EXPECT_GT(c.x2 - c.x1, 100) << yaw;
        EXPECT_GT(c.x3 - c.x4, 30) << yaw;
        EXPECT_GT(c.yNear, c.yFar) << yaw;
        t.s.bgPanels.free[slot] = 1;
    }
    // Straight on, the meadow is centred on the field: x = 1 sits at the middle.
    t.s.camYaw = 0.011f;
    const int slot = groundAt(1, 694);
    const PanelCorners c = ProjectPanel(*t.game, slot);
    EXPECT_NEAR((c.x1 + c.x2) / 2.0, 0, 3);
}

TEST(BgProjection, ZeroDivisorsGiveZeroInsteadOfGarbage) {
    const PlaneView flat(0, 0, 0, 2400);  // tan(0): no screen line
    EXPECT_FALSE(flat.Valid());
    EXPECT_EQ(flat.Offset(100, 500), 0);
    const PlaneView view(0, 0, 10.001, 2400);
    EXPECT_TRUE(view.Valid());
    EXPECT_EQ(view.Offset(0, 500), 0) << "a point straight across from the camera";
    EXPECT_NE(view.Offset(257, 438), 0);
    // Points at the camera's depth or behind it stay finite.
    const int behind = view.Offset(300, -1e30);
    EXPECT_LE(behind, 10000000);
    EXPECT_GE(behind, -10000000);
}

}  // namespace
}  // namespace korvid
