// The stage-1 fights played out: the mid-boss's shared time limit and its
// hand-back to the stage, the spell cards' bonus and how it is lost, the
// drops of every pattern and the end of the stage.
#include <gtest/gtest.h>

#include <algorithm>

#include "BossFight.h"
#include "play/Player.h"

namespace korvid {
namespace {

using test::BossFight;

int effectsAt(const GameState& s, int tex, int texX, int texY) {
    int n = 0;
    for (int i = 0; i < kEffectCapacity; ++i) {
        const EffectSprite& e = s.effects.slot[i];
        n += !s.effects.free[i] && e.texX == texX && e.texY == texY && e.sprite.quad.tex == s.textures[tex];
    }
    return n;
}
int failedCaptions(const GameState& s) { return effectsAt(s, 9, 256, 384); }
int bonusCaptions(const GameState& s) { return effectsAt(s, 9, 256, 96); }

TEST(Stage1MidBoss, UndamagedItTimesOutDrainsAndHandsTheStageBack) {
    BossFight f;
    f.jumpTo(4400);
    ASSERT_EQ(f.s.bossActive, 1);
    ASSERT_EQ(f.s.enemies.free[kBossSlot], 0);
    EXPECT_EQ(f.s.bossPattern(), 1);
    // The spawn frame takes one refill step (and rises a pixel) but does not hand over.
    EXPECT_FLOAT_EQ(f.boss.hp, 714);
    EXPECT_FLOAT_EQ(f.boss.y, -1);
    EXPECT_EQ(f.boss.timer, 1);

    f.playTo(4500);
    EXPECT_EQ(f.engine.loads.back(), "Music/music1boss.ogg") << "the boss music starts at its timer 100";
    f.playTo(6799);
    EXPECT_EQ(f.s.bossPattern(), 1);
    EXPECT_EQ(f.s.bossTimeLeft, 1);
    EXPECT_EQ(f.s.bossTimedOut, 0);

    f.playTo(6800);
    EXPECT_EQ(f.s.bossTimedOut, 1);
    EXPECT_EQ(f.s.bossPattern(), 3) << "the time-out jumps to the last attack";
    EXPECT_FLOAT_EQ(f.boss.hp, 700 - 35);
    f.playTo(6818);
    EXPECT_GT(f.boss.hp, 0);
    EXPECT_GT(f.boss.timer, 0);
    f.playTo(6819);
    EXPECT_LE(f.boss.hp, 0);
    EXPECT_EQ(f.boss.timer, -299) << "the pattern ended on this frame";
    EXPECT_EQ(f.itemsOfKind(6), 1);

    f.playTo(6868);
    EXPECT_EQ(f.engine.loads.back(), "Music/music1boss.ogg");
    f.playTo(6869);
    EXPECT_EQ(f.engine.loads.back(), "Music/music1.ogg");
    ASSERT_FALSE(f.engine.positions.empty());
    EXPECT_EQ(f.engine.positions.back(), 16);

    f.playTo(6878);
    EXPECT_EQ(f.s.bossActive, 1);
    PlayFrame(f.game);  // frame 6879
    EXPECT_EQ(f.s.stageFrame, 4501) << "the stage resumes right after the entry";
    EXPECT_EQ(f.s.bossActive, 0);
    EXPECT_EQ(f.s.enemies.free[kBossSlot], 1);
    EXPECT_EQ(f.s.scrollSpeed, 2);
    EXPECT_EQ(f.s.backgroundShake, 0);
}

// Plays the boss from its entry to its first spell card, shooting down its
// first attack at once, and stops on the card's timer `t`.
void toCard5(BossFight& f, int t) {
    f.bringInBoss();
    while (f.s.bossPattern() == 4) {
        if (f.boss.timer == 101) f.boss.hp = 0;
        PlayFrame(f.game);
    }
    ASSERT_EQ(f.s.bossPattern(), 5);
    ASSERT_EQ(f.s.spellActive, 1);
    EXPECT_EQ(f.s.spellTimeLimit, 1500);
    EXPECT_FLOAT_EQ(f.boss.x, 224);
    EXPECT_FLOAT_EQ(f.boss.y, 143);
    while (f.boss.timer < t) PlayFrame(f.game);
}

TEST(Stage1SpellCards, CardFiveShotDownPaysItsTimeBonusByDifficulty) {
    const std::int64_t perFrame[3] = {600, 800, 1000};
    for (int d = 0; d < 3; ++d) {
        BossFight f(d);
        toCard5(f, 300);
        const int left = f.s.bossTimeLeft;
        ASSERT_GT(left, 0);
        ASSERT_LT(left, 1500);
        const std::int64_t before = f.s.score;
        f.s.effects.free.fill(1);  // room for the caption and digits
        f.boss.hp = 0;
        f.bossFrame();
        EXPECT_EQ(f.s.score - before, perFrame[d] * left) << "difficulty " << d;
        EXPECT_EQ(f.s.spellActive, 0);
        EXPECT_EQ(bonusCaptions(f.s), 1);
        EXPECT_EQ(failedCaptions(f.s), 0);
        EXPECT_EQ(f.s.soundRequests[19], 1);
    }
}

// A bomb spoils the card: "Bonus Failed". A card that outlasts its time
// was not spoiled: "Spell Card Bonus" with the value 0.
TEST(Stage1SpellCards, ABombSpoilsTheCardATimeOutPaysNothing) {
    {
        BossFight f;
        f.s.character = 1;
        toCard5(f, 250);
        StartBomb(f.game, false);
        f.s.invincibleTimer = 1 << 28;
        while (f.boss.timer < 400) PlayFrame(f.game);
        const std::int64_t before = f.s.score;
        f.s.effects.free.fill(1);
        f.boss.hp = 0;
        f.bossFrame();
        EXPECT_EQ(f.s.score, before) << "a bomb during the card forfeits its bonus";
        EXPECT_EQ(failedCaptions(f.s), 1);
        EXPECT_EQ(bonusCaptions(f.s), 0);
    }
    {
        BossFight f;
        toCard5(f, 200);
        while (f.s.bossTimeLeft > 1) PlayFrame(f.game);
        // From here only the stage's gate and the boss run, so the score
        // can only move through the card's end.
        const std::int64_t before = f.s.score;
        f.s.effects.free.fill(1);
        while (f.boss.timer >= 0) f.gateAndBoss();
        EXPECT_EQ(f.s.bossTimedOut, 1);
        EXPECT_EQ(f.s.bossPattern(), 5);
        EXPECT_EQ(f.s.score, before) << "a timed-out card pays nothing";
        EXPECT_EQ(failedCaptions(f.s), 0);
        EXPECT_EQ(bonusCaptions(f.s), 1);
        // The interlude after a time-out still reaches the next pattern, with its own limit.
        while (f.s.bossPattern() == 5) f.gateAndBoss();
        EXPECT_EQ(f.s.bossPattern(), 6);
        EXPECT_EQ(f.s.bossTimeLeft, 1500);
        EXPECT_EQ(f.s.bossTimedOut, 0);
    }
}

TEST(Stage1Patterns, EveryEndDropsItsItemsButTheLast) {
    for (int id = 1; id <= 7; ++id) {
        BossFight f;
        f.placeBoss(id, 300, 0);
        f.bossFrame();
        EXPECT_EQ(f.boss.timer, -299) << "pattern " << id;
        EXPECT_EQ(f.itemsOfKind(3), id == 7 ? 0 : 10) << "pattern " << id;
        EXPECT_EQ(f.itemsOfKind(2), id == 7 ? 0 : 2) << "pattern " << id;
        EXPECT_EQ(f.itemsOfKind(6), id == 3 ? 1 : 0) << "pattern " << id;
    }
}

TEST(Stage1Patterns, TheLastPatternClearsTheStageSeventyFramesOn) {
    BossFight f;
    f.s.stageFrame = 8000;
    f.placeBoss(7, 900, 0);
    f.bossFrame();
    for (int i = 1; i < 70; ++i) {
        f.bossFrame();
        ASSERT_EQ(f.s.bossActive, 1) << i;
    }
    EXPECT_EQ(f.s.stageFrame, 8000);
    f.s.soundRequests.fill(0);
    f.bossFrame();
    EXPECT_EQ(f.s.stageFrame, 100000);
    EXPECT_EQ(f.s.stageCleared, 1);
    EXPECT_EQ(f.s.bossActive, 0);
    EXPECT_EQ(f.s.enemies.free[kBossSlot], 1);
    EXPECT_EQ(f.s.soundRequests[7], 1);
    EXPECT_EQ(f.s.backgroundShake, 0);
}

TEST(Stage1Patterns, BossInterludeRefillsAfterATimeOut) {
    BossFight f;
    f.placeBoss(4, 300, 0);
    f.boss.x = 60;
    f.boss.y = 300;
    f.s.bossTimeLeft = 1;
    f.s.stageFrame = 7500;
    f.gateAndBoss();  // times out and ends on this frame
    ASSERT_EQ(f.s.bossTimedOut, 1);
    ASSERT_LT(f.boss.timer, 0);
    const float start = f.boss.hp;
    for (int i = 0; i < 20; ++i) f.gateAndBoss();
    EXPECT_GT(f.boss.hp, start + 19 * 1200 / 50.0f) << "no drain between patterns";
    while (f.s.bossPattern() == 4) f.gateAndBoss();
    EXPECT_EQ(f.s.bossPattern(), 5);
    EXPECT_EQ(f.s.spellActive, 1);
    EXPECT_EQ(f.s.spellTimeLimit, 1500);
}

}  // namespace
}  // namespace korvid
