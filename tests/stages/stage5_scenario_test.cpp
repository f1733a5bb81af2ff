// Stage 5 played out: the lightning's clears and the stage tune at 540; the
// first section's body with its two companions in ordinary slots; the gate
// count and what it gives the last section; the boss coming down the
// corridor, opening its conversation at its frame 100 with the limit
// started again and its tune at 102; the partner in slot 0 after card 40
// and the two-body patterns ending only when both are down; the ship's
// shots at half damage while it is invincible in that fight; a closing gate
// started directly with its row; the sprays keeping the boss on the field.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "play/Spawn.h"
#include "stages/Stage5.h"

namespace korvid {
namespace {

struct ClearEngine : test::FightEngine {
    std::vector<std::uint32_t> clears;
    void Gfx_Clear(std::uint32_t colour) override { clears.push_back(colour); }
};

struct Stage5Run {
    ClearEngine engine;
    Game game{engine};
    GameState& s = game.state;
    Enemy& boss = s.enemies.slot[kBossSlot];

    explicit Stage5Run(int difficulty = 1) {
        s.screen = 10;
        s.stage = 5;
        s.difficulty = difficulty;
        s.character = 1;
        s.bgmVolume = 100;
        StartRoutine(game);
        s.lives = 9;
        s.invincibleTimer = 1 << 28;
    }
    void playTo(int frame) {
        while (s.stageFrame < frame && s.screen == 10) PlayFrame(game);
    }
    void jumpTo(int frame) {
        s.stageFrame = frame - 1;
        PlayFrame(game);
    }
    int ordinaryOfType(int type) const {
        int n = 0;
        for (int i = 0; i < kBossSlot; ++i) n += !s.enemies.free[i] && s.enemies.slot[i].type == type;
        return n;
    }
    bool loaded(const std::string& file) const {
        return std::find(engine.loads.begin(), engine.loads.end(), file) != engine.loads.end();
    }
    // Frames until the boss reaches pattern `id` (or `limit` frames pass).
    void playUntilPattern(int id, int limit = 2000) {
        for (int i = 0; i < limit && s.bossActive && s.bossPattern() != id; ++i) PlayFrame(game);
    }
};

std::uint32_t grey(int v) {
    const auto u = static_cast<std::uint32_t>(v);
    return u << 24 | u << 16 | u << 8 | u;
}

TEST(Stage5Scenario, LightningTuneAndFirstSection) {
    Stage5Run run;
    GameState& s = run.s;
    // The shade of the listed frames, each rule at its peak and its edges.
    EXPECT_EQ(LightningShade(50), 255);
    EXPECT_EQ(LightningShade(0), 5);
    EXPECT_EQ(LightningShade(130), -1);
    EXPECT_EQ(LightningShade(200), 255);
    EXPECT_EQ(LightningShade(240), 15);
    EXPECT_EQ(LightningShade(300), 175);
    EXPECT_EQ(LightningShade(395), 195);
    EXPECT_EQ(LightningShade(440), 255);
    EXPECT_EQ(LightningShade(445), 130);
    EXPECT_EQ(LightningShade(540), 255) << "frame 540 takes the last rule";
    EXPECT_EQ(LightningShade(600), 3);
    EXPECT_EQ(LightningShade(601), -1);
    // Played: the field is cleared to the shade after the frame's own clear.
    for (int f : {50, 200, 310, 445}) {
        run.playTo(f - 1);
        run.engine.clears.clear();
        PlayFrame(run.game);
        ASSERT_EQ(s.stageFrame, f);
        ASSERT_EQ(run.engine.clears.size(), 2u) << f;
        EXPECT_EQ(run.engine.clears.back(), grey(LightningShade(f))) << f;
    }
    run.playTo(539);
    EXPECT_FALSE(run.loaded("Music/music5.mp3"));
    run.playTo(540);
    EXPECT_TRUE(run.loaded("Music/music5.mp3"));

    // The corridor's set-up held since -63, turned by 1950.
    EXPECT_FLOAT_EQ(s.bgCamScale, 1);
    EXPECT_EQ(s.gateRows, 2);
    run.playTo(1950);
    EXPECT_NEAR(s.bgCamTurn, -60, 1e-3);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 30);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 700);
    EXPECT_EQ(run.boss.alpha, 0);
    PlayFrame(run.game);  // the body's first frame: its companions
    EXPECT_EQ(run.ordinaryOfType(31), 2) << "both companions in ordinary slots";
    EXPECT_EQ(s.enemies.slot[kBossSlot].type, 30);
    EXPECT_TRUE(s.bossActive);
    // The pairs of type 29 are not held back by the section; the timeline is.
    run.playTo(2300);
    EXPECT_EQ(s.bossPattern(), 30);
    // Shot down before its time is out, 30 goes on to 31.
    run.boss.hp = 0;
    run.playUntilPattern(31, 200);
    EXPECT_EQ(s.bossPattern(), 31);
}

