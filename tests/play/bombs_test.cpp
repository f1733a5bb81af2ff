// The three bombs played out frame by frame: how long each runs (seen through
// the gauge while Bomb stays held), what the player can do meanwhile, and
// what each does to bullets and enemies.
#include <gtest/gtest.h>

#include <vector>

#include "app/FrameDriver.h"
#include "game/PoolSteps.h"
#include "play/Player.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class BombTest : public ::testing::Test {
protected:
    test::TestGame t;
    void start(int character) {
        t.bindDefaults();
        t.s.screen = 10;
        t.s.stage = 8;  // a stage without a script: nothing but the ship and its bombs
        t.s.character = character;
        StageLoadReset(t.s);
        t.s.lives = 2;
        t.s.bombGauge = 400;
    }
    // Plays frames until stageFrame reaches `last`, noting the stage frame of
    // every change of the gauge.
    std::vector<std::pair<int, int>> gaugeChanges(int last) {
        std::vector<std::pair<int, int>> changes;
        int gauge = t.s.bombGauge;
        while (t.s.stageFrame < last) {
            PlayFrame(*t.game);
            if (t.s.bombGauge != gauge) changes.emplace_back(t.s.stageFrame, t.s.bombGauge);
            gauge = t.s.bombGauge;
        }
        return changes;
    }
    int liveBullets() const {
        int n = 0;
        for (auto f : t.s.enemyBullets.free) n += f ? 0 : 1;
        return n;
    }
    void bullet(int slot, float x, float y, int behavior = 0, bool marked = false) {
        t.s.enemyBullets.occupy(slot);
        t.s.enemyBullets.slot[slot].x = x;
        t.s.enemyBullets.slot[slot].y = y;
        t.s.enemyBullets.slot[slot].behavior = behavior;
        t.s.enemyBullets.slot[slot].marked = marked;
    }
};

TEST_F(BombTest, HeldBombRepeatsWhenEachCharactersBombEnds) {
    // Character 1: 200 frames; character 2: 240; character 3 fades in over 42
    // frames and out from 200, ending on the frame its alpha reaches 0 (age
    // 241: the bomb object lives 242 frames, counting the frame it was made).
    const std::pair<int, int> cases[] = {{1, 200}, {2, 240}, {3, 241}};
    for (const auto& [character, length] : cases) {
        start(character);
        t.hold('X');
        const auto changes = gaugeChanges(length + 5);
        ASSERT_EQ(changes.size(), 2u) << character;
        EXPECT_EQ(changes[0], std::make_pair(0, 200)) << character;
        EXPECT_EQ(changes[1], std::make_pair(length, 0)) << character;
        EXPECT_EQ(t.s.bombActive, 1);
    }
}

TEST_F(BombTest, SecondCharacterIsSlowedWhileItsBombRuns) {
    start(2);
    t.s.stageFrame = 10;
    t.hold('X');
    PlayFrame(*t.game);
    t.hold('X', false);
    ASSERT_EQ(t.s.bombActive, 1);
    t.hold(39);  // Right
    float x = t.s.playerX;
    PlayFrame(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX - x, 2);
    t.hold(16);  // and Slow
    x = t.s.playerX;
    PlayFrame(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX - x, 1);
    t.hold(39, false);
    while (t.s.bombActive) PlayFrame(*t.game);
    t.hold(39);
    x = t.s.playerX;
    PlayFrame(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX - x, 2);  // focused speed again
    t.hold(16, false);
    x = t.s.playerX;
    PlayFrame(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX - x, 5);
}

TEST_F(BombTest, FirstCharacterAutomaticBombThenTheHeldBomb) {
    start(1);
    t.s.autoBomb = 1;
    t.s.bombGauge = 800;
    t.s.stageFrame = 100;
    t.s.invincibleTimer = 0;
    t.hold('X');
    // Bomb is held, but the hit comes first: the countdown only lets the
    // automatic bomb act.
    t.s.hitPending = 11;
    PlayFrame(*t.game);
    EXPECT_EQ(t.s.bombGauge, 200);
    EXPECT_EQ(t.s.hitPending, 0);
    const int hitFrame = t.s.stageFrame;
    const auto changes = gaugeChanges(hitFrame + 470);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0], std::make_pair(hitFrame + 460, 0));
    EXPECT_EQ(t.s.playerDying, 0);
}

