// The extra boss played out: its entry from a direct start (its own sheet,
// its bar held until frame 60, then its own), the tower's 3D pieces gone
// when 72 ends, the trip home between patterns with its refill (and 81's
// longer clock after a time-out), the flat bonuses of its cards (and 0 on a
// time-out), the paddle game's bounce, the last card's fades and its defeat
// leading to the staff roll; the sky's clock and its cleanup.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "BossFight.h"
#include "app/StateHash.h"
#include "bosses/ExtraBoss.h"
#include "bosses/ExtraBossAttacks.h"
#include "bosses/ExtraBossSky.h"
#include "bosses/FightRegistry.h"
#include "bosses/SpellCards.h"
#include "play/Hud.h"
#include "play/SceneList.h"
#include "stages/StageScript.h"

namespace korvid {
namespace {

using test::BossFight;

// Stage 7 on Extra, not in practice (a cleared practice goes to the replay
// save instead of the staff roll).
struct ExtraFight : BossFight {
    ExtraFight() : BossFight(3, 7) {
        // Past the stage's frozen opening, at the tower (the boss holds the
        // timeline once it is in).
        s.stageFrame = 12000;
        s.timeStop = 0;
    }
    int limitAtEntry = 0;
    void startAt(int id) {
        ASSERT_TRUE(BringInFightAt(game, id));
        limitAtEntry = s.bossTimeLeft;
        PlayFrame(game);  // the spawn frame: the boss driver runs from here
    }
    // Boss frames until the pattern changes (or `limit` frames).
    void untilPattern(int id, int limit = 2000) {
        for (int i = 0; i < limit && s.bossPattern() != id && s.bossActive; ++i) bossFrame();
    }
};

TEST(ExtraBoss, EntersHoldsItsBarClearsTheTowerAndFliesHomeToItsNextCard) {
    ExtraFight f;
    // The tower: two 3D faces and a flat particle.
    SpawnSceneObject(f.game, {40, 0, 0, 512, 512}, 0, 0, 0, 0, 0, 0, 3, 7);
    SpawnSceneObject(f.game, {33, 0, 0, 32, 32}, 0, 0, 0, 0, 2, 100, 120, 101);
    SpawnSceneObject(f.game, {40, 0, 0, 512, 256}, 0, 0, 0, 0, 0, 0, 3, 8);
    ASSERT_EQ(f.s.sceneObjectCount, 3);

    // Started directly (the stage never reached 12200), it still wears its
    // own sheet, not the mid-bosses' one the stage loaded.
    f.engine.textureFiles["Graphics/stg6enm2.png"] = 7034;
    f.startAt(72);
    EXPECT_EQ(f.s.textures[34], 7034u);
    EXPECT_EQ(f.boss.sprite.quad.tex, 7034u);
    EXPECT_EQ(f.s.bossPattern(), 72);
    EXPECT_EQ(f.limitAtEntry, 2400);
    EXPECT_FLOAT_EQ(f.boss.maxHp, 3500);
    EXPECT_EQ(f.s.spellActive, 0);
    // Held at the bar it came with until frame 60, gliding in from the left.
    float lastX = f.boss.x;
    while (f.boss.timer < 60) {
        f.boss.hp = 10;
        f.bossFrame();
        EXPECT_FLOAT_EQ(f.boss.hp, f.boss.timer <= 60 ? f.boss.maxHp : 10) << f.boss.timer;
        EXPECT_GE(f.boss.x, lastX);
        lastX = f.boss.x;
    }
    EXPECT_FLOAT_EQ(f.boss.maxHp, 3500);
    f.bossFrame();  // frame 60: its own bar
    EXPECT_FLOAT_EQ(f.boss.maxHp, ExtraBossOwnHp(72));
    EXPECT_FLOAT_EQ(f.boss.maxHp, 1200);
    EXPECT_FLOAT_EQ(f.boss.hp, 1200);
    EXPECT_GT(f.boss.x, 100) << "glided in";

    for (int i = 0; i < 200; ++i) f.bossFrame();
    f.boss.hp = 0;
    f.bossFrame();
    // Its end: the 3D pieces are gone, the particles stay.
    int pieces = 0, particles = 0;
    for (int i = 0; i < f.s.sceneObjectCount; ++i) {
        pieces += f.s.sceneObjects[i].kind <= 100;
        particles += f.s.sceneObjects[i].kind > 100;
    }
    EXPECT_EQ(pieces, 0);
    EXPECT_GE(particles, 1);
    EXPECT_LT(f.boss.timer, 0);

    // Home at speed 3 while the bar refills by maxHp / 60 a frame.
    const float startX = f.boss.x, startY = f.boss.y;
    const double startDistance = std::hypot(224 - startX, 120 - startY);
    int frames = 0;
    float lastHp = f.boss.hp;
    while (f.s.bossPattern() == 72 && frames < 400) {
        f.bossFrame();
        ++frames;
        if (f.s.bossPattern() == 72 && lastHp <= f.boss.maxHp) {
            EXPECT_NEAR(f.boss.hp - lastHp, 1200.0 / 60, 0.01) << frames;
        }
        lastHp = f.boss.hp;
    }
    EXPECT_GE(frames, std::max(60, static_cast<int>(startDistance / 3)));
    EXPECT_LE(frames, std::max(62, static_cast<int>(startDistance / 3) + 3));
    EXPECT_EQ(f.s.bossPattern(), 73);
    EXPECT_FLOAT_EQ(f.boss.x, 224);
    EXPECT_FLOAT_EQ(f.boss.y, 120);
    EXPECT_FLOAT_EQ(f.boss.speed, 0);
    EXPECT_EQ(f.s.spellActive, 1);
    EXPECT_EQ(f.s.bossTimeLeft, 3000);
    EXPECT_EQ(f.s.spellTimeLimit, 3000);
    // 73 holds 72's bar until its own frame 60.
    for (int i = 0; i < 61; ++i) f.bossFrame();
    EXPECT_FLOAT_EQ(f.boss.maxHp, 1800);
}

// The cards pay their flat bonus when shot down clean, whatever time is
// left; a time-out pays 0, a bomb or a death nothing.
TEST(ExtraBoss, CardsPayTheirFlatBonusesAndNothingOnATimeOut) {
    struct Case {
        int id;
        bool timeOut, bombed;
        std::int64_t paid;
    };
    const Case kCases[] = {
        {73, false, false, 20000000}, {88, false, false, 80000000}, {73, true, false, 0},
        {88, true, false, 0},         {88, false, true, 0},
    };
    for (const Case& c : kCases) {
        ExtraFight f;
        f.startAt(c.id);
        ASSERT_EQ(f.s.spellActive, 1) << c.id;
        for (int i = 0; i < 300; ++i) f.bossFrame();
        f.s.bossTimeLeft = 1234;
        if (c.timeOut) {
            f.s.bossTimeLeft = 0;
            BossTimeOut(f.game);
            EXPECT_EQ(f.s.bossTimedOut, 1);
        }
        if (c.bombed) f.s.spellBonusLost = 1;
        const std::int64_t before = f.s.score;
        f.boss.hp = 0;
        f.bossFrame();
        EXPECT_EQ(f.s.spellActive, 0) << c.id;
        EXPECT_EQ(f.s.score - before, c.paid) << c.id << " time-out " << c.timeOut << " bombed " << c.bombed;
    }
}

// Card 81 is given 3150 frames instead of 3000 when the clock ran out on
// attack 80 before it. (Started directly at 80, the boss finds no tower.)
TEST(ExtraBoss, Card81HasLongerWhenTheAttackBeforeItRanOutOfTime) {
    for (bool timeOut : {false, true}) {
        ExtraFight f;
        SpawnSceneObject(f.game, {40, 0, 0, 512, 512}, 0, 0, 0, 0, 0, 0, 3, 7);
        f.startAt(80);
        for (int i = 0; i < 100; ++i) f.bossFrame();
        EXPECT_EQ(f.s.sceneObjectCount, 0) << "the tower goes with a direct start past 72";
        if (timeOut) {
            f.s.bossTimeLeft = 0;
            BossTimeOut(f.game);
        }
        f.boss.hp = 0;
        f.untilPattern(81);
        ASSERT_EQ(f.s.bossPattern(), 81);
        EXPECT_EQ(f.s.bossTimeLeft, timeOut ? 3150 : 3000);
        EXPECT_EQ(f.s.spellTimeLimit, timeOut ? 3150 : 3000);
    }
}

// The last card: the world fades on its schedule (the HUD reads entry 7),
// comes back while the boss falls, and the defeat clears stage 7 into the
// staff roll.
TEST(ExtraBoss, TheLastCardFadesTheWorldAndItsDefeatLeadsToTheStaffRoll) {
    ExtraFight f;
    f.startAt(88);
    while (f.boss.timer < 2700) {
        f.boss.hp = f.boss.maxHp;
        f.bossFrame();
    }
    const std::array<float, 93>& v = f.s.bossVarArr;
    EXPECT_FLOAT_EQ(v[kFadeBackdrop], 255);
    EXPECT_FLOAT_EQ(v[kFadeItems], 255);
    EXPECT_FLOAT_EQ(v[kFadeShots], 160);
    // The last frame played was the card's 2699th.
    EXPECT_FLOAT_EQ(v[kFadeHud], (2699 - 2400) / 5);
    EXPECT_EQ(HudFadeAlpha(f.s), 255 - 59);

    f.boss.hp = 0;
    f.bossFrame();
    int frames = 0;
    while (f.s.bossActive && frames < 200) {
        f.bossFrame();
        ++frames;
    }
    EXPECT_EQ(frames, 70);
    EXPECT_EQ(f.s.stageCleared, 1);
    EXPECT_EQ(f.s.stageFrame, 100000);
    for (int e : {kFadeBackdrop, kFadeShots, kFadeItems, kFadeHud}) EXPECT_FLOAT_EQ(v[e], 0) << e;
    EXPECT_EQ(HudFadeAlpha(f.s), 255);
    for (int i = 0; i < 600 && f.s.screen == 10; ++i) PlayFrame(f.game);
    EXPECT_EQ(f.s.screen, 11) << "the staff roll";
}

// 83: a ball and its paddle are served; falling onto the paddle the ball
// bounces back up, faster.
TEST(ExtraBoss, ThePaddleGameServesAndTheBallBouncesOffThePaddle) {
    ExtraFight f;
    f.startAt(83);
    for (int i = 0; i < 62; ++i) f.bossFrame();
    const int ball = static_cast<int>(f.s.bossVarArr[kPaddleBall]) - 1;
    ASSERT_GE(ball, 0);
    int links = 0;
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        links += !f.s.enemyBullets.free[i] && f.s.enemyBullets.slot[i].behavior == 128;
    EXPECT_EQ(links, 8);
    PlayFrame(f.game);
    // Put the ball just above the paddle's second link, falling.
    const EnemyBullet* link = nullptr;
    for (int i = 0; i < kEnemyBulletCapacity && !link; ++i)
        if (!f.s.enemyBullets.free[i] && f.s.enemyBullets.slot[i].behavior == 128) link = &f.s.enemyBullets.slot[i];
    ASSERT_NE(link, nullptr);
    EnemyBullet& b = f.s.enemyBullets.slot[ball];
    b.x = link->x;
    b.y = link->y - 6;
    b.angle = 180;
    const float speed = b.speed;
    f.s.playerX = 400;
    f.s.playerY = 100;
    PlayFrame(f.game);
    ASSERT_FALSE(f.s.enemyBullets.free[ball]);
    EXPECT_GT(std::cos(b.angle / 57.29578), 0.0) << "heading up (angle " << b.angle << ")";
    EXPECT_FLOAT_EQ(b.speed, speed + 0.15f);
}

// The sky: nine keys (hour 24 is midnight again, so the last block has a
// key to blend to), one settable clock, a mesh made when it first shows and
// gone after 86 and at the end of the stage; and play never depends on it.
TEST(ExtraBoss, TheSkyRunsOnItsOwnClockAndNeverTouchesPlay) {
    EXPECT_EQ(SkyBandColour(24, 2), SkyBandColour(0, 2));
    EXPECT_EQ(SkyBandColour(22.5, 3), SkyBandColour(-1.5, 3));
    EXPECT_NE(SkyBandColour(12, 0), SkyBandColour(0, 0));

    std::uint64_t hashes[2] = {};
    const double hours[2] = {5.0, 17.0};
    for (int run = 0; run < 2; ++run) {
        ExtraFight f;
        f.game.uiSprite = std::make_unique<Sprite>(f.engine, 0, 0, 0, 0, 0);
        f.engine.textureFiles["Graphics/objects.png"] = 7048;
        f.engine.textureFiles["Graphics/backam26.jpg"] = 7049;
        f.game.skyHourNow = run == 0 ? +[] { return 5.0; } : +[] { return 17.0; };
        f.startAt(82);
        for (int i = 0; i < 240; ++i) PlayFrame(f.game);
        ASSERT_TRUE(f.game.skyMesh);
        EXPECT_NEAR(f.game.sky.hour, hours[run] + 241 * SkySpeed(82), 0.02);
        EXPECT_EQ(f.s.textures[48], 7048u);
        hashes[run] = HashGameState(f.s);
        // Past 86 the sky is gone; the end of the stage frees the pictures.
        f.s.bossPattern() = 87;
        PlayFrame(f.game);
        EXPECT_FALSE(f.game.skyMesh);
        EXPECT_EQ(f.s.textures[48], 0u);
        EXPECT_EQ(f.s.textures[49], 7049u);
        EndOfStage(f.game);
        EXPECT_EQ(f.s.textures[49], 0u);
        EXPECT_NE(std::find(f.engine.freed.begin(), f.engine.freed.end(), 7048u), f.engine.freed.end());
        EXPECT_NE(std::find(f.engine.freed.begin(), f.engine.freed.end(), 7049u), f.engine.freed.end());
    }
    EXPECT_EQ(hashes[0], hashes[1]);
}

}  // namespace
}  // namespace korvid