// The next gate counts once the ship, inside its opening, is over its
// middle line; the rows below it count first, and only once each.
TEST(Stage5Scenario, GatesCountOnceEachFromTheLowestRowUp) {
    Stage5Run run;
    GameState& s = run.s;
    s.bgCamScale = 1;
    s.bgCamTurn = 0;
    s.bgCamX = -54;
    s.bgCamY = 0;
    s.stage5Work = -200;
    s.gateRows = 2;
    const double line1 = GateTop(s, 1) + kGateHalfHeight;  // the lowest row: 517
    s.playerX = static_cast<float>(GateCentreU(s));
    s.playerY = static_cast<float>(line1 + 30);
    CountGates(s);
    EXPECT_EQ(s.gatesPassed, 0) << "below the line";
    EXPECT_EQ(s.gateFlag, 0);
    s.playerY = static_cast<float>(line1 + 10);
    CountGates(s);
    EXPECT_EQ(s.gateFlag, 1) << "in the gate";
    EXPECT_EQ(s.gatesPassed, 0);
    s.playerY = static_cast<float>(line1 - 5);
    CountGates(s);
    EXPECT_EQ(s.gatesPassed, 1);
    CountGates(s);
    EXPECT_EQ(s.gatesPassed, 1) << "the next is the row above";
    // Beside the opening nothing counts.
    const double line0 = GateTop(s, 0) + kGateHalfHeight;
    s.playerX = static_cast<float>(GateCentreU(s) + kGateOpening + 4);
    s.playerY = static_cast<float>(line0 - 5);
    CountGates(s);
    EXPECT_EQ(s.gatesPassed, 1);
    EXPECT_EQ(s.gateFlag, 0);
}

// The last section: no gate counted in the whole stage gives one row and a
// body of 1000; gates counted give their rows and 300. Section 3b's gates
// count double.
TEST(Stage5Scenario, LastSectionByTheGatesCounted) {
    for (int passed : {0, 2}) {
        SCOPED_TRACE(passed);
        Stage5Run run;
        GameState& s = run.s;
        run.jumpTo(8499);
        s.gatesPassed = passed;  // in the stretch before section 3b
        run.jumpTo(8500);
        ASSERT_EQ(s.bossPattern(), 34);
        EXPECT_EQ(s.bossTimeLeft, 600);
        EXPECT_FLOAT_EQ(run.boss.maxHp, 500);
        EXPECT_EQ(s.gateTotal, 2 * passed) << "counted double";
        s.enemies.free[kBossSlot] = 1;
        s.bossActive = 0;
        run.jumpTo(10100);
        ASSERT_TRUE(s.bossActive);
        ASSERT_EQ(s.bossPattern(), 36);
        EXPECT_EQ(s.gateRows, 2 * passed + 1);
        EXPECT_FLOAT_EQ(run.boss.maxHp, passed == 0 ? 1000 : 300);
        EXPECT_FLOAT_EQ(run.boss.hp, passed == 0 ? 1000 : 300);
    }
}

// A fight started at the closing gate closes the corridor itself: with no
// gate counted, one row and the body of 1000.
TEST(Stage5Scenario, ClosingGateStartedDirectlyBringsItsRow) {
    Stage5Run run;
    GameState& s = run.s;
    run.jumpTo(2);
    ASSERT_TRUE(BringInFightAt(run.game, 36));
    PlayFrame(run.game);
    EXPECT_EQ(s.gateRows, 1);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 1000);
    EXPECT_NEAR(s.stage5Work, -300 - 332, 2);
}

// Pattern 37's movement legs keep the boss on the field: each kick runs out
// (one cut short at the cycle's end left speed behind, cycle after cycle).
TEST(Stage5Scenario, SpraysLeaveTheBossOnTheField) {
    Stage5Run run(0);
    GameState& s = run.s;
    run.jumpTo(10400);
    ASSERT_TRUE(BringInFightAt(run.game, 37));
    float fastest = 0;
    for (int i = 0; i < 2400 && s.bossPattern() == 37; ++i) {
        s.dialogueActive = 0;  // read through
        PlayFrame(run.game);
        if (run.boss.timer > 200) fastest = std::max(fastest, run.boss.speed);
        ASSERT_GT(run.boss.x, -32) << "frame " << i;
        ASSERT_LT(run.boss.x, 480) << "frame " << i;
    }
    EXPECT_LT(fastest, 2.5f);
}

