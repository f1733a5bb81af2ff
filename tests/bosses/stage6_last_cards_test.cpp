// The stage-6 boss's last cards played out: the slot machine's rounds, its
// judgement and its Easy form; the reversed controls of card 59 through a
// recorded replay and its partners; the three ways the stage goes on after
// card 60; a card spoiled by a bomb pays nothing; the two bars card 56 can
// leave card 57.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "BossFight.h"
#include "bosses/FightRegistry.h"
#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Boss.h"
#include "engine/Sprite.h"
#include "game/Input.h"

namespace korvid {
namespace {

using test::BossFight;

constexpr int kSpins = 3;  // bossVarArr entry: the spins done

struct Stage6Fight : BossFight {
    explicit Stage6Fight(int id, int difficulty = 1) : BossFight(difficulty, 6) {
        s.stageFrame = 7000;
        EXPECT_TRUE(BringInFightAt(game, id));
    }
    void bossTo(int t) {
        for (int guard = 0; boss.timer < t && guard < 20000; ++guard) bossFrame();
    }
    // The ship far from the machine's lever.
    void awayFromLever() {
        s.playerX = 40;
        s.playerY = 450;
    }
    int enemiesOfType(int type) const {
        int n = 0;
        for (int i = 0; i < kBossSlot; ++i) n += !s.enemies.free[i] && s.enemies.slot[i].type == type;
        return n;
    }
    int partner(int type) const {
        for (int i = 0; i < kBossSlot; ++i)
            if (!s.enemies.free[i] && s.enemies.slot[i].type == type) return i;
        return -1;
    }
};

TEST(Stage6SlotMachine, LeftAloneItSpinsAtFrame1000RepeatsTwiceAndHoldsTheBarUntilItsReelsAreFull) {
    Stage6Fight f(58, 1);
    f.engine.textureFiles["Graphics/lastboss13.jpg"] = 13;
    const float maxHp = f.boss.maxHp;
    int pulls = 0, rewinds = 0, firstPullAt = -1;
    int lastTimer = f.boss.timer;
    while (f.s.bossPattern() == 58 && f.boss.timer < 1651) {
        f.awayFromLever();
        const int t = f.boss.timer;
        f.bossFrame();
        if (f.boss.timer == 1101 && t != 1100) {
            ++pulls;
            EXPECT_EQ(t, 1000) << "the machine pulls its own lever at 1000";
            if (firstPullAt < 0) firstPullAt = t;
        }
        if (t == 1650 && f.boss.timer == 251) ++rewinds;
        if (pulls == 1 && f.s.bossVarArr[kSpins] == 1) {
            EXPECT_EQ(f.s.bossVarArr[0], 2) << "the first reel";
        }
        EXPECT_FLOAT_EQ(f.boss.hp, 0.4f * maxHp) << "held at timer " << t;
        lastTimer = f.boss.timer;
    }
    EXPECT_EQ(firstPullAt, 1000);
    EXPECT_EQ(pulls, 3);
    EXPECT_EQ(rewinds, 2);
    EXPECT_EQ(f.s.bossVarArr[kSpins], 3);
    EXPECT_EQ(lastTimer, 1651);
    EXPECT_EQ(f.s.bossVarArr[0], 2);
    for (int r = 0; r < 3; ++r) EXPECT_GE(f.s.bossVarArr[r], 1) << "every reel filled";

    // Then the bar drains by itself, a two-hundredth of it a frame.
    for (int i = 0; i < 5; ++i) {
        const float before = f.boss.hp;
        f.bossFrame();
        EXPECT_NEAR(before - f.boss.hp, 0.005 * maxHp, 1e-3);
    }
    // ... down to 0.2, where card 59 takes over.
    for (int guard = 0; guard < 100 && f.s.bossPattern() == 58; ++guard) f.bossFrame();
    EXPECT_EQ(f.s.bossPattern(), 59);
    EXPECT_FLOAT_EQ(f.boss.maxHp, 6000);

    // The pull's and the reel's sounds were each loaded once for three spins.
    EXPECT_EQ(std::count(f.engine.loads.begin(), f.engine.loads.end(), "SE/dissolve_work.wav"), 1);
    EXPECT_EQ(std::count(f.engine.loads.begin(), f.engine.loads.end(), "SE/dissolved.wav"), 1);
    EXPECT_EQ(std::count_if(f.engine.plays.begin(), f.engine.plays.end(),
                            [&](const auto& p) { return p.first == f.s.slotPullSound; }),
              3);
}

TEST(Stage6SlotMachine, TouchingTheLeverPullsIt) {
    Stage6Fight f(58, 2);
    f.bossTo(200);
    f.awayFromLever();
    f.bossFrame();
    EXPECT_EQ(f.boss.timer, 201) << "not touched";
    f.s.playerX = 224 + 20;
    f.s.playerY = 330 + 20;  // 28 pixels off
    f.bossFrame();
    EXPECT_EQ(f.boss.timer, 1101);
    EXPECT_GE(f.s.bossVarX, 1);
    EXPECT_LE(f.s.bossVarX, 5);
}

// The reels judged on frame 1652 of a full machine.
// Fights are large (the replay record): tests with several keep them on the heap.
template <typename Fight, typename... Args>
std::unique_ptr<Fight> make(Args... args) {
    return std::make_unique<Fight>(args...);
}

struct Judged : Stage6Fight {
    Judged(float a, float b, float c, bool bonusLost) : Stage6Fight(58, 1) {
        bossTo(200);
        s.bossVarArr[0] = a;
        s.bossVarArr[1] = b;
        s.bossVarArr[2] = c;
        s.bossVarArr[kSpins] = 3;
        s.spellBonusLost = bonusLost ? 1 : 0;
        boss.timer = 1651;
        bossFrame();
        bossFrame();
    }
};

TEST(Stage6SlotMachine, ThreeOfAKindPayTwoOfAKindDoNotAndTheSevensOpenTheWayEvenAfterABomb) {
    {
        auto f = make<Judged>(4.0f, 4.0f, 1.0f, false);
        EXPECT_EQ(f->itemsOfKind(3), 0) << "two of a kind pay nothing";
        EXPECT_EQ(f->s.wideFieldFightStarted, 0);
    }
    {
        auto f = make<Judged>(2.0f, 2.0f, 5.0f, false);
        EXPECT_EQ(f->s.wideFieldFightStarted, 0);
    }
    {
        auto f = make<Judged>(2.0f, 2.0f, 2.0f, true);
        EXPECT_EQ(f->s.wideFieldFightStarted, 1) << "symbol 2 opens the way whatever became of the bonus";
    }
    {
        auto f = make<Judged>(4.0f, 4.0f, 4.0f, true);
        EXPECT_EQ(f->itemsOfKind(3), 0) << "the other jackpots need the bonus";
    }
    {
        auto f = make<Judged>(4.0f, 4.0f, 4.0f, false);
        ASSERT_EQ(f->itemsOfKind(3), 50);
        for (int i = 0; i < kItemCapacity; ++i) {
            if (f->s.items.free[i] || f->s.items.slot[i].kind != 3) continue;
            EXPECT_LE(std::abs(f->s.items.slot[i].x - f->boss.x), 48.5f) << "scattered round the boss";
            EXPECT_LE(std::abs(f->s.items.slot[i].y - f->boss.y), 48.5f);
        }
    }
    {
        // A jackpot on another symbol closes a way opened before.
        auto f = make<Stage6Fight>(58, 1);
        f->s.wideFieldFightStarted = 1;
        f->bossTo(200);
        for (int r = 0; r < 3; ++r) f->s.bossVarArr[r] = 5;
        f->s.bossVarArr[kSpins] = 3;
        f->boss.timer = 1652;
        f->bossFrame();
        EXPECT_EQ(f->s.wideFieldFightStarted, 0);
        EXPECT_EQ(f->itemsOfKind(2), 10);
    }
}

TEST(Stage6SlotMachine, OnEasyThereIsNoMachineAndTheCardCanBeShot) {
    auto machineQuads = [](int difficulty) {
        auto f = make<Stage6Fight>(58, difficulty);
        f->game.uiSprite = std::make_unique<Sprite>(f->engine, 0, 0.0f, 0.0f, 0.0f, 0.0f);
        f->awayFromLever();
        f->bossTo(300);
        const int before = f->engine.quadCount;
        f->bossFrame();
        return f->engine.quadCount - before;
    };
    // The boss's own picture is drawn either way; the machine adds strip,
    // frame and lever target.
    EXPECT_EQ(machineQuads(1) - machineQuads(0), 3);

    auto f = make<Stage6Fight>(58, 0);
    f->bossTo(300);
    const float start = f->boss.hp;
    f->boss.hp = start - 500;
    f->bossFrame();
    EXPECT_FLOAT_EQ(f->boss.hp, start - 500) << "not held";
    EXPECT_EQ(f->s.bossVarArr[kSpins], 0);
    EXPECT_LT(f->boss.timer, 1000);
    f->boss.hp = 0.2f * f->boss.maxHp;
    f->bossFrame();
    EXPECT_EQ(f->s.bossPattern(), 59);
}

TEST(Stage6Cards, ACardSpoiledByABombPaysNothing) {
    Stage6Fight f(57, 1);
    f.bossTo(200);
    f.s.spellBonusLost = 1;  // a bomb went off during the card
    const std::int64_t score = f.s.score;
    f.boss.hp = 0.4f * f.boss.maxHp;
    f.bossFrame();
    ASSERT_EQ(f.s.bossPattern(), 58);
    EXPECT_EQ(f.s.score, score);
}

TEST(Stage6Cards, Card56ShotDownLeavesCard57Its7000BarRunOutOfTimeA9000One) {
    {
        auto f = make<Stage6Fight>(56, 1);
        f->bossTo(200);
        f->boss.hp = 0.6f * f->boss.maxHp;
        f->bossFrame();
        ASSERT_EQ(f->s.bossPattern(), 57);
        EXPECT_FLOAT_EQ(f->boss.maxHp, 7000);
        EXPECT_FLOAT_EQ(f->boss.hp, 4200);
    }
    auto f = make<Stage6Fight>(56, 1);
    f->bossTo(200);
    f->s.bossTimeLeft = 1;
    for (int guard = 0; guard < 100 && f->s.bossPattern() == 56; ++guard) f->gateAndBoss();
    ASSERT_EQ(f->s.bossPattern(), 57);
    EXPECT_FLOAT_EQ(f->boss.maxHp, 9000);
    EXPECT_FLOAT_EQ(f->boss.hp, 1800);
    EXPECT_EQ(f->s.bossTimeLeft, kBarCardLimit) << "card 57 has its own time";
    f->bossTo(30);
    EXPECT_FLOAT_EQ(f->boss.hp, 0.6f * 9000) << "held at its opening's fraction";
    f->bossTo(200);
    f->boss.hp = 0.4f * 9000;
    f->bossFrame();
    EXPECT_EQ(f->s.bossPattern(), 58) << "card 57 ends at 0.4 of the longer bar";
}

TEST(Stage6Cards, OnEasyCard59ReversesLeftAndRightThroughARecordedReplay) {
    std::vector<float> liveX;
    auto record = std::make_unique<std::array<std::int32_t, kReplayFramesPerStage>>();
    int firstFrame = 0, lastFrame = 0;
    {
        auto f = make<Stage6Fight>(59, 0);
        f->s.keyBindings[KeyLeft].code = 'A';
        f->bossTo(80);
        f->s.playerX = 224;
        firstFrame = f->s.replayFrame;
        f->engine.keys['A'] = true;  // Left held for 40 frames
        for (int i = 0; i < 40; ++i) {
            PlayFrame(f->game);
            liveX.push_back(f->s.playerX);
        }
        lastFrame = f->s.replayFrame;
        *record = f->s.replayInputs[6];
        EXPECT_GT(f->s.playerX, 224 + 40) << "Left moved the ship right";
        EXPECT_EQ(f->s.bossPattern(), 59);
    }
    ASSERT_GT(lastFrame, firstFrame);
    for (int cell = firstFrame + 1; cell <= lastFrame; ++cell) {
        EXPECT_NE((*record)[cell] & (1 << KeyLeft), 0) << "the key pressed is what is kept";
        EXPECT_EQ((*record)[cell] & (1 << KeyRight), 0);
    }

    auto f = make<Stage6Fight>(59, 0);
    f->bossTo(80);
    f->s.playerX = 224;
    ASSERT_EQ(f->s.replayFrame, firstFrame);
    f->s.replayPlaying = 1;
    f->s.replayInputs[6] = *record;
    f->s.replayStageFrames[6] = lastFrame;
    for (int i = 0; i < 40; ++i) {
        PlayFrame(f->game);
        EXPECT_FLOAT_EQ(f->s.playerX, liveX[i]) << "frame " << i;
    }
}

TEST(Stage6Cards, Card59BringsItsPartnersWhoLeaveAtTheRingsFractions) {
    Stage6Fight f(59, 1);
    f.bossTo(62);
    ASSERT_EQ(f.enemiesOfType(61), 1);
    ASSERT_EQ(f.enemiesOfType(62), 1);
    const Enemy& left = f.s.enemies.slot[f.partner(61)];
    const Enemy& right = f.s.enemies.slot[f.partner(62)];
    auto step = [&] {
        f.bossFrame();
        for (int i = 0; i < kBossSlot; ++i)
            if (!f.s.enemies.free[i]) UpdateEnemy(f.game, i);
    };
    step();
    EXPECT_EQ(left.noHit, 1);
    EXPECT_EQ(right.noHit, 1);
    // 61 is drawn with its canopy on top, and still where it is next frame.
    EXPECT_FLOAT_EQ(left.sprite.hotX, 32);
    EXPECT_FLOAT_EQ(left.sprite.hotY, 48);

    f.boss.hp = 0.13f * f.boss.maxHp;
    step();
    EXPECT_EQ(left.noHit, 0) << "61 leaves at 0.13";
    EXPECT_FLOAT_EQ(left.speed, 2.5f);
    EXPECT_EQ(right.noHit, 1);
    // Between 0.13 and 0.125, 62 drains the boss.
    const float before = f.boss.hp;
    step();
    EXPECT_LT(f.boss.hp, before);

    f.boss.hp = 0.07f * f.boss.maxHp;
    step();
    EXPECT_EQ(right.noHit, 0) << "62 leaves at 0.07";
    EXPECT_FLOAT_EQ(right.speed, 3.5f);
    // Both gone: the bar drains 3 a frame by itself.
    const float drained = f.boss.hp;
    f.bossFrame();
    EXPECT_FLOAT_EQ(f.boss.hp, drained - 3);
}

struct Ending {
    int difficulty;
    bool wayOpen;
    int stageFrame;
    int cleared;
    float scroll;
    bool portrait;
};

TEST(Stage6Cards, Card60EndsTheStageOnEasyAndHandsOnTo8200Or8600Otherwise) {
    const Ending endings[] = {
        {0, false, 100000, 1, 0, false},
        {0, true, 100000, 1, 0, false},
        {1, false, 8200, 0, 32, true},
        {2, true, 8600, 0, 32, true},
    };
    for (const Ending& e : endings) {
        SCOPED_TRACE(testing::Message() << "difficulty " << e.difficulty << " way open " << e.wayOpen);
        auto fight = make<Stage6Fight>(60, e.difficulty);
        Stage6Fight& f = *fight;
        f.engine.textureFiles["Graphics/lastboss16.jpg"] = 716;
        f.s.wideFieldFightStarted = e.wayOpen;
        f.s.scrollSpeed = 5;
        f.bossTo(100);
        f.boss.hp = 0;
        int frames = 0;
        while (f.s.bossActive && frames < 200) {
            f.bossFrame();
            ++frames;
        }
        EXPECT_EQ(frames, 71) << "the defeat runs 70 frames after the card falls";
        EXPECT_EQ(f.s.bossActive, 0);
        EXPECT_EQ(f.s.stageFrame, e.stageFrame);
        EXPECT_EQ(f.s.stageCleared, e.cleared);
        EXPECT_FLOAT_EQ(f.s.scrollSpeed, e.scroll);
        EXPECT_EQ(f.s.textures[35] == 716, e.portrait) << "the portrait on every route of Normal and above";
    }
}

TEST(Stage6Cards, Card54sEmittersLockOntoTheBossAndFireFromFrame280OfTheirCycle) {
    Stage6Fight f(54, 1);
    f.bossTo(61);
    auto count = [&](int behaviour, int texX) {
        int n = 0;
        for (int i = 0; i < kEnemyBulletCapacity; ++i) {
            const EnemyBullet& b = f.s.enemyBullets.slot[i];
            n += !f.s.enemyBullets.free[i] && b.behavior == behaviour && (texX < 0 || b.texX == texX);
        }
        return n;
    };
    auto step = [&] {
        f.bossFrame();
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!f.s.enemyBullets.free[i]) UpdateEnemyBullet(f.game, i);
    };
    EXPECT_EQ(count(85, 0), 3) << "three emitters on Normal";
    while (f.boss.timer < 60 + 70) step();
    EXPECT_EQ(count(86, -1), 3) << "locked onto the boss";
    const int children = count(0, 32);
    while (f.boss.timer < 60 + 290) step();
    EXPECT_EQ(count(85, 0), 3) << "back to 85 at 280";
    EXPECT_GT(count(0, 32), children) << "firing outward";
}

}  // namespace
}  // namespace korvid
