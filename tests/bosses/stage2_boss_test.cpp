// The stage-2 airship's fights played out: the boss flying in during its
// conversation, every pattern's hand-over (hit points, limit, card) and
// drops, the mid-boss handing the stage back at 4851, the closing
// conversation, one card's bonus with and without a bomb, and the body
// turning toward the ship no faster than its rate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BossFight.h"
#include "bosses/FightRegistry.h"
#include "bosses/Stage2Airship.h"
#include "play/Player.h"

namespace korvid {
namespace {

using test::BossFight;

TEST(Stage2Boss, FliesInDuringItsConversationAndStopsAt128) {
    BossFight f(1, 2);
    f.s.character = 1;
    f.jumpTo(5000);
    ASSERT_EQ(f.s.bossActive, 1);
    EXPECT_EQ(f.s.bossPattern(), 9);
    EXPECT_EQ(f.s.dialogueActive, 1);
    EXPECT_EQ(f.s.dialoguePage, 1);
    EXPECT_EQ(f.s.dialoguePageCount, 7);
    EXPECT_EQ(f.s.bossTimeLeft, 1500);
    float last = f.boss.y;
    for (int i = 0; i < 40; ++i) {
        PlayFrame(f.game);
        EXPECT_GE(f.boss.y, last);
        last = f.boss.y;
    }
    EXPECT_EQ(f.s.dialogueActive, 1) << "no key pressed: the conversation waits";
    EXPECT_FLOAT_EQ(f.boss.y, 128);
    EXPECT_FLOAT_EQ(f.boss.scaleX, 1.5f);
}

// Each pattern shot down at its timer 300: its drops, then (after the
// interlude) the next pattern with its hit points, limit and card flag.
TEST(Stage2Boss, EveryPatternHandsOverWithItsNumbersAndDrops) {
    struct HandOver {
        int id, points, power, bombPiece, next;
        float maxHp;
        int limit;
        bool card;
    };
    const HandOver kRows[] = {
        {9, 20, 5, 0, 10, 1000, 1800, true},
        {10, 10, 2, 0, 11, 800, 1800, false},
        {11, 10, 2, 0, 12, 1200, 1800, true},
        {12, 10, 2, 0, 13, 2000, 2100, true},
    };
    for (const HandOver& r : kRows) {
        BossFight f(1, 2);
        f.placeBoss(r.id, 300, 0);
        f.bossFrame();
        EXPECT_EQ(f.boss.timer, -299) << r.id;
        EXPECT_EQ(f.itemsOfKind(3), r.points) << r.id;
        EXPECT_EQ(f.itemsOfKind(2), r.power) << r.id;
        EXPECT_FLOAT_EQ(f.boss.maxHp, r.maxHp) << r.id;
        for (int i = 0; i < 600 && f.s.bossPattern() == r.id; ++i) f.bossFrame();
        EXPECT_EQ(f.s.bossPattern(), r.next) << r.id;
        EXPECT_EQ(f.s.bossTimeLeft, r.limit) << r.id;
        EXPECT_EQ(f.s.spellActive, r.card ? 1 : 0) << r.id;
        EXPECT_FLOAT_EQ(f.boss.hp, f.boss.maxHp) << r.id;
    }
}

// The mid-boss leaves a bomb piece with its items and hands the stage back
// at 4851 with the floor racing. (One fight a test: a Game is about 5 MB, and
// two in one test body outgrow the main thread's 8 MB stack.)
TEST(Stage2Boss, TheMidBossHandsBackWithTheFloorRacing) {
    BossFight mid(1, 2);
    mid.s.stageFrame = 4850;
    mid.placeBoss(8, 300, 0);
    mid.bossFrame();
    EXPECT_EQ(mid.itemsOfKind(3), 10);
    EXPECT_EQ(mid.itemsOfKind(6), 1);
    for (int i = 0; i < 70 && mid.s.bossActive; ++i) mid.bossFrame();
    EXPECT_EQ(mid.s.bossActive, 0);
    EXPECT_EQ(mid.s.stageFrame, 4851);
    EXPECT_EQ(mid.s.scrollSpeed, 32);
}

// The boss's last card leaves nothing and opens the closing conversation 70
// frames on (pages by character).
TEST(Stage2Boss, TheLastCardEndsInTheClosingTalk) {
    const int first[3] = {12, 12, 8}, last[3] = {15, 15, 9};
    for (int c = 1; c <= 3; ++c) {
        BossFight f(1, 2);
        f.s.character = c;
        f.placeBoss(13, 300, 0);
        f.bossFrame();
        EXPECT_EQ(f.itemsOfKind(3), 0);
        for (int i = 1; i < 70; ++i) f.bossFrame();
        EXPECT_EQ(f.s.dialogueActive, 0);
        f.bossFrame();
        EXPECT_EQ(f.s.dialogueActive, 1) << c;
        EXPECT_EQ(f.s.dialoguePage, first[c - 1]) << c;
        EXPECT_EQ(f.s.dialoguePageCount, last[c - 1]) << c;
        EXPECT_EQ(f.s.bossClosingTalk, 1);
    }
}

// Card 10 (bonus base 350000 by the card table) shot down: a clean card
// pays, a bombed one does not.
TEST(Stage2Boss, CardTenPaysItsBonusUnlessABombWasUsed) {
    for (bool bomb : {false, true}) {
        BossFight f(1, 2);
        ASSERT_TRUE(BringInFightAt(f.game, 10));
        ASSERT_EQ(f.s.spellActive, 1);
        if (bomb) StartBomb(f.game, false);
        while (f.boss.timer < 300) PlayFrame(f.game);
        const std::int64_t before = f.s.score;
        f.s.effects.free.fill(1);
        f.boss.hp = 0;
        f.bossFrame();
        if (bomb)
            EXPECT_EQ(f.s.score, before);
        else
            EXPECT_GT(f.s.score, before);
        EXPECT_EQ(f.s.spellActive, 0);
    }
}

// While aiming the body turns at most 2 degrees a frame (3 on Hard), and
// the gun ports turn with it about the boss.
TEST(Stage2Boss, TheBodyTurnsTowardTheShipAtItsRate) {
    for (int d : {1, 2}) {
        BossFight f(d, 2);
        f.placeBoss(9, 0, 700);
        f.s.bossRotation = 0;
        f.s.playerX = 448;
        f.s.playerY = 143;  // straight to the right: 90 degrees away
        for (int t = 101; t < 130; ++t) {
            f.boss.timer = t;
            const float before = f.s.bossRotation;
            f.bossFrame();
            EXPECT_NEAR(f.s.bossRotation - before, d >= 2 ? -3 : -2, 1e-3) << t;
        }
        const PortPoint right = GunPort(f.game, 1);
        const double r = std::hypot(right.x - f.boss.x, right.y - f.boss.y);
        EXPECT_NEAR(r, std::hypot(kPortAside, kPortAhead), 1e-3);
    }
}

}  // namespace
}  // namespace korvid