// The boss comes down the corridor: entry, conversation at its frame 100
// with the limit started again, its tune at 102, the approach values
// starting afresh on a new stage.
TEST(Stage5Scenario, BossEntryConversationAndTune) {
    Stage5Run run;
    GameState& s = run.s;
    s.bossApproach = {7, 7, 7};
    StageLoadReset(s);
    EXPECT_EQ(s.bossApproach[0], 0) << "the approach starts afresh at every stage load";
    run.jumpTo(10300);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 37);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 1500);
    EXPECT_EQ(s.bossTimeLeft, 4200);
    EXPECT_NEAR(run.boss.x, 464, 6);
    EXPECT_FLOAT_EQ(run.boss.angle, 280);
    while (!s.dialogueActive && run.boss.timer < 120) PlayFrame(run.game);
    ASSERT_EQ(s.dialogueActive, 1);
    EXPECT_EQ(run.boss.timer, 101) << "opened on its frame 100";
    EXPECT_EQ(s.bossTimeLeft, 3000);
    EXPECT_GT(s.bossApproach[0], 40) << "the corridor rushed on as it came";
    for (int i = 0; i < 20; ++i) PlayFrame(run.game);
    EXPECT_EQ(run.boss.timer, 101) << "its clock held while the talk runs";
    s.dialogueActive = 0;  // read through
    run.boss.timer = 101;
    EXPECT_FALSE(run.loaded("Music/music5boss.mp3"));
    PlayFrame(run.game);
    EXPECT_FALSE(run.loaded("Music/music5boss.mp3"));
    PlayFrame(run.game);
    EXPECT_TRUE(run.loaded("Music/music5boss.mp3")) << "the tune at 102";
}

// After card 40 the partner is in slot 0 (whatever held it); 41..44 move
// on only when both bodies are down; while invincible the ship's shots do
// half damage.
TEST(Stage5Scenario, PartnerAndTheTwoBodyPatterns) {
    Stage5Run run;
    GameState& s = run.s;
    s.stageFrame = 10400;
    ASSERT_TRUE(BringInFightAt(run.game, 40));
    // Something else in slot 0 when the card ends.
    SpawnEnemy(run.game, 6, 0, 256, 32, 32, 100, 100, 1, 1, 180, 0.7f, 0, 29, 2, 255);
    s.bossActive = 1;
    while (run.boss.timer <= 61) PlayFrame(run.game);
    EXPECT_TRUE(run.loaded("Music/music5bossb.mp3"));
    run.boss.hp = 0;
    PlayFrame(run.game);
    ASSERT_FALSE(s.enemies.free[kPartnerSlot]);
    EXPECT_EQ(s.enemies.slot[kPartnerSlot].type, 35);
    run.playUntilPattern(41);
    ASSERT_EQ(s.bossPattern(), 41);
    Enemy& partner = s.enemies.slot[kPartnerSlot];
    PlayFrame(run.game);
    EXPECT_FLOAT_EQ(partner.hp - kPartnerFloor, 800);

    // Half damage while invincible, full otherwise.
    s.invincibleTimer = 10;
    int shot = SpawnPlayerShot(run.game, {54, 0, 0, 16, 16}, 224, 400, 1, 1, 0, 0.8f, 10, 1, 255, 2);
    EXPECT_FLOAT_EQ(s.playerShots.slot[shot].damage, 1);
    s.invincibleTimer = 0;
    shot = SpawnPlayerShot(run.game, {54, 0, 0, 16, 16}, 224, 400, 1, 1, 0, 0.8f, 10, 1, 255, 2);
    EXPECT_FLOAT_EQ(s.playerShots.slot[shot].damage, 2);
    s.invincibleTimer = 1 << 28;

    for (int id = 41; id <= 44; ++id) {
        SCOPED_TRACE(id);
        ASSERT_EQ(s.bossPattern(), id);
        while (run.boss.timer <= 70) {
            s.bossTimeLeft = 1000;
            PlayFrame(run.game);
        }
        // The boss down, the partner not: the pattern waits.
        const float partnerLeft = partner.hp - kPartnerFloor;
        run.boss.hp = 0;
        for (int i = 0; i < 30; ++i) {
            s.bossTimeLeft = 1000;
            PlayFrame(run.game);
        }
        EXPECT_EQ(s.bossPattern(), id);
        EXPECT_GE(run.boss.timer, 0) << "not ended";
        EXPECT_EQ(run.boss.noHit, 1) << "the fallen body waits unhittable";
        EXPECT_EQ(partner.noHit, 0);
        if (id == 42) {
            EXPECT_FLOAT_EQ(partner.hp - kPartnerFloor, partnerLeft * 1.5f);
        }
        // Both down: the pattern ends.
        partner.hp = kPartnerFloor - 5;
        PlayFrame(run.game);
        EXPECT_FALSE(s.enemies.free[kPartnerSlot]) << "never dies as an ordinary enemy";
        EXPECT_LT(run.boss.timer, 0) << "ended";
        if (id < 44) run.playUntilPattern(id + 1, 600);
    }
    // The last card's defeat clears the stage and takes the partner along.
    for (int i = 0; i < 100 && s.bossActive; ++i) PlayFrame(run.game);
    EXPECT_FALSE(s.bossActive);
    EXPECT_EQ(s.stageCleared, 1);
    PlayFrame(run.game);
    EXPECT_TRUE(s.enemies.free[kPartnerSlot] || s.enemies.slot[kPartnerSlot].type != 35);
}

}  // namespace
}  // namespace korvid
