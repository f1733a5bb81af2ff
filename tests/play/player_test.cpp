#include "play/Player.h"

#include <gtest/gtest.h>

#include "app/FrameDriver.h"
#include "game/FrameSteps.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class PlayerTest : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.bindDefaults();
        t.s.screen = 10;
        t.s.stage = 2;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.stageFrame = 100;
        t.s.lives = 2;
        t.s.bombGauge = 400;
    }
    int liveShots() const {
        int n = 0;
        for (auto f : t.s.playerShots.free) n += f ? 0 : 1;
        return n;
    }
    int liveItems() const {
        int n = 0;
        for (auto f : t.s.items.free) n += f ? 0 : 1;
        return n;
    }
};

TEST_F(PlayerTest, DiagonalAndFocusedSpeeds) {
    t.hold(38);
    t.hold(37);
    UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX, 224 - 4.5f / 1.41f);
    EXPECT_FLOAT_EQ(t.s.playerY, 412 - 4.5f / 1.41f);
    EXPECT_EQ(t.s.moveDirection, 8);
    EXPECT_EQ(t.s.tilt, -1 + 0);  // banked left, not relaxed while Left is held
    t.hold(16);
    const float x = t.s.playerX;
    UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX, x - 2.0f / 1.41f);
    EXPECT_EQ(t.s.focusLevel, 1);
    EXPECT_EQ(t.s.optionSpread, 30);
}

TEST_F(PlayerTest, Stage1PowerSlowsOnlyNormalSpeed) {
    t.s.stage = 1;
    t.s.power = 100;
    t.hold(39);
    UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX, 224 + 4.5f * (1.0f - 100 * 0.005f));
    t.hold(16);
    const float x = t.s.playerX;
    UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX, x + 2.0f);
}

TEST_F(PlayerTest, ConfinedToTheFieldAndTheWholeScreenInWideField) {
    t.s.playerX = 41;
    t.s.playerY = 447;
    t.hold(37);
    t.hold(40);
    UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerX, 40);
    EXPECT_FLOAT_EQ(t.s.playerY, 448);
    EXPECT_EQ(t.s.moveDirection, 6);
    t.s.wideField = 1;
    t.s.wideFieldFightStarted = 1;
    UpdatePlayer(*t.game);
    EXPECT_LT(t.s.playerX, 40);
    EXPECT_GT(t.s.playerY, 448);
}

TEST_F(PlayerTest, AutomaticBombNeeds600AndOnlyItActsDuringTheCountdown) {
    t.s.autoBomb = 1;
    t.s.bombGauge = 599;
    t.s.hitPending = 5;
    t.hold('X');  // the Bomb key is not read while the countdown runs
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.bombActive, 0);
    EXPECT_EQ(t.s.hitPending, 5);
    EXPECT_EQ(t.s.bombGauge, 599);

    t.s.bombGauge = 600;
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.bombActive, 1);
    EXPECT_EQ(t.s.hitPending, 0);
    EXPECT_EQ(t.s.bombGauge, 0);
    EXPECT_EQ(t.s.invincibleTimer, 500);
    EXPECT_EQ(t.s.spellBonusLost, 1);
    EXPECT_EQ(t.s.playerShots.slot[0].kind, 4);
    EXPECT_EQ(t.s.playerShots.slot[0].alpha, 254);
}

TEST_F(PlayerTest, ManualBombCostsAndTagsPerCharacter) {
    struct Case {
        int character, kind, alpha, invincible;
    };
    for (const Case c : {Case{1, 4, 255, 270}, Case{2, 9, 255, 250}, Case{3, 13, 0, 240}}) {
        t.s.character = c.character;
        t.s.bombActive = 0;
        t.s.bombGauge = 250;
        t.s.playerShots.clear();
        t.hold('X');
        UpdatePlayer(*t.game);
        EXPECT_EQ(t.s.bombGauge, 50);
        EXPECT_EQ(t.s.invincibleTimer, c.invincible);
        EXPECT_EQ(t.s.playerShots.slot[0].kind, c.kind);
        EXPECT_EQ(t.s.playerShots.slot[0].alpha, c.alpha);
        EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].sprite.quad.v[0].z, 0.86f);
        t.hold('X', false);
    }
}

TEST_F(PlayerTest, HitDiesTenFramesLaterUnlessTheAutomaticBombFires) {
    t.s.stageFrame = 100;
    t.s.hitPending = 11;  // the hit happened during frame N
    int frames = 0;
    while (!t.s.playerDying && frames < 20) {
        PlayFrame(*t.game);
        ++frames;
    }
    EXPECT_EQ(frames, 10);
    EXPECT_EQ(t.s.lives, 1);
    EXPECT_EQ(t.s.invincibleTimer, 999);
    EXPECT_EQ(liveItems(), 60);
    EXPECT_EQ(t.s.power, 0);
    EXPECT_EQ(t.s.effects.slot[0].type, 46);
}

TEST_F(PlayerTest, DyingInTheExtraStageWithNoLivesDropsNothing) {
    t.s.stage = 7;
    t.s.lives = 0;
    t.s.power = 70;
    t.s.hitPending = 1;
    DeathHandOff(*t.game);
    EXPECT_EQ(t.s.lives, -1);
    EXPECT_EQ(liveItems(), 0);
    EXPECT_FLOAT_EQ(t.s.power, 70);
}

