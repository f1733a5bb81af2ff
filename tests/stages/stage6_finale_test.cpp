// Stage 6 after the boss's last card, both ways: without the route flag the
// tune changes and the half-transparent first form comes at 8550, and its
// defeat clears the stage (the tunnel never opens); with the flag the tune
// fades, the tunnel of forty faces opens at 8850 over the whole screen and
// the hidden boss comes at 9000, the tunnel still rushing and rolling
// behind it. Card 66 takes no harm while a bomb runs, and its capture pays
// a bonus wider than 32 bits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>

#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "bosses/SpellCards.h"
#include "stages/Stage6Finale.h"

namespace korvid {
namespace {

using test::BossFight;

constexpr HTEXTURE kPortrait = 716, kTunnelWall = 723, kHiddenSheet = 777;

struct FinaleRun : BossFight {
    explicit FinaleRun(int difficulty = 1) : BossFight(difficulty, 6) {
        engine.textureFiles["Graphics/lastboss16.jpg"] = kPortrait;
        engine.textureFiles["Graphics/backam23.png"] = kTunnelWall;
        engine.textureFiles["Graphics/stg7enm1.png"] = kHiddenSheet;
        playTo(-62);
    }
    int bulletsOf(int behaviour) const {
        int n = 0;
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            n += !s.enemyBullets.free[i] && s.enemyBullets.slot[i].behavior == behaviour;
        return n;
    }
    int effectsOfType(int type) const {
        int n = 0;
        for (int i = 0; i < kEffectCapacity; ++i) n += !s.effects.free[i] && s.effects.slot[i].type == type;
        return n;
    }
};

TEST(Stage6Finale, WithoutTheFlagTheFirstFormComesAndItsDefeatClearsTheStage) {
    FinaleRun run(1);
    GameState& s = run.s;
    s.bgmStream = 5;  // the cards' tune
    run.jumpTo(8200);
    run.playTo(8202);
    ASSERT_FALSE(run.engine.freedStreams.empty());
    EXPECT_EQ(run.engine.freedStreams.back(), 5u) << "the cards' tune stops at 8202";
    EXPECT_EQ(s.textures[35], kPortrait);
    run.playTo(8450);
    EXPECT_EQ(run.engine.loads.back(), "Music/music6bossb.ogg");
    run.playTo(8500);
    EXPECT_EQ(run.engine.volumes.back(), 50) << "the second tune rises (f - 8450)%";

    run.playTo(8550);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 61);
    EXPECT_EQ(run.boss.maxHp, 3500);
    EXPECT_EQ(run.boss.alpha, 155);
    EXPECT_EQ(s.bossTimeLeft, 4200);
    EXPECT_EQ(run.effectsOfType(12), 0) << "no entry flash";
    EXPECT_EQ(s.wideField, 0);

    // A sweeper from the left once it has glided in; its rain at age 127
    // is 20 + 10d bullets.
    run.playTo(8550 + 62);
    EXPECT_EQ(run.bulletsOf(103), 1);
    const int rainBefore = run.bulletsOf(104);
    run.playTo(8550 + 62 + 127);
    EXPECT_EQ(run.bulletsOf(104) - rainBefore, 30);

