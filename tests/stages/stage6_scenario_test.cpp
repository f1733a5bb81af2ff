// Stage 6 played out to its boss: the fog banks, the first darts, the
// mid-boss at 3880 (its conversation timed from its opening, its train
// hurting the ship only when it may be hurt on each difficulty, its defeat
// resuming at 6600), the boss at 6800, and the cards' pictures: a value
// outside the fifteen keeps the texture it has instead of freeing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "stages/Stage6.h"
#include "stages/Stage6Train.h"

namespace korvid {
namespace {

using test::BossFight;

struct Stage6Run : BossFight {
    explicit Stage6Run(int difficulty = 1) : BossFight(difficulty, 6) {}
    std::vector<const EffectSprite*> effectsOfType(int type) const {
        std::vector<const EffectSprite*> out;
        for (std::size_t i = 0; i < s.effects.free.size(); ++i)
            if (!s.effects.free[i] && s.effects.slot[i].type == type) out.push_back(&s.effects.slot[i]);
        return out;
    }
    std::vector<float> enemiesOfType(int type) const {
        std::vector<float> xs;
        for (int i = 0; i < kBossSlot; ++i)
            if (!s.enemies.free[i] && s.enemies.slot[i].type == type) xs.push_back(s.enemies.slot[i].x);
        return xs;
    }
};

TEST(Stage6Scenario, FogDartsMidBossTrainAndResume) {
    Stage6Run run;
    GameState& s = run.s;
    ASSERT_LE(s.stageFrame, -62);
    run.playTo(-62);
    const auto fog35 = run.effectsOfType(35), fog36 = run.effectsOfType(36);
    ASSERT_EQ(fog35.size(), 2u);
    ASSERT_EQ(fog36.size(), 2u);
    // Spawned at -256 and 256 (kind 35), 256 and 768 (kind 36), each moved
    // on by its first frame's drift.
    EXPECT_NEAR(fog35[0]->x, -256, 4);
    EXPECT_NEAR(fog35[1]->x, 256, 4);
    EXPECT_NEAR(fog36[0]->x, 256, 4);
    EXPECT_NEAR(fog36[1]->x, 768, 4);

    // Six darts at 180..230, 40 pixels apart, each spawned at 4f - 636.
    for (int f = 180; f <= 230; f += 10) {
        run.playTo(f);
        const auto darts = run.enemiesOfType(36);
        ASSERT_EQ(darts.size(), static_cast<std::size_t>((f - 180) / 10 + 1)) << f;
        EXPECT_TRUE(std::find(darts.begin(), darts.end(), static_cast<float>(4 * f - 636)) != darts.end()) << f;
    }

    // The mid-boss at 3880: its cell, hit points, limit and heading; the
    // conversation waits for it, timed from its opening.
    run.jumpTo(3880);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 45);
    EXPECT_EQ(run.boss.texX, 256);
    EXPECT_EQ(run.boss.texW, 64);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 1600);
    EXPECT_EQ(s.bossTimeLeft, 2640);
    EXPECT_FLOAT_EQ(run.boss.angle, 80);
    EXPECT_EQ(s.dialogueActive, 0);
    while (!s.dialogueActive && run.boss.timer < 100) PlayFrame(run.game);
    ASSERT_EQ(s.dialogueActive, 1) << "timer " << run.boss.timer << " frame " << s.stageFrame;
    EXPECT_EQ(run.boss.timer, 62) << "opened at its frame 61";
    EXPECT_EQ(s.dialoguePageStart, s.stageFrame) << "the first page is timed from the opening";
    EXPECT_EQ(s.spellActive, 0);
    s.dialogueActive = 0;  // the talk read through
    run.boss.timer = 0;
    run.gateAndBoss();
    run.gateAndBoss();
    run.gateAndBoss();
    EXPECT_EQ(s.spellActive, 1) << "declared two frames after the talk";