TEST_F(PlayerTest, DeathAndRespawnTimeline) {
    t.s.playerDying = 1;
    t.s.deathScale = 1.0f;
    int frames = 0;
    while (t.s.playerDying) {
        UpdatePlayer(*t.game);
        ++frames;
    }
    EXPECT_EQ(frames, 42);
    EXPECT_TRUE(t.s.playerRespawning);
    EXPECT_FLOAT_EQ(t.s.playerY, 498);  // the first climb happens on the same frame
    while (t.s.playerRespawning) UpdatePlayer(*t.game);
    EXPECT_FLOAT_EQ(t.s.playerY, 420);
    EXPECT_EQ(t.s.playerX, 224);
}

TEST_F(PlayerTest, TenVolleysPerBurstAndAGapAfterFocus) {
    t.hold('Z');
    UpdatePlayer(*t.game);  // starts the burst
    EXPECT_EQ(t.s.shotTimer, 20);
    t.hold('Z', false);
    for (int i = 0; i < 20; ++i) UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.shotTimer, 0);
    EXPECT_EQ(liveShots(), 10 * 8);  // 2 main + 6 side, ten times

    // After Slow is released the options spread by 2 a frame; unfocused
    // shots need a spread of 16 again.
    for (const auto& [spreadBefore, fires] : {std::pair{12, false}, std::pair{14, true}}) {
        t.s.playerShots.clear();
        t.s.optionSpread = spreadBefore;
        t.s.shotTimer = 17;  // becomes 16: an even value
        UpdatePlayer(*t.game);
        EXPECT_EQ(liveShots() > 0, fires) << spreadBefore;
    }
}

TEST_F(PlayerTest, BurstPositionsOfEachCharacter) {
    struct Expected {
        int character;
        bool slow;
        int count;
        float firstDx, firstDy, firstAngle;
        int kind;
    };
    const Expected cases[] = {
        {1, false, 8, -12, 16, 0, 1}, {1, true, 2, 16, -16, 0, 3},  {2, false, 4, -12, 0, 0, 7},
        {2, true, 1, 0, -24, 0, 8},   {3, false, 6, -12, 16, 0, 10}, {3, true, 2, 20, -16, 0, 11},
    };
    for (const Expected& e : cases) {
        t.s.playerShots.clear();
        t.s.character = e.character;
        t.s.shotTimer = 16;
        t.s.optionSpread = e.slow ? 10 : 32;
        EmitShots(*t.game, e.slow, !e.slow);
        ASSERT_EQ(liveShots(), e.count) << "character " << e.character << " slow " << e.slow;
        const PlayerShot& p = t.s.playerShots.slot[0];
        EXPECT_FLOAT_EQ(p.x, t.s.playerX + e.firstDx);
        EXPECT_FLOAT_EQ(p.y, t.s.playerY + e.firstDy);
        EXPECT_FLOAT_EQ(p.angle, e.firstAngle);
        EXPECT_EQ(p.kind, e.kind);
    }
    // Character 1's side shots alternate right and left with mirrored sprites.
    t.s.playerShots.clear();
    t.s.character = 1;
    EmitShots(*t.game, false, true);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[2].angle, 5);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[3].angle, 355);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[3].scaleX, -1);
    // Character 3's fan leans with the banking.
    t.s.playerShots.clear();
    t.s.character = 3;
    t.s.tilt = 10;
    EmitShots(*t.game, false, true);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[0].angle, 13);
    EXPECT_FLOAT_EQ(t.s.playerShots.slot[5].angle, 19);
}

TEST_F(PlayerTest, SoundsPlayOnceAtTheirPercentAndClear) {
    t.s.seVolume = 80;
    t.s.sounds[12] = 7;
    t.s.sounds[9] = 8;
    t.s.soundRequests[12] = 1;
    t.s.soundRequests[9] = 1;
    t.s.soundRequests[40] = 1;  // beyond the table: cleared, never played
    t.s.damageSoundPercent = 12.5f;
    UpdatePlayer(*t.game);
    ASSERT_EQ(t.engine.plays.size(), 2u);
    EXPECT_EQ(t.engine.plays[0], std::make_pair(HSTREAM{8}, 10));  // 80 x 12.5%
    EXPECT_EQ(t.engine.plays[1], std::make_pair(HSTREAM{7}, 24));  // 80 x 30%
    for (auto r : t.s.soundRequests) EXPECT_EQ(r, 0);
    // One boss pattern drops the requests unplayed.
    t.s.bossActive = 1;
    t.s.bossPattern() = 14;
    t.s.enemies.slot[kBossSlot].auxC = 1.0f;
    t.s.soundRequests[12] = 1;
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.engine.plays.size(), 2u);
    EXPECT_EQ(t.s.soundRequests[12], 0);
}

TEST_F(PlayerTest, ControlBlockIsSkippedOutsideTheStageProper) {
    t.s.stageFrame = 98001;
    t.hold(39);
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.playerX, 224);
    t.s.stageFrame = -1;
    UpdatePlayer(*t.game);
    EXPECT_EQ(t.s.playerX, 224);
}

}  // namespace
}  // namespace korvid