    // Beaten: the stage clears; the tunnel never opens on this route.
    run.boss.hp = 0;
    for (int i = 0; i < 400 && s.bossActive; ++i) PlayFrame(run.game);
    EXPECT_FALSE(s.bossActive);
    EXPECT_EQ(s.stageCleared, 1);
    EXPECT_GE(s.stageFrame, 100000);
    EXPECT_EQ(s.wideField, 0);
    EXPECT_EQ(s.sceneObjectCount, 0);
}

TEST(Stage6Finale, WithTheFlagTheTunnelOpensAndTheHiddenBossComes) {
    FinaleRun run(1);
    GameState& s = run.s;
    s.wideFieldFightStarted = 1;
    run.jumpTo(8600);
    run.playTo(8650);
    EXPECT_EQ(run.engine.volumes.back(), 50) << "the tune fades (8700 - f)%";

    run.playTo(8850);
    EXPECT_EQ(run.engine.loads.back(), "Music/trueboss.ogg");
    EXPECT_EQ(run.engine.volumes.back(), 0);
    EXPECT_FALSE(s.bossActive) << "the first form never comes on this route";
    ASSERT_EQ(s.sceneObjectCount, 40);
    EXPECT_EQ(s.wideField, 1);
    EXPECT_EQ(s.textures[34], kTunnelWall);
    EXPECT_EQ(s.sceneFocal, 1000);
    EXPECT_EQ(s.sceneCamera[0], 0);
    EXPECT_EQ(s.sceneCamera[1], 0);
    EXPECT_EQ(s.sceneCamera[2], 256);
    EXPECT_EQ(s.sceneCamera[3], 0);
    EXPECT_EQ(s.sceneCamera[4], 0);
    EXPECT_NE(s.sceneCamera[5], 0) << "the roll already ran after the tunnel was made";
    // Ten rings of ceiling, floor, right and left walls, 256 apart, each
    // already moved 28 toward the viewer by the frame's scenery update.
    int ceilings = 0, floors = 0, walls = 0;
    float nearest = 1e9f, farthest = -1e9f;
    for (int i = 0; i < s.sceneObjectCount; ++i) {
        const SceneObject& o = s.sceneObjects[i];
        EXPECT_EQ(o.kind, 1);
        ceilings += o.y == -128 && o.pitch == 1.57068f;
        floors += o.y == 128 && o.pitch == 4.71204f;
        walls += (o.x == 128 && o.yaw == 4.71204f) || (o.x == -128 && o.yaw == 1.57068f);
        nearest = std::min(nearest, o.z);
        farthest = std::max(farthest, o.z);
    }
    EXPECT_EQ(ceilings, 10);
    EXPECT_EQ(floors, 10);
    EXPECT_EQ(walls, 20);
    EXPECT_EQ(nearest, -256 - 28);
    EXPECT_EQ(farthest, 2048 - 28);

    // The shake: 90 a frame over 8850..8899; the side panel goes past 4450.
    run.playTo(8898);
    EXPECT_LE(s.backgroundShake, 4450);
    run.playTo(8899);
    EXPECT_GT(s.backgroundShake, 4450);

    run.playTo(9000);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 62);
    EXPECT_EQ(run.boss.maxHp, 2700);
    EXPECT_EQ(s.bossTimeLeft, 6000);
    EXPECT_EQ(s.textures[38], kHiddenSheet);
    EXPECT_LT(run.boss.x, -100) << "from the far left";
    EXPECT_GT(run.effectsOfType(12), 0) << "with its entry flash";

    // The tunnel rushes and rolls on behind the fight.
    const float roll = s.sceneCamera[5];
    float zBefore[40];
    for (int i = 0; i < 40; ++i) zBefore[i] = s.sceneObjects[i].z;
    run.playTo(9010);
    EXPECT_NE(s.sceneCamera[5], roll);
    int moved = 0;
    for (int i = 0; i < 40; ++i) moved += s.sceneObjects[i].z != zBefore[i];
    EXPECT_GT(moved, 30);
    EXPECT_EQ(s.sceneObjectCount, 40);
}

// Card 66 directly: while a bomb is in progress nothing takes its hit
// points; otherwise hits count. Captured, it pays its whole bonus, which
// does not fit 32 bits.
TEST(Stage6Finale, CardSixtySixIgnoresBombsAndPaysItsWholeBonus) {
    FinaleRun run(1);
    GameState& s = run.s;
    s.wideFieldFightStarted = 1;
    run.jumpTo(9100);
    ASSERT_TRUE(BringInFightAt(run.game, 66));
    ASSERT_EQ(s.spellActive, 1);
    for (int i = 0; i < 80; ++i) run.gateAndBoss();
    ASSERT_EQ(s.bossPattern(), 66);
    ASSERT_GT(run.boss.timer, 60);

    const float full = run.boss.hp;
    s.bombActive = 1;
    run.gateAndBoss();
    EXPECT_EQ(run.boss.noHit, 1);
    run.boss.hp -= 500;  // a hit slipping through on the bomb's first frame
    run.gateAndBoss();
    EXPECT_EQ(run.boss.hp, full);

    s.bombActive = 0;
    run.gateAndBoss();
    EXPECT_EQ(run.boss.noHit, 0);
    run.boss.hp -= 500;
    run.gateAndBoss();
    EXPECT_EQ(run.boss.hp, full - 500);

    const std::int64_t before = s.score;
    ASSERT_EQ(s.spellBonusLost, 0);
    run.boss.hp = 0;
    run.gateAndBoss();
    EXPECT_GT(s.score - before, std::numeric_limits<std::uint32_t>::max());
    EXPECT_EQ(s.score - before, SpellBonus(66, 1, s.spellTimeLimit, s.bossTimeLeft) / 10 * 10);
}

}  // namespace
}  // namespace korvid
