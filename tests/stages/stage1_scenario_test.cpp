// Stage 1 played out frame by frame through the frame driver, auto-bomb
// off and (unless a test says so) no key held.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/FrameDriver.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class Stage1Run {
public:
    explicit Stage1Run(int difficulty) {
        t.bindDefaults();
        s.screen = 10;
        s.stage = 1;
        s.character = 1;
        s.difficulty = difficulty;
        s.autoBomb = 0;
        StartRoutine(*t.game);
        t.engine.Gfx_EndScene();
    }
    void frame() {
        t.engine.quads.clear();
        t.engine.Gfx_BeginScene(0);
        PlayFrame(*t.game);
        t.engine.Gfx_EndScene();
    }
    void runTo(int stageFrame) {
        while (s.stageFrame < stageFrame) frame();
    }
    int firstSlotWith(int texY) const {
        for (int i = 0; i < kBossSlot; ++i)
            if (!s.enemies.free[i] && s.enemies.slot[i].texY == texY) return i;
        return -1;
    }
    int liveItems() const {
        int n = 0;
        for (auto f : s.items.free) n += f == 0;
        return n;
    }

    test::TestGame t;
    GameState& s = t.s;
};

// When the still ship is first grazed, first hit, and loses its life.
struct HitTimes {
    int graze = -1, hit = -1, lifeLost = -1;
};

HitTimes playUntilALifeIsLost(int difficulty) {
    Stage1Run run(difficulty);
    HitTimes h;
    const int lives = run.s.lives;
    while (run.s.stageFrame < 1000 && h.lifeLost < 0) {
        run.frame();
        if (h.graze < 0 && run.s.grazeCount > 0) h.graze = run.s.stageFrame;
        if (h.hit < 0 && run.s.hitPending == 11) h.hit = run.s.stageFrame;
        if (run.s.lives < lives) h.lifeLost = run.s.stageFrame;
    }
    return h;
}

// The large fairy of frame 5 circles its spirals down onto the middle of
// the field: a ship left alone is grazed, then hit, and the life goes ten
// frames after the hit (the pending hit counts down from 11). Hard adds the
// second spiral and the same happens 90 frames sooner.
TEST(Stage1Scenario, FirstFairysSpiralsGrazeThenHitTheStillShip) {
    const HitTimes easy = playUntilALifeIsLost(0);
    ASSERT_GT(easy.hit, 0);
    EXPECT_GT(easy.graze, 0);
    EXPECT_LE(easy.graze, easy.hit);
    EXPECT_EQ(easy.lifeLost, easy.hit + 10);
    const HitTimes hard = playUntilALifeIsLost(2);
    ASSERT_GT(hard.hit, 0);
    EXPECT_EQ(hard.hit, easy.hit - 90);
    EXPECT_EQ(hard.lifeLost, hard.hit + 10);
}

// The boss's conversation suspends the player's weapons: Bomb is held the
// whole time and never fires, and each Shoot press only turns a page.
TEST(Stage1Scenario, DuringTheConversationBombNeverFiresAndShootEarnsNothing) {
    Stage1Run run(1);
    run.runTo(0);
    run.s.stageFrame = 6999;  // straight to the boss's entry
    run.frame();
    ASSERT_EQ(run.s.dialogueActive, 1);
    ASSERT_EQ(run.s.bossActive, 1);
    const auto score = run.s.score;
    const int gauge = run.s.bombGauge;
    int frames = 0;
    for (; run.s.dialogueActive && frames < 400; ++frames) {
        run.t.hold('X');
        run.t.hold('Z', frames % 6 < 3);
        run.frame();
        EXPECT_EQ(run.s.bombActive, 0) << frames;
        for (auto f : run.s.playerShots.free) ASSERT_EQ(f, 1) << "a shot on frame " << frames;
    }
    EXPECT_EQ(run.s.dialogueActive, 0) << "ten presses end it";
    EXPECT_LT(frames, 100);
    EXPECT_EQ(run.s.score, score);
    EXPECT_EQ(run.s.bombGauge, gauge);
    // Once it is over the same key bombs at once.
    run.t.hold('Z', false);
    run.frame();
    EXPECT_EQ(run.s.bombActive, 1);
}

// A medium fairy shrugs off hits until its frame 100, takes them until 150,
// and at 151 leaves without dying: nothing is dropped.
TEST(Stage1Scenario, MediumFairyIsHittableOnlyInItsFramesHundredToHundredFifty) {
    Stage1Run run(1);
    run.s.invincibleTimer = 100000;
    run.runTo(1079);
    run.frame();  // 1080: the first pair
    const int slot = run.firstSlotWith(384);
    ASSERT_GE(slot, 0);
    const Enemy& e = run.s.enemies.slot[slot];
    run.s.items.clear();
    for (int t = e.timer; t < 151; t = e.timer) {
        EXPECT_EQ(e.noHit == 0, t >= 100) << "its frame " << t;
        run.frame();
        if (run.s.enemies.free[slot]) break;
    }
    EXPECT_EQ(run.s.enemies.free[slot], 1) << "gone at its frame 151";
    EXPECT_EQ(run.liveItems(), 0);
}

// Shot down, a popcorn fairy of row 288 leaves one point item exactly where
// it was; collected, it adds one to the bomb gauge.
TEST(Stage1Scenario, Row288PopcornDropsOneCentredItemWorthOneGauge) {
    Stage1Run run(0);
    run.s.invincibleTimer = 100000;
    run.runTo(1010);
    const int slot = run.firstSlotWith(288);
    ASSERT_GE(slot, 0);
    const float x = run.s.enemies.slot[slot].x, y = run.s.enemies.slot[slot].y;
    run.s.items.clear();
    KillEnemy(*run.t.game, slot);
    ASSERT_EQ(run.liveItems(), 1);
    const int item = static_cast<int>(std::find(run.s.items.free.begin(), run.s.items.free.end(), 0) -
                                      run.s.items.free.begin());
    EXPECT_EQ(run.s.items.slot[item].kind, 1);
    EXPECT_EQ(run.s.items.slot[item].x, x);
    EXPECT_EQ(run.s.items.slot[item].y, y);
    // The ship waits at the top, where every item flies to it.
    run.s.playerX = x;
    run.s.playerY = 60;
    const int gauge = run.s.bombGauge;
    for (int i = 0; i < 200 && !run.s.items.free[item]; ++i) run.frame();
    EXPECT_EQ(run.s.items.free[item], 1) << "collected";
    EXPECT_EQ(run.s.bombGauge, gauge + 1);
}

}  // namespace
}  // namespace korvid
