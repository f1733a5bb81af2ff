// Stage 3's fights played out: the mid-boss's conversation turning its pages
// by time alone, its card stopping time for exactly 60 frames on Normal
// (the stage clock held, bullets still, no sound) and never on Easy, a stop
// cut short by the card's end lifted at once, and the stage running on at
// scroll speed 2.5 after the mid-boss; the boss fading in during her
// conversation with her music at timer 100, every pattern handing over with
// its numbers, and the survival card ending exactly at its limit with no
// bonus, then the closing conversation and the clear.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BossFight.h"
#include "bosses/FightRegistry.h"
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

TEST(Stage3Boss, FadesInDuringHerConversationAndBringsHerMusicAt100) {
    Stage3Fight f(1);
    f.jumpTo(9200);
    ASSERT_EQ(f.s.bossActive, 1);
    EXPECT_EQ(f.s.bossPattern(), 15);
    EXPECT_EQ(f.s.dialogueActive, 1);
    EXPECT_EQ(f.s.dialoguePageCount, 14);
    EXPECT_LE(f.boss.alpha, 5) << "she comes in unseen";
    const int alpha = f.boss.alpha;
    for (int i = 0; i < 30; ++i) PlayFrame(f.game);
    EXPECT_EQ(f.boss.alpha, alpha + 150) << "5 a frame while they talk";
    f.s.dialogueActive = 0;
    f.boss.timer = 0;
    while (f.boss.timer < 100) PlayFrame(f.game);
    EXPECT_TRUE(f.engine.loads.empty() || f.engine.loads.back() != "Music/music3boss.mp3");
    PlayFrame(f.game);
    ASSERT_FALSE(f.engine.loads.empty());
    EXPECT_EQ(f.engine.loads.back(), "Music/music3boss.mp3");
}

// Each pattern shot down at its timer 300 hands over (after the interlude)
// to the next with its hit points, limit and card flag.
TEST(Stage3Boss, EveryPatternHandsOverWithItsNumbers) {
    struct HandOver {
        int id, next;
        float maxHp;
        int limit;
        bool card;
    };
    const HandOver kRows[] = {
        {15, 16, 1200, 2100, true},  {16, 17, 1200, 1800, false}, {17, 18, 1000, 2000, true},
        {18, 19, 1000, 1800, false}, {19, 20, 1200, 2100, true},  {20, 21, 100000000, 1800, true},
    };
    for (const HandOver& r : kRows) {
        BossFight f(1, 3);
        f.placeBoss(r.id, 300, 0);
        f.bossFrame();
        EXPECT_EQ(f.itemsOfKind(3), 10) << r.id;
        for (int i = 0; i < 600 && f.s.bossPattern() == r.id; ++i) f.bossFrame();
        EXPECT_EQ(f.s.bossPattern(), r.next) << r.id;
        EXPECT_FLOAT_EQ(f.boss.maxHp, r.maxHp) << r.id;
        EXPECT_EQ(f.s.bossTimeLeft, r.limit) << r.id;
        EXPECT_EQ(f.s.spellActive, r.card ? 1 : 0) << r.id;
    }
}

// The survival card cannot be shot down: it ends on the very frame its
// 1800 run out, pays nothing, and 70 frames on the closing conversation
// opens (pages 15..16, or 8..10 for the third character); its last page
// clears the stage.
TEST(Stage3Boss, TheSurvivalCardEndsExactlyAtItsLimitAddsNothingAndClosesTheStage) {
    const int first[3] = {15, 15, 8}, last[3] = {16, 16, 10};
    for (int c = 1; c <= 3; ++c) {
        BossFight f(1, 3);
        f.s.character = c;
        f.s.stageFrame = 9300;
        ASSERT_TRUE(BringInFightAt(f.game, 21));
        ASSERT_EQ(f.s.spellActive, 1);
        ASSERT_EQ(f.s.bossTimeLeft, 1800);
        const std::int64_t score = f.s.score;
        int frames = 0;
        while (f.s.spellActive && frames < 2000) {
            f.gateAndBoss();
            ++frames;
            if (frames == 600) f.boss.hp -= 50000;  // shots barely dent it
        }
        EXPECT_EQ(frames, 1800) << c;
        EXPECT_EQ(f.s.score, score) << "a survival card's bonus is 0";
        EXPECT_EQ(f.s.bossTimedOut, 1);
        for (int i = 0; i < 70; ++i) f.gateAndBoss();
        EXPECT_EQ(f.s.dialogueActive, 1) << c;
        EXPECT_EQ(f.s.dialoguePage, first[c - 1]) << c;
        EXPECT_EQ(f.s.dialoguePageCount, last[c - 1]) << c;
        f.s.dialogueActive = 0;
        f.gateAndBoss();
        EXPECT_EQ(f.s.stageCleared, 1) << c;
        EXPECT_EQ(f.s.bossActive, 0) << c;
    }
}

}  // namespace
}  // namespace korvid
