// Stage 2 played out: the frame -63 set-up (floor, fog, camera), the
// popcorn generator by difficulty and power and its counter across a
// retry, the floor panels' drift and wrap, and the script's arrivals up to
// the mid-boss.
#include <gtest/gtest.h>

#include <vector>

#include "app/FrameDriver.h"
#include "game/PoolSteps.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "stages/BgPanels.h"
#include "stages/Stage2.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

// The script alone, frame by frame, on an empty field.
struct ScriptRun {
    test::TestGame t;
    GameState& s = t.s;
    explicit ScriptRun(int difficulty) {
        s.screen = 10;
        s.stage = 2;
        s.difficulty = difficulty;
        StageLoadReset(s);
    }
    void at(int f) {
        s.stageFrame = f;
        RunStage2(*t.game);
    }
    int countEnemies(int type) const {
        int n = 0;
        for (int i = 0; i < kBossSlot; ++i) n += !s.enemies.free[i] && s.enemies.slot[i].type == type;
        return n;
    }
    // Frees every ordinary enemy so the pool never fills.
    void clearEnemies() {
        for (int i = 0; i < kBossSlot; ++i) s.enemies.free[i] = 1;
    }
};

TEST(Stage2Script, FrameMinus63LaysTheFloorTheFogAndTheCamera) {
    ScriptRun run(1);
    run.at(-63);
    int panels = 0;
    for (int i = 0; i < kBgPanelCapacity; ++i) {
        if (run.s.bgPanels.free[i]) continue;
        ++panels;
        const BgPanel& p = run.s.bgPanels.slot[i];
        EXPECT_EQ(p.kind, 4);
        EXPECT_EQ(p.height, 401);
    }
    EXPECT_EQ(panels, 17 * 23);
    int fogs = 0;
    for (int i = 0; i < kEffectCapacity; ++i)
        fogs += !run.s.effects.free[i] && run.s.effects.slot[i].type == 5;
    EXPECT_EQ(fogs, 2);
    EXPECT_FLOAT_EQ(run.s.camPitch, 10.001f);
    EXPECT_FLOAT_EQ(run.s.camYaw, 0.001f);
    EXPECT_EQ(run.s.scrollSpeed, 5);

    // A floor panel drifts 12 nearer and 6 left a frame; on its jump back
    // it is carried right by all it drifted since the last one.
    const int slot = SpawnBgPanel(*run.t.game, 34, 0, 0, 240, 280, 100, 160, 401, 0, 90, 4);
    ASSERT_GE(slot, 0);
    run.s.bgPanels.slot[slot].timer = 299;
    UpdateBgPanel(*run.t.game, slot);
    const BgPanel& p = run.s.bgPanels.slot[slot];
    EXPECT_EQ(p.depth, 160 - 12 + 4760);
    EXPECT_EQ(p.x, 100 - 6 + 6 * 300);
    EXPECT_EQ(p.timer, 0);
}

// Easy: the counter counts but nothing comes. Normal at power 60: one
// type-11 every 50 frames. A retry starts the count afresh.
TEST(Stage2Script, PopcornFollowsDifficultyAndPowerAndRestartsOnARetry) {
    ScriptRun easy(0);
    int spawned = 0;
    for (int f = 0; f <= 4799; ++f) {
        easy.at(f);
        spawned += easy.countEnemies(11);
        easy.clearEnemies();
    }
    EXPECT_EQ(spawned, 0);
    EXPECT_EQ(easy.s.popcornCounter, 4800);

    ScriptRun normal(1);
    normal.s.power = 60;
    std::vector<int> frames;
    for (int f = 0; f < 400; ++f) {
        normal.at(f);
        if (normal.countEnemies(11) > 0) frames.push_back(f);
        normal.clearEnemies();
    }
    ASSERT_EQ(frames.size(), 8u);
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], 49 + 50 * static_cast<int>(i));

    // Halfway to the next one, the stage is restarted: the count is 0 and
    // the first popcorn comes 50 frames in again.
    normal.at(420);
    EXPECT_GT(normal.s.popcornCounter, 0);
    StageLoadReset(normal.s);
    EXPECT_EQ(normal.s.popcornCounter, 0);
}

// The script's arrivals: the converging pair's heights are drawn y1 then
// y2; crossers come in from both sides at speed 4; the mid-boss fades in at
// 4850 where it stands with its time limit, and the timeline stops.
TEST(Stage2Script, WavesArriveAndTheMidBossComesAt4850) {
    ScriptRun run(1);
    run.s.rng.seed(1234);
    GameRandom expect = run.s.rng;
    run.at(450);
    const int y1 = expect.next() % 96 + 128;
    const int y2 = expect.next() % 96 + 128;
    std::vector<float> ys;
    for (int i = 0; i < kBossSlot; ++i)
        if (!run.s.enemies.free[i] && run.s.enemies.slot[i].type == 6) ys.push_back(run.s.enemies.slot[i].y);
    ASSERT_EQ(ys.size(), 2u);
    EXPECT_EQ(ys[0], y1);
    EXPECT_EQ(ys[1], y2);
    run.clearEnemies();

    run.at(2380);
    EXPECT_EQ(run.countEnemies(9), 2);
    run.clearEnemies();

    run.at(4850);
    EXPECT_EQ(run.s.bossActive, 1);
    EXPECT_EQ(run.s.bossPattern(), 8);
    EXPECT_EQ(run.s.bossTimeLeft, 1200);
    const Enemy& boss = run.s.enemies.slot[kBossSlot];
    EXPECT_EQ(boss.alpha, 0);
    EXPECT_EQ(boss.scaleX, 1.5f);
    EXPECT_EQ(boss.maxHp, 800);
}

}  // namespace
}  // namespace korvid
