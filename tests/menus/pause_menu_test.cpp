#include "menus/PauseMenu.h"

#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "app/StateHash.h"
#include "engine/KeyCodes.h"
#include "game/FrameSteps.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

struct PauseGame : test::TestGame {
    PauseGame() {
        bindDefaults();
        ClearAllPools(s);
        s.screen = 10;
        s.character = 1;
        s.stage = 1;
        StartRoutine(*game);
        engine.sceneOpen = false;
    }
    void frames(int n) {
        for (int i = 0; i < n; ++i) RenderFunc(*game);
    }
    // One press: held for a frame, then released for a frame.
    void press(int vk) {
        hold(vk);
        frames(1);
        hold(vk, false);
        frames(1);
    }
};

TEST(PauseMenu, GameOverContinueAndItsScoreRule) {
    PauseGame t;
    t.s.stage = 2;
    t.frames(70);
    for (int k = 1; k <= 11; ++k) {
        t.s.score = 987654320 + (k > 1 ? t.s.score % 10 : 0);
        t.s.lives = -1;
        t.s.grazeCount = 55;
        t.s.power = 40;
        t.frames(1);
        ASSERT_EQ(t.s.pauseState, 1) << k;
        // Escape and X cannot close the prompt.
        t.frames(3);
        t.press(VK_ESCAPE);
        t.press('X');
        EXPECT_EQ(t.s.pauseState, 1);
        t.press('Z');
        EXPECT_EQ(t.s.lives, 2);
        EXPECT_EQ(t.s.bombGauge, 400);
        EXPECT_EQ(t.s.grazeCount, 0);
        EXPECT_EQ(t.s.power, 0);
        EXPECT_EQ(t.s.invincibleTimer, 200);
        EXPECT_EQ(t.s.score, std::min(k, 9));
        t.frames(12);
        EXPECT_EQ(t.s.pauseState, 0);
    }
    // After a continue the save entry is grey and the cursor jumps over it.
    EXPECT_TRUE(PauseEntryDisabled(t.s, kPauseSaveReplay));
}

TEST(PauseMenu, TheExtraStageGoesOnBelowZeroLives) {
    PauseGame t;
    t.s.stage = 7;
    t.frames(70);
    t.s.lives = -3;
    const int before = t.s.stageFrame;
    t.frames(30);
    EXPECT_EQ(t.s.pauseState, 0);
    EXPECT_EQ(t.s.stageFrame, before + 30);
}

TEST(PauseMenu, NothingMovesWhilePausedAndResumingLeavesNoTrace) {
    PauseGame a, b;
    a.frames(100);
    b.frames(100);
    a.press(VK_ESCAPE);  // opens at the end of the press frame
    ASSERT_EQ(a.s.pauseState, 1);
    const int frame = a.s.replayFrame, stageFrame = a.s.stageFrame;
    a.frames(40);
    EXPECT_EQ(a.s.replayFrame, frame);
    EXPECT_EQ(a.s.stageFrame, stageFrame);
    a.press(VK_ESCAPE);
    a.frames(12);
    ASSERT_EQ(a.s.pauseState, 0);
    // Both games have now run the same play frames.
    const int played = a.s.stageFrame - b.s.stageFrame;
    b.frames(played);
    EXPECT_EQ(a.s.stageFrame, b.s.stageFrame);
    EXPECT_EQ(HashGameState(a.s), HashGameState(b.s));
}

TEST(PauseMenu, RetryRestartsTheGameOrThePracticeStage) {
    struct Case {
        int stage;
        bool practice;
        int wantStage, wantLives;
    };
    for (const Case c : {Case{3, false, 1, 2}, Case{4, true, 4, 8}, Case{7, false, 7, 5}}) {
        PauseGame t;
        t.s.stage = c.stage;
        t.s.practiceMode = c.practice;
        StartRoutine(*t.game);
        t.engine.sceneOpen = false;
        t.frames(100);
        t.s.score = 5000;
        t.s.grazeCount = 9;
        t.s.power = 50;
        t.s.playerX = 100;
        OpenPauseMenu(*t.game);
        t.frames(2);
        for (int i = 0; i < 4; ++i) t.press(VK_DOWN);
        ASSERT_EQ(t.s.pauseCursor, kPauseRetry);
        t.press(VK_RETURN);
        EXPECT_EQ(t.s.pauseState, 0);
        EXPECT_EQ(t.s.stage, c.wantStage);
        EXPECT_EQ(t.s.score, 0);
        EXPECT_EQ(t.s.lives, c.wantLives);
        EXPECT_EQ(t.s.bombGauge, 400);
        EXPECT_EQ(t.s.grazeCount, 0);
        EXPECT_EQ(t.s.power, 0);
        EXPECT_EQ(t.s.playerX, 224);
        EXPECT_EQ(t.s.playerY, 412);
    }
}

