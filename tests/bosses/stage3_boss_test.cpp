// Stage 3's fights played out: the mid-boss's conversation turning its pages
// by time alone, its card stopping time for exactly 60 frames on Normal
// (the stage clock held, bullets still, no sound) and never on Easy, a stop
// cut short by the card's end lifted at once, and the stage running on at
// scroll speed 2.5 after the mid-boss.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BossFight.h"
#include "bosses/Stage3Boss.h"
#include "engine/Sprite.h"

namespace korvid {
namespace {

using test::BossFight;

struct Stage3Fight : BossFight {
    explicit Stage3Fight(int difficulty) : BossFight(difficulty, 3) {
        s.character = 1;
        game.uiSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 0, 0);
    }
    int firstLiveBullet() const {
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!s.enemyBullets.free[i]) return i;
        return -1;
    }
    // Plays until timeStop is set (or `limit` frames pass).
    bool playToFreeze(int limit) {
        for (int i = 0; i < limit && !s.timeStop; ++i) PlayFrame(game);
        return s.timeStop == 1;
    }
};

TEST(Stage3MidBoss, TalksOnFixedFramesThenStopsTimeForExactly60FramesOnNormal) {
    Stage3Fight f(1);
    f.jumpTo(3960);
    ASSERT_EQ(f.s.dialogueActive, 1);
    ASSERT_EQ(f.s.dialoguePageCount, 5);
    // Shoot tapped on every other frame: the pages still turn by time alone.
    std::vector<int> turns;
    int page = f.s.dialoguePage;
    for (int guard = 0; guard < 1000 && f.s.dialogueActive; ++guard) {
        f.engine.keys['Z'] = f.s.stageFrame % 2 == 0;
        PlayFrame(f.game);
        if (f.s.dialoguePage != page) {
            turns.push_back(f.s.stageFrame);
            page = f.s.dialoguePage;
        }
    }
    f.engine.keys['Z'] = false;
    EXPECT_EQ(turns, (std::vector<int>{4051, 4142, 4233, 4324, 4415}));
    EXPECT_GT(f.boss.y, 100) << "it glided down while talking";

    ASSERT_TRUE(f.playToFreeze(400));
    EXPECT_EQ(f.s.spellActive, 1);
    const int clock = f.s.stageFrame;
    const int slot = f.firstLiveBullet();
    ASSERT_GE(slot, 0);
    const EnemyBullet held = f.s.enemyBullets.slot[slot];
    const std::size_t sounds = f.engine.plays.size();
    const int limit = f.s.bossTimeLeft;
    int frozen = 0;
    while (f.s.timeStop && frozen < 200) {
        ++frozen;
        EXPECT_EQ(f.s.stageFrame, clock);
        EXPECT_EQ(f.s.enemyBullets.slot[slot].x, held.x);
        EXPECT_EQ(f.s.enemyBullets.slot[slot].y, held.y);
        EXPECT_EQ(f.s.enemyBullets.slot[slot].age, held.age);
        EXPECT_EQ(f.s.bossTimeLeft, limit) << "the card keeps its time while time stands still";
        PlayFrame(f.game);
    }
    EXPECT_EQ(frozen, 60);
    EXPECT_EQ(f.engine.plays.size(), sounds) << "no sound while time stands still";
    const int after = f.s.stageFrame;
    PlayFrame(f.game);
    EXPECT_EQ(f.s.stageFrame, after + 1);
    EXPECT_EQ(f.s.enemyBullets.slot[slot].age, held.age + 2) << "it ages again from the frame time flows";
}

TEST(Stage3MidBoss, NeverStopsTimeOnEasy) {
    Stage3Fight f(0);
    f.jumpTo(3960);
    f.s.dialogueActive = 0;
    f.boss.timer = 0;
    int clock = f.s.stageFrame, bullets = 0;
    for (int i = 0; i < 800; ++i) {
        PlayFrame(f.game);
        ASSERT_EQ(f.s.timeStop, 0) << i;
        ASSERT_EQ(f.s.stageFrame, ++clock);
        bullets = std::max(bullets, f.firstLiveBullet() + 1);
    }
    EXPECT_GT(bullets, 0) << "the card fires all the same";
}

// A stop still running when the card ends is lifted with it: the clock and
// the sounds come back, and the stage runs on after the mid-boss leaves.
TEST(Stage3MidBoss, AStopCutShortByTheCardsEndIsLiftedAndTheStageRunsOn) {
    Stage3Fight f(2);
    f.jumpTo(3960);
    f.s.dialogueActive = 0;
    f.boss.timer = 0;
    ASSERT_TRUE(f.playToFreeze(400));
    for (int i = 0; i < 10; ++i) PlayFrame(f.game);
    ASSERT_EQ(f.s.timeStop, 1);
    f.boss.hp = 0;
    PlayFrame(f.game);
    EXPECT_EQ(f.s.spellActive, 0);
    EXPECT_EQ(f.boss.auxC, 0);
    EXPECT_EQ(f.itemsOfKind(6), 1) << "the bomb piece";
    const int clock = f.s.stageFrame;
    for (int i = 0; i < 5; ++i) {
        PlayFrame(f.game);
        EXPECT_EQ(f.s.timeStop, 0);
    }
    EXPECT_EQ(f.s.stageFrame, clock + 5);
    for (int i = 0; i < 240 && f.s.bossActive; ++i) PlayFrame(f.game);
    EXPECT_EQ(f.s.bossActive, 0);
    EXPECT_FLOAT_EQ(f.s.scrollSpeed, 2.5f);
    const int resumed = f.s.stageFrame;
    f.playTo(resumed + 10);
    EXPECT_EQ(f.s.stageFrame, resumed + 10);
}

}  // namespace
}  // namespace korvid
