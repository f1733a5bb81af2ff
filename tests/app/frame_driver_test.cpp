#include "app/FrameDriver.h"

#include <gtest/gtest.h>

#include "app/Boot.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

void startPlay(test::TestGame& t) {
    t.s.screen = 10;
    t.s.stage = 1;
    t.s.stageFrame = -2;
}

TEST(PlayFrame, CountsOnlyTheStageProperForTheRecord) {
    test::TestGame t;
    startPlay(t);
    RenderFunc(*t.game);  // stageFrame -1
    EXPECT_EQ(t.s.replayFrame, 0);
    RenderFunc(*t.game);  // stageFrame 0: the first recorded frame
    EXPECT_EQ(t.s.stageFrame, 0);
    EXPECT_EQ(t.s.replayFrame, 1);
    EXPECT_EQ(t.s.replayStageFrames[1], 1);
    EXPECT_FALSE(t.engine.sceneOpen);
}

TEST(PlayFrame, RecordingStopsAtTheEndOfTheRecord) {
    test::TestGame t;
    startPlay(t);
    t.s.stageFrame = 99998;
    t.s.replayFrame = 99999;
    t.s.replayInputs[2][0] = 77;  // the cell just past stage 1's row
    RenderFunc(*t.game);
    EXPECT_EQ(t.s.replayFrame, 100000);
    EXPECT_EQ(t.s.replayInputs[2][0], 77);
    RenderFunc(*t.game);  // stageFrame 100000: not a recorded frame
    EXPECT_EQ(t.s.replayFrame, 100000);
}

TEST(PlayFrame, PlaybackPastTheRecordedCellsDecodesNothing) {
    test::TestGame t;
    startPlay(t);
    t.s.replayPlaying = 1;
    t.s.stageFrame = 99998;
    t.s.replayFrame = 99999;
    t.s.frameKeys.fill(1);
    RenderFunc(*t.game);
    for (auto k : t.s.frameKeys) EXPECT_EQ(k, 0);
}

TEST(PlayFrame, PlaybackDecodesTheMaskIntoFrameKeys) {
    test::TestGame t;
    startPlay(t);
    t.s.replayPlaying = 1;
    t.s.stageFrame = 9;
    t.s.replayFrame = 9;
    t.s.replayStageFrames[1] = 10;
    t.s.replayInputs[1][10] = (1 << KeyShoot) | (1 << KeyLeft);
    t.s.replayInputs[1][11] = 0xFF;  // left by an earlier, longer record
    RenderFunc(*t.game);
    EXPECT_EQ(t.s.frameKeys[KeyShoot], 1);
    EXPECT_EQ(t.s.frameKeys[KeyLeft], 1);
    EXPECT_EQ(t.s.frameKeys[KeyUp], 0);
    EXPECT_EQ(t.s.replayStageFrames[1], 10);  // playback never rewrites the record
    RenderFunc(*t.game);
    for (auto k : t.s.frameKeys) EXPECT_EQ(k, 0);
}

TEST(PlayFrame, EscapePausesOncePerPressAndNotInTheWideField) {
    test::TestGame t;
    startPlay(t);
    t.hold(27);
    RenderFunc(*t.game);
    EXPECT_EQ(t.s.pauseState, 1);

    test::TestGame w;
    startPlay(w);
    w.s.wideField = 1;
    w.hold(27);
    RenderFunc(*w.game);
    EXPECT_EQ(w.s.pauseState, 0);
    EXPECT_EQ(w.s.soundRequests[34], 1);
    w.s.soundRequests[34] = 0;
    RenderFunc(*w.game);  // still held: the latch keeps it to one sound
    EXPECT_EQ(w.s.soundRequests[34], 0);
}

TEST(PlayFrame, FocusLossPausesPlayButNotMenus) {
    test::TestGame t;
    startPlay(t);
    t.engine.foreground = false;
    RenderFunc(*t.game);
    EXPECT_EQ(t.s.pauseState, 1);

    test::TestGame m;
    m.engine.foreground = false;
    m.s.stageFrame = 300;
    RenderFunc(*m.game);
    EXPECT_EQ(m.s.pauseState, 0);
    EXPECT_EQ(m.s.screen, 0);
}

TEST(FrameFunc, QuitRules) {
    test::TestGame t;
    EXPECT_FALSE(FrameFunc(*t.game));
    t.s.lives = -2;
    EXPECT_TRUE(FrameFunc(*t.game));
    t.s.stage = 7;  // the extra stage lets lives fall below zero
    EXPECT_FALSE(FrameFunc(*t.game));
    t.s.quitRequested = 1;
    EXPECT_TRUE(FrameFunc(*t.game));
}

}  // namespace
}  // namespace korvid
