#include "stages/StageClear.h"

#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

struct ClearGame : test::TestGame {
    explicit ClearGame(int stage) {
        ClearAllPools(s);
        s.screen = 10;
        s.stage = stage;
        s.character = 1;
        s.bgmVolume = 100;
        s.lives = 2;
        s.bombGauge = 400;
    }
    // The boss has just been beaten: the frame driver's next frame is 100001.
    void beatBoss() {
        s.stageCleared = 1;
        s.stageFrame = 100000;
    }
    // Frames until `done` holds (at most `limit`), counted from the boss.
    template <typename F>
    int framesUntil(F done, int limit = 1000) {
        for (int n = 1; n <= limit; ++n) {
            RenderFunc(*game);
            if (done()) return n;
        }
        return -1;
    }
};

TEST(StageClear, EachKindOfStageHandsOverAtItsFrame) {
    for (int stage : {1, 2, 3, 4, 5}) {
        ClearGame t(stage);
        t.beatBoss();
        EXPECT_EQ(t.framesUntil([&] { return t.s.stage != stage; }), 215) << stage;
        EXPECT_EQ(t.s.stage, stage + 1);
        EXPECT_EQ(t.s.stageFrame, -64);  // the new stage fades in
        EXPECT_EQ(t.s.stageCleared, 0);
        EXPECT_EQ(t.s.screen, 10);
    }
    for (int stage : {6, 7}) {
        ClearGame t(stage);
        t.beatBoss();
        EXPECT_EQ(t.framesUntil([&] { return t.s.screen == 11; }), 415) << stage;
        EXPECT_EQ(t.s.stage, stage);  // a replay saved afterwards ends here
        EXPECT_EQ(t.s.stageFrame, 0);
    }
    ClearGame p(4);
    p.s.practiceMode = 1;
    p.beatBoss();
    EXPECT_EQ(p.framesUntil([&] { return p.s.screen == 12; }), 415);
    EXPECT_EQ(p.s.gameFinished, 1);
    EXPECT_EQ(p.s.stage, 4);
}

TEST(StageClear, ADialogueHoldsTheSequence) {
    ClearGame t(2);
    t.beatBoss();
    t.s.dialogueActive = 1;
    for (int i = 0; i < 50; ++i) RenderFunc(*t.game);
    EXPECT_EQ(t.s.stageFrame, 100000);
    t.s.dialogueActive = 0;
    EXPECT_EQ(t.framesUntil([&] { return t.s.stage == 3; }), 215);
}

TEST(StageClear, MusicFadesScaledByTheMusicVolumeAlsoInPractice) {
    ClearGame t(2);
    t.s.bgmVolume = 40;
    t.beatBoss();
    for (int i = 0; i < 150; ++i) RenderFunc(*t.game);
    ASSERT_FALSE(t.engine.volumes.empty());
    EXPECT_EQ(t.engine.volumes.front(), 40);
    EXPECT_EQ(t.engine.volumes.back(), (100190 - 100150) * 40 / 100);

    ClearGame muted(2);
    muted.s.practiceMode = 1;
    muted.s.bgmVolume = 0;
    muted.beatBoss();
    for (int i = 0; i < 100; ++i) RenderFunc(*muted.game);
    ASSERT_FALSE(muted.engine.volumes.empty());
    for (int v : muted.engine.volumes) EXPECT_EQ(v, 0);

    ClearGame three(3);
    three.beatBoss();
    RenderFunc(*three.game);
    EXPECT_EQ(three.engine.volumes.back(), 0);  // stage 3 stops at once
}

TEST(StageClear, PlaybackGoesOnFromTheRecordedCountersAndStopsAfterTheLastStage) {
    ClearGame t(1);
    t.s.replayPlaying = 1;
    t.s.startStage = 1;
    t.s.replayEndStage = 2;
    t.s.replayFrame = 500;
    t.s.replayStageFrames[1] = 500;
    t.s.snapshots[1] = StageSnapshot{600, 1, 77, 123450, 30};
    t.beatBoss();
    // A bomb in the fade is not in the record.
    for (int i = 0; i < 100; ++i) RenderFunc(*t.game);
    t.s.bombGauge = 400;
    t.s.grazeCount = 80;
    EXPECT_EQ(t.framesUntil([&] { return t.s.stage == 2; }), 115);
    EXPECT_EQ(t.s.bombGauge, 600);
    EXPECT_EQ(t.s.lives, 1);
    EXPECT_EQ(t.s.grazeCount, 77);
    EXPECT_EQ(t.s.score, 123450);
    EXPECT_EQ(t.s.maxPowerFrames, 30);
    GameRandom seeded;
    seeded.seed(77);
    EXPECT_EQ(t.s.rng.state, seeded.state);
    // The record itself is untouched.
    EXPECT_EQ(t.s.replayStageFrames[1], 500);
    EXPECT_EQ(t.s.snapshots[1].bombGauge, 600);

    // Stage 2 is the last one recorded: its clear opens the end-of-replay menu.
    t.s.replayStageFrames[2] = 900;
    t.s.replayFrame = 900;
    t.beatBoss();
    EXPECT_EQ(t.framesUntil([&] { return t.s.pauseState == 1; }), 215);
    EXPECT_EQ(t.s.stage, 2);
    EXPECT_TRUE(ReplayClearedLastStage(t.s));
    RenderFunc(*t.game);  // the menu's first frame
    EXPECT_EQ(t.s.pauseCursor, 1);
}

}  // namespace
}  // namespace korvid