TEST(PauseMenu, RetryDuringPlaybackLeavesTheRecordAlone) {
    PauseGame t;
    t.s.replayPlaying = 1;
    t.s.startStage = 2;
    t.s.replayEndStage = 3;
    t.s.stage = 3;
    t.s.replayStageFrames = {0, 0, 700, 800};
    t.s.snapshots[2] = StageSnapshot{1000, 3, 40, 5550, 12};
    t.s.replayFrame = 300;
    t.s.snapshotTexture = 0;
    RetryGame(*t.game);
    EXPECT_EQ(t.s.stage, 2);  // the replay's first recorded stage
    EXPECT_EQ(t.s.replayStageFrames[3], 800);
    EXPECT_EQ(t.s.snapshots[2].score, 5550);
    EXPECT_EQ(t.s.snapshots[3].score, 0);
}

TEST(PauseMenu, EndOfReplayMenuStartsOnQuitWithResumeGrey) {
    PauseGame t;
    t.s.replayPlaying = 1;
    t.s.startStage = 1;
    t.s.replayEndStage = 2;  // stage 1's record runs out before its clear
    t.s.replayStageFrames[1] = 20;
    t.frames(64 + 21);
    ASSERT_EQ(t.s.pauseState, 1);
    EXPECT_TRUE(IsReplayEnd(t.s));
    t.frames(1);
    EXPECT_EQ(t.s.pauseCursor, kPauseQuit);
    EXPECT_TRUE(PauseEntryDisabled(t.s, kPauseResume));
    EXPECT_TRUE(PauseEntryDisabled(t.s, kPauseSaveReplay));
    t.press(VK_UP);
    EXPECT_EQ(t.s.pauseCursor, kPauseRetry);
    t.press(VK_ESCAPE);  // no way back into unrecorded play
    EXPECT_EQ(t.s.pauseState, 1);
}

// A replay whose ship is lost with frames still recorded cannot go on: the
// continue is chosen in this menu, not with recorded keys. The prompt opens
// as the end-of-replay menu instead, so playback can only end.
TEST(PauseMenu, PlaybackEndsWhereItsShipIsLost) {
    PauseGame t;
    t.s.replayPlaying = 1;
    t.s.startStage = 1;
    t.s.replayEndStage = 1;
    t.s.replayStageFrames[1] = 5000;
    t.s.lives = -1;
    for (int i = 0; i < 200 && t.s.pauseState == 0; ++i) t.frames(1);
    ASSERT_EQ(t.s.pauseState, 1);
    ASSERT_LT(t.s.replayFrame, 5000);
    EXPECT_TRUE(IsGameOverPrompt(t.s));
    EXPECT_TRUE(IsReplayEnd(t.s));
    t.frames(1);
    EXPECT_EQ(t.s.pauseCursor, kPauseQuit);
    EXPECT_TRUE(PauseEntryDisabled(t.s, kPauseResume));
    t.press(VK_UP);
    t.press(VK_RETURN);  // Retry, the entry above Quit past the grey ones
    EXPECT_EQ(t.s.pauseState, 0);
    EXPECT_EQ(t.s.score % 10, 0) << "no continue was taken";
}

TEST(PauseMenu, QuitGoesToTheMainMenuPastTheLogo) {
    PauseGame t;
    t.frames(80);
    OpenPauseMenu(*t.game);
    t.frames(2);
    t.press(VK_DOWN);
    t.press('Z');
    EXPECT_EQ(t.s.screen, 0);
    EXPECT_EQ(t.s.stage, 0);
    EXPECT_EQ(t.s.pauseState, 0);
    EXPECT_GE(t.s.stageFrame, 300);
    EXPECT_EQ(t.s.lives, 0);
}

}  // namespace
}  // namespace korvid