    // Beaten past its opening: the stage resumes at 6600 and the boss comes
    // at 6800.
    while (run.boss.timer <= 61) PlayFrame(run.game);
    run.boss.hp = 0;
    for (int i = 0; i < 400 && s.bossActive; ++i) PlayFrame(run.game);
    ASSERT_FALSE(s.bossActive) << "timer " << run.boss.timer << " hp " << run.boss.hp << " spell " << int(s.spellActive) << " talk " << int(s.dialogueActive);
    EXPECT_GE(s.stageFrame, 6600);
    EXPECT_LE(s.stageFrame, 6602);
    run.playTo(6801);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 46);
    EXPECT_EQ(s.bossVar[kPictureAlpha], -200) << "no picture yet: the first fades in from far below 0";
}

// The train on each difficulty hurts the ship it runs over, and only when
// the ship is neither invincible nor already hit.
TEST(Stage6Scenario, TrainWallsHurtOnEachDifficultyOnlyWhenTheShipCanBeHit) {
    struct Case {
        int difficulty, t;
        float onX, onY, offX, offY;
    };
    // Easy t 40: nose at 120, band 168..312. Normal t 130: wall at x
    // 1680 - 1040 = 640 on the stored height 300. Hard t 100: the second
    // parabola's x 350, y 38500 / 480 + 160.
    const Case cases[] = {{0, 40, 200, 240, 60, 240}, {1, 130, 400, 300, 400, 380}, {2, 100, 350, 240, 350, 400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.difficulty);
        Stage6Run run(c.difficulty);
        GameState& s = run.s;
        s.stageFrame = 3900;
        ASSERT_TRUE(BringInFightAt(run.game, 45));
        run.boss.auxA = 300;
        const TrainWalls walls = TrainWallsAt(c.difficulty, c.t, 300);
        ASSERT_GE(walls.count, 1);
        auto hitAt = [&](float x, float y, int invincible) {
            s.playerX = x;
            s.playerY = y;
            s.hitPending = 0;
            s.invincibleTimer = invincible;
            run.boss.timer = c.t;
            run.bossFrame();
            return s.hitPending == 11 && s.invincibleTimer == 31;
        };
        EXPECT_TRUE(hitAt(c.onX, c.onY, 0));
        EXPECT_FALSE(hitAt(c.offX, c.offY, 0));
        EXPECT_FALSE(hitAt(c.onX, c.onY, 5)) << "not while invincible";
        s.invincibleTimer = 0;
        s.hitPending = 4;
        s.playerX = c.onX;
        s.playerY = c.onY;
        run.boss.timer = c.t;
        run.bossFrame();
        EXPECT_EQ(s.hitPending, 4) << "not while a hit is pending";
    }
}

// The picture texture is freed only when another picture is loaded into it.
TEST(Stage6Scenario, APictureOutsideTheFifteenKeepsTheTexture) {
    Stage6Run run;
    GameState& s = run.s;
    run.engine.textureFiles["Graphics/lastboss3.jpg"] = 303;
    s.stageFrame = 7000;
    ASSERT_TRUE(BringInFightAt(run.game, 47));
    s.textures[35] = 35;
    s.bossVar[kPictureWanted] = 3;
    s.bossVar[kPictureShown] = 2;
    s.bossVar[kPictureAlpha] = 0;
    run.gateAndBoss();
    ASSERT_EQ(s.textures[35], 303u);
    EXPECT_EQ(std::count(run.engine.freed.begin(), run.engine.freed.end(), 35u), 1);
    // Entry 1 then goes to 0 (the defeat) and 20 (no such picture).
    for (float wanted : {0.0f, 20.0f}) {
        s.bossVar[kPictureWanted] = wanted;
        s.bossVar[kPictureAlpha] = 0;
        s.stageFrame = 7000;
        run.gateAndBoss();
        EXPECT_EQ(s.bossVar[kPictureShown], wanted);
        EXPECT_EQ(s.textures[35], 303u) << "kept, not freed";
    }
    EXPECT_EQ(std::count(run.engine.freed.begin(), run.engine.freed.end(), 303u), 0);
}

}  // namespace
}  // namespace korvid