namespace korvid {
namespace {

// Card 13's broad-laser fans never run straight down below the boss: on
// every difficulty each fan leaves the middle of a gap there (its nearest
// lasers on both sides, at least four degrees off), and its off side turns
// from fan to fan.
// On Hard the thin-laser rain keeps out of the wedge below the boss as well
// (it once closed every lane between the broad lasers).
TEST(Stage2Boss, CardThirteenLeavesAGapStraightBelowTheBoss) {
    for (int d = 0; d < 3; ++d) {
        BossFight f(d, 2);
        f.placeBoss(13, 101, 2000);
        int fans = 0, lastSide = 0, rain = 0;
        for (int i = 0; i < 400; ++i) {
            f.s.enemyBullets.free.fill(1);
            f.bossFrame();
            double left = 1e9, right = 1e9, sum = 0;
            int broad = 0;
            for (int b = 0; b < EnemyBulletPool::kCapacity; ++b) {
                const EnemyBullet& e = f.s.enemyBullets.slot[b];
                if (f.s.enemyBullets.free[b]) continue;
                if (d == 2 && e.scaleX == 1.5f) {
                    ++rain;
                    const double a = std::fmod(e.angle + 360.0, 360.0);
                    EXPECT_TRUE(a <= 161 || a >= 198) << "a rain laser at " << a << " on frame " << i;
                }
                if (e.scaleX != 3) continue;
                ++broad;
                const double off = e.angle - 180.0;
                sum += off;
                if (off < 0) left = std::min(left, -off);
                else right = std::min(right, off);
            }
            if (broad == 0) continue;
            ++fans;
            EXPECT_GE(left, 4.0) << "difficulty " << d << " frame " << i;
            EXPECT_GE(right, 4.0) << "difficulty " << d << " frame " << i;
            EXPECT_LT(left, 1e9) << "a fan all to one side";
            EXPECT_LT(right, 1e9) << "a fan all to one side";
            const int side = sum < 0 ? -1 : 1;  // the fan's lean
            EXPECT_NE(side, lastSide) << "difficulty " << d << " frame " << i;
            lastSide = side;
        }
        EXPECT_GE(fans, 8) << d;
        if (d == 2) {
            EXPECT_GE(rain, 8 * 50);
        }
    }
}

}  // namespace
}  // namespace korvid