TEST_F(BombTest, ThirdCharacterAutomaticBombFillsTheGaugeAndCapsIt) {
    start(3);
    t.s.autoBomb = 1;
    t.s.bombGauge = 600;
    t.s.stageFrame = 100;
    t.s.power = 80;
    t.s.hitPending = 11;
    PlayFrame(*t.game);
    ASSERT_EQ(t.s.bombActive, 1);
    // +0.3 a frame below 84, then +0.1; the HUD's decay of a firing player
    // (0.03 below full power, 0.01 at it) runs after the bomb each frame.
    int frames = 0;
    float before = t.s.power;
    while (t.s.bombActive) {
        t.s.framesSinceShot = 0;
        PlayFrame(*t.game);
        if (!t.s.bombActive) break;
        const float gain = before < 84 ? 0.3f : 0.1f;
        const float decay = before + gain >= 84 ? 0.01f : 0.03f;
        EXPECT_NEAR(t.s.power - before, gain - decay, 2e-4f) << frames;
        before = t.s.power;
        ++frames;
    }
    EXPECT_GT(frames, 20);
    EXPECT_GT(t.s.power, 84.0f);
    EXPECT_LE(t.s.power, 92.0f);

    // A manual bomb (scale 0.9) leaves the gauge alone.
    t.s.power = 50;
    t.s.bombGauge = 200;
    t.hold('X');
    PlayFrame(*t.game);
    t.hold('X', false);
    for (int i = 0; i < 10; ++i) PlayFrame(*t.game);
    EXPECT_NEAR(t.s.power, 50 - 11 * 0.03, 1e-3);  // only the HUD's decay
}

TEST_F(BombTest, BombsEraseUnmarkedBulletsInTheirReach) {
    // Character 3 erases everything erasable once faded in; character 2 only
    // the column above the ship.
    start(3);
    t.s.stageFrame = 10;
    bullet(0, 30, 400);
    bullet(1, 400, 50, 20);          // behaviour 20 stays
    bullet(2, 200, 100, 0, true);    // marked bullets stay
    t.hold('X');
    PlayFrame(*t.game);
    t.hold('X', false);
    for (int i = 0; i < 42; ++i) PlayFrame(*t.game);
    EXPECT_EQ(liveBullets(), 3);  // still fading in
    PlayFrame(*t.game);
    EXPECT_EQ(liveBullets(), 2);
    EXPECT_TRUE(t.s.enemyBullets.free[0]);

    start(2);
    t.s.stageFrame = 10;
    t.hold('X');
    PlayFrame(*t.game);
    t.hold('X', false);
    for (int i = 0; i < 40; ++i) PlayFrame(*t.game);  // fully widened: 150 x 0.8 either side
    t.s.enemyBullets.clear();
    const float x = t.s.playerX, y = t.s.playerY;
    bullet(0, x + 119, y - 60);   // inside
    bullet(1, x - 125, y - 300);  // beyond the column's width
    bullet(2, x, y - 20);         // too close to the ship
    PlayFrame(*t.game);
    EXPECT_TRUE(t.s.enemyBullets.free[0]);
    EXPECT_FALSE(t.s.enemyBullets.free[1]);
    EXPECT_FALSE(t.s.enemyBullets.free[2]);
}

TEST_F(BombTest, BombWithAFullShotPoolDoesNotRun) {
    start(1);
    t.s.stageFrame = 10;
    t.s.playerShots.free.fill(0);
    t.hold('X');
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.bombGauge, 200);  // paid and invincible, but nothing keeps the bomb going
    EXPECT_EQ(t.s.bombActive, 0);
}

TEST_F(BombTest, SubBombsWithNoEnemyKeepTheirHeadingAndBurstAtFullSpeed) {
    start(1);
    t.s.stageFrame = 10;
    t.hold('X');
    PlayFrame(*t.game);
    t.hold('X', false);
    for (int i = 0; i < 10; ++i) PlayFrame(*t.game);
    // The first sub-bomb, released at the controller's age 10.
    int sub = -1;
    for (int i = 0; i < kPlayerShotCapacity; ++i)
        if (!t.s.playerShots.free[i] && t.s.playerShots.slot[i].kind == 5) sub = i;
    ASSERT_GE(sub, 0);
    const float heading = t.s.playerShots.slot[sub].angle;
    int frames = 0;
    while (!t.s.playerShots.free[sub] && frames < 400) {
        PlayFrame(*t.game);
        ++frames;
        if (!t.s.playerShots.free[sub]) {
            EXPECT_EQ(t.s.playerShots.slot[sub].angle, heading);
        }
    }
    const PlayerShot& p = t.s.playerShots.slot[sub];
    EXPECT_TRUE(p.speed >= 18 || p.x < 0 || p.y < 0 || p.x > 448 || p.y > 480);
    EXPECT_GE(p.age, 80);
    EXPECT_NEAR(p.scaleX, 0.4f, 1e-4f);  // grew by 0.01 a frame to age 40
}

}  // namespace
}  // namespace korvid
