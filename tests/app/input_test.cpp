#include "game/Input.h"

#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

TEST(IsKeyHeld, RecordsWhatItSeesAndAnswersFromTheRecordInPlayback) {
    test::TestGame t;
    t.bindDefaults();
    t.hold('Z');
    EXPECT_TRUE(IsKeyHeld(*t.game, KeyShoot));
    EXPECT_FALSE(IsKeyHeld(*t.game, KeyBomb));
    EXPECT_EQ(t.s.frameKeys[KeyShoot], 1);
    EXPECT_EQ(t.s.frameKeys[KeyBomb], 0);
    // Not held later in the frame: the entry stays set.
    t.hold('Z', false);
    EXPECT_FALSE(IsKeyHeld(*t.game, KeyShoot));
    EXPECT_EQ(t.s.frameKeys[KeyShoot], 1);

    t.s.replayPlaying = 1;
    t.s.frameKeys.fill(0);
    t.s.frameKeys[KeyBomb] = 1;
    t.hold('Z');
    EXPECT_FALSE(IsKeyHeld(*t.game, KeyShoot));
    EXPECT_TRUE(IsKeyHeld(*t.game, KeyBomb));
}

TEST(IsKeyHeld, UnboundKeysAreNeverHeld) {
    test::TestGame t;  // no settings file: every binding 0
    t.hold(38);
    for (int k = 0; k < kGameKeyCount; ++k) EXPECT_FALSE(IsKeyHeld(*t.game, static_cast<GameKey>(k)));
}

TEST(IsKeyHeld, ReversedControlsAreSwappedBeforeRecordingAndPlayback) {
    test::TestGame rec;
    rec.bindDefaults();
    rec.s.bossActive = 1;
    rec.s.bossPattern() = 59;
    rec.s.difficulty = 0;
    rec.hold(38);  // physical Up
    EXPECT_FALSE(IsKeyHeld(*rec.game, KeyUp));   // asks Down's binding
    EXPECT_TRUE(IsKeyHeld(*rec.game, KeyDown));  // asks Up's binding
    EXPECT_EQ(rec.s.frameKeys[KeyUp], 1);        // the record holds the remapped key
    EXPECT_EQ(rec.s.frameKeys[KeyDown], 0);

    test::TestGame play;
    play.s.bossActive = 1;
    play.s.bossPattern() = 59;
    play.s.replayPlaying = 1;
    play.s.frameKeys = rec.s.frameKeys;
    EXPECT_FALSE(IsKeyHeld(*play.game, KeyUp));
    EXPECT_TRUE(IsKeyHeld(*play.game, KeyDown));

    // Other difficulties are not reversed.
    rec.s.difficulty = 1;
    rec.s.frameKeys.fill(0);
    EXPECT_TRUE(IsKeyHeld(*rec.game, KeyUp));
}

TEST(MenuLatches, AHeldKeyActsOnceAndReleasesWhenLetGo) {
    test::TestGame t;
    t.bindDefaults();
    t.hold(40);
    int moves = 0;
    for (int frame = 0; frame < 5; ++frame) {
        ReleaseMenuLatches(*t.game);
        if (TakeLatched(t.s.latchDown, MenuDownHeld(*t.game))) ++moves;
    }
    EXPECT_EQ(moves, 1);
    t.hold(40, false);
    ReleaseMenuLatches(*t.game);
    EXPECT_EQ(t.s.latchDown, 0);
    t.hold(40);
    ReleaseMenuLatches(*t.game);
    EXPECT_TRUE(TakeLatched(t.s.latchDown, MenuDownHeld(*t.game)));
}

TEST(MenuLatches, EachLatchWatchesItsBoundAndFixedKeys) {
    test::TestGame t;
    t.bindDefaults();
    SetAllMenuLatches(t.s);
    t.hold('X');  // bound Bomb keeps the cancel latch
    t.hold(13);   // Enter keeps the confirm latch
    ReleaseMenuLatches(*t.game);
    EXPECT_EQ(t.s.latchCancel, 1);
    EXPECT_EQ(t.s.latchConfirm, 1);
    EXPECT_EQ(t.s.latchUp, 0);
    EXPECT_EQ(t.s.latchRight, 0);
    t.hold('X', false);
    t.hold(27);  // Escape
    ReleaseMenuLatches(*t.game);
    EXPECT_EQ(t.s.latchCancel, 1);
    t.hold(27, false);
    t.hold(13, false);
    t.hold('Z');  // bound Shoot
    ReleaseMenuLatches(*t.game);
    EXPECT_EQ(t.s.latchCancel, 0);
    EXPECT_EQ(t.s.latchConfirm, 1);
}

TEST(FrameRate, FastForwardOnlyDuringPlaybackAndSlowedBosses) {
    auto state = std::make_unique<GameState>();  // too big for the stack
    GameState& s = *state;
    EXPECT_EQ(ChooseFrameRate(s, true), 60);  // Ctrl outside playback keeps 60
    s.replayPlaying = 1;
    EXPECT_EQ(ChooseFrameRate(s, true), 240);
    EXPECT_EQ(ChooseFrameRate(s, false), 60);
    s.bossActive = 1;
    s.bossPattern() = 49;
    s.bossTimer() = 140;
    s.invincibleTimer = 20;
    s.difficulty = 1;
    EXPECT_EQ(ChooseFrameRate(s, true), 120);
    EXPECT_EQ(ChooseFrameRate(s, false), 30);
    s.difficulty = 0;
    EXPECT_EQ(ChooseFrameRate(s, false), 60);
    s.bossPattern() = 61;
    s.bossTimer() = -1;
    EXPECT_EQ(ChooseFrameRate(s, false), 30);
    s.bossTimer() = 0;
    EXPECT_EQ(ChooseFrameRate(s, false), 60);
}

}  // namespace
}  // namespace korvid
