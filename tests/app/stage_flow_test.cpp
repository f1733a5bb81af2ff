#include "play/StageFlow.h"

#include <gtest/gtest.h>

#include "support/TestGame.h"

namespace korvid {
namespace {

TEST(StartRoutine, OutsidePlayOnlyOpensAndClearsAScene) {
    test::TestGame t;
    t.s.timeStop = 1;
    t.s.lives = 7;
    StartRoutine(*t.game);
    EXPECT_TRUE(t.engine.sceneOpen);
    EXPECT_EQ(t.s.timeStop, 0);
    EXPECT_EQ(t.s.lives, 7);
    EXPECT_EQ(t.s.stage, 0);
}

TEST(StartRoutine, CountersAtTheStartOfAGame) {
    struct Case {
        int stage;
        bool practice;
        int stageAfter, lives;
    };
    const Case cases[] = {{0, false, 1, 2}, {3, false, 3, 2}, {7, false, 7, 5}, {7, true, 7, 8}, {2, true, 2, 8}};
    for (const Case& c : cases) {
        test::TestGame t;
        t.s.screen = 10;
        t.s.stage = c.stage;
        t.s.practiceMode = c.practice;
        t.s.score = 12345;
        t.s.grazeCount = 99;
        t.s.power = 50;
        t.s.moveDirection = 4;
        t.s.enemyBullets.occupy(3);
        StartRoutine(*t.game);
        EXPECT_EQ(t.s.stage, c.stageAfter);
        EXPECT_EQ(t.s.startStage, c.stageAfter);
        EXPECT_EQ(t.s.lives, c.lives) << "stage " << c.stage << " practice " << c.practice;
        EXPECT_EQ(t.s.score, 0);
        EXPECT_EQ(t.s.bombGauge, 400);
        EXPECT_EQ(t.s.grazeCount, 0);
        EXPECT_EQ(t.s.power, 0);
        EXPECT_EQ(t.s.stageFrame, -64);
        EXPECT_EQ(t.s.playerX, 224);
        EXPECT_EQ(t.s.playerY, 412);
        EXPECT_EQ(t.s.optionSpread, 32);
        EXPECT_EQ(t.s.moveDirection, 0);
        EXPECT_EQ(t.s.enemyBullets.free[3], 1);
    }
}

TEST(StageLoad, SeedsWithGrazeCountAndClearsPowerEveryStage) {
    test::TestGame t;
    t.s.grazeCount = 321;
    t.s.power = 90;
    t.s.latchConfirm = 1;
    t.s.menuScroll = 55;
    t.s.laserNear = 1;
    t.s.items.occupy(5);
    t.s.items.slot[5].halfValue = 1;
    StageLoadReset(t.s);
    GameRandom expected;
    expected.seed(321);
    EXPECT_EQ(t.s.rng.next(), expected.next());
    EXPECT_EQ(t.s.power, 0);
    EXPECT_EQ(t.s.latchConfirm, 0);
    EXPECT_EQ(t.s.menuScroll, 0);
    EXPECT_EQ(t.s.laserNear, 0);
    EXPECT_EQ(t.s.items.free[5], 1);
    EXPECT_EQ(t.s.items.slot[5].halfValue, 0);  // no game inherits an earlier one's leftovers
    EXPECT_EQ(t.s.sceneObjectCount, 0);
    EXPECT_FLOAT_EQ(t.s.sceneObjects[10].sprite.quad.v[0].z, static_cast<float>(0.899 + 10 * 0.00001));
}

TEST(StartRoutine, ReplayAtALaterStageRestoresItsSnapshotAndSeed) {
    test::TestGame t;
    t.s.screen = 10;
    t.s.replayPlaying = 1;
    t.s.startStage = 2;
    t.s.stage = 4;
    t.s.maxPowerFrames = 777;  // left over from an earlier game
    t.s.snapshots[3] = StageSnapshot{1234, 3, 456, 98765430, 300};
    StartRoutine(*t.game);
    EXPECT_EQ(t.s.stage, 4);
    EXPECT_EQ(t.s.startStage, 2);  // playback keeps the recorded start
    EXPECT_EQ(t.s.bombGauge, 1234);
    EXPECT_EQ(t.s.lives, 3);
    EXPECT_EQ(t.s.grazeCount, 456);
    EXPECT_EQ(t.s.score, 98765430);
    EXPECT_EQ(t.s.maxPowerFrames, 300);
    // The stage was seeded with the snapshot's graze count.
    GameRandom expected;
    expected.seed(456);
    EXPECT_EQ(t.s.rng.next(), expected.next());

    // From its first stage a replay starts like a fresh game.
    test::TestGame u;
    u.s.screen = 10;
    u.s.replayPlaying = 1;
    u.s.startStage = 3;
    u.s.stage = 0;
    u.s.maxPowerFrames = 50;
    StartRoutine(*u.game);
    EXPECT_EQ(u.s.stage, 3);
    EXPECT_EQ(u.s.lives, 2);
    EXPECT_EQ(u.s.maxPowerFrames, 0);
}

TEST(EndOfStage, SnapshotsCountersUnlessAReplayPlays) {
    test::TestGame t;
    t.s.stage = 2;
    t.s.replayFrame = 4321;
    t.s.bombGauge = 800;
    t.s.lives = 1;
    t.s.grazeCount = 77;
    t.s.score = 5550;
    t.s.maxPowerFrames = 12;
    EndOfStage(*t.game);
    EXPECT_EQ(t.s.replayStageFrames[2], 4321);
    EXPECT_EQ(t.s.snapshots[2].score, 5550);
    EXPECT_EQ(t.s.snapshots[2].grazeCount, 77);

    t.s.replayPlaying = 1;
    t.s.replayFrame = 10;
    t.s.score = 1;
    EndOfStage(*t.game);
    EXPECT_EQ(t.s.replayStageFrames[2], 4321);
    EXPECT_EQ(t.s.snapshots[2].score, 5550);
}

}  // namespace
}  // namespace korvid
