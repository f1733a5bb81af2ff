// Expressions written with plain constants are worked out in double and only
// then stored in the field's float; single-precision arithmetic would give
// another number. Each case picks values where the two differ.
#include <gtest/gtest.h>

#include "play/Geometry.h"
#include "play/Player.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class DoubleConstantsTest : public ::testing::Test {
protected:
    test::TestGame t;
    Game& g = *t.game;
    void SetUp() override {
        t.bindDefaults();
        t.s.screen = 10;
        t.s.stage = 1;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.stageFrame = 100;
        t.s.lives = 2;
    }
};

TEST_F(DoubleConstantsTest, DiagonalSpeedIsDividedBy141InDouble) {
    t.s.power = 32;
    t.s.playerX = 61.5f;
    t.hold(38);
    t.hold(39);
    UpdatePlayer(g);
    const float speed = static_cast<float>(4.5 * (1.0 - 32 * 0.005));
    const float expected = 61.5f + static_cast<float>(speed / 1.41);
    ASSERT_NE(expected, 61.5f + speed / 1.41f);  // the case tells the two apart
    EXPECT_EQ(t.s.playerX, expected);
}

TEST_F(DoubleConstantsTest, Stage1PowerFactorIsWorkedOutInDouble) {
    t.s.power = 6;
    t.s.playerX = 50;
    t.hold(39);
    UpdatePlayer(g);
    const float expected = 50 + static_cast<float>(4.5 * (1.0 - 6 * 0.005));
    ASSERT_NE(expected, 50 + 4.5f * (1.0f - 6 * 0.005f));
    EXPECT_EQ(t.s.playerX, expected);
}

TEST_F(DoubleConstantsTest, ThirdCharacterTilt7PicksDirectionEntry91) {
    t.s.character = 3;
    t.s.tilt = 7;
    t.s.shotTimer = 16;
    EmitShots(g, false, true);
    ASSERT_FALSE(t.s.playerShots.free[0]);
    EXPECT_EQ(DirectionIndex(t.s.playerShots.slot[0].angle), 91);  // 7 x 1.3 = 9.1, not 9.0999...
}

TEST_F(DoubleConstantsTest, AStoredScaleOf015GlowsOnStage4Lasers) {
    t.s.stage = 4;
    const int i = SpawnEnemyBullet(g, {4, 224, 0, 16, 0}, 100, 100, 0.2f, 0.15f, 180, 0.31f, 4, 0, 255);
    ASSERT_GE(i, 0);
    EXPECT_EQ(t.s.enemyBullets.slot[i].sprite.quad.blend, 0);  // 0.15f is a little above 0.15
}

}  // namespace
}  // namespace korvid
