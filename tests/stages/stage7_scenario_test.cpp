// The extra stage played out: the frozen opening (the ship held below the
// field until the falling item comes, the skip key's window), the shaft and
// its count, the sheets of the two other ships swapped for the walls only
// once their ships are gone, the stage tune's loop asked only once it
// plays, the dark between the scenes and the block wall, the pillar that
// strikes a still ship at 10199, and a practice started at the tower.
#include <gtest/gtest.h>

#include <memory>

#include "bosses/BossFight.h"
#include "bosses/Stage7MidBoss.h"
#include "stages/Stage7.h"
#include "stages/StageScript.h"

namespace korvid {
namespace {

using test::BossFight;

constexpr int kLeft = 37, kFastForward = 17;

// Every call of Channel_GetPos answers far into the tune.
struct LateTuneEngine : test::FightEngine {
    float Channel_GetPos(HCHANNEL) override { return 200; }
};

struct Stage7Run : BossFight {
    explicit Stage7Run(int difficulty = 1) : BossFight(difficulty, 7) {
        s.keyBindings[KeyLeft].code = kLeft;
        s.keyBindings[KeyFastForward].code = kFastForward;
        s.invincibleTimer = 0;
        // The sheets loaded in the two other ships' place.
        engine.textureFiles["Graphics/backam23.jpg"] = 523;
        engine.textureFiles["Graphics/backam24.jpg"] = 524;
    }
    int liveOfType(int type) const {
        int n = 0;
        for (int i = 0; i < kEffectCapacity; ++i) n += !s.effects.free[i] && s.effects.slot[i].type == type;
        return n;
    }
    int live(const auto& pool) const {
        int n = 0;
        for (auto f : pool.free) n += f == 0;
        return n;
    }
    // Plays until the boss is on pattern `id` (its hit points struck to 0
    // whenever it may be hurt), at most `limit` frames.
    void beatTo(int id, int limit = 2000) {
        for (int i = 0; i < limit && s.bossActive && s.bossPattern() != id; ++i) {
            if (boss.timer > 101 && boss.hp > 0) boss.hp = 0;
            PlayFrame(game);
        }
    }
    const EnemyBullet* bulletOf(int behavior) const {
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!s.enemyBullets.free[i] && s.enemyBullets.slot[i].behavior == behavior) return &s.enemyBullets.slot[i];
        return nullptr;
    }
    // Nothing but the scenery can touch the ship.
    void clearField() {
        for (int i = 0; i < kBossSlot; ++i) s.enemies.free[i] = 1;
        for (auto& f : s.enemyBullets.free) f = 1;
    }
};

TEST(Stage7Scenario, TheOpeningHoldsTheShipUntilTheFallingItemThenTheShaft) {
    Stage7Run run;
    GameState& s = run.s;
    run.engine.keys[kLeft] = true;
    run.playTo(-63);
    EXPECT_FLOAT_EQ(s.playerX, 224);
    EXPECT_FLOAT_EQ(s.playerY, 412);
    const int lives = s.lives;
    for (int f = -62; f <= 599; ++f) {
        run.playTo(f);
        ASSERT_FLOAT_EQ(s.playerX, 224) << f;
        ASSERT_FLOAT_EQ(s.playerY, 496) << f;
        if (f == 90) {
            EXPECT_EQ(s.timeStop, 1);
            EXPECT_EQ(run.liveOfType(60), 2) << "the two other ships";
            EXPECT_EQ(run.liveOfType(55), 2) << "the balloons";
            EXPECT_EQ(run.itemsOfKind(6), 2) << "the 1-ups";
        }
    }
    run.playTo(600);
    EXPECT_EQ(s.timeStop, 0);
    EXPECT_FLOAT_EQ(s.playerX, 224 - 4.5f);
    run.playTo(601);
    EXPECT_FLOAT_EQ(s.playerX, 224 - 9.0f);
    EXPECT_EQ(s.lives, lives) << "the 1-ups fell past the ship";
    run.engine.keys[kLeft] = false;

    // Through 900 the ships still fly; at 901 they go with their sheets,
    // and the shaft is built from the sheets loaded in their place.
    run.playTo(900);
    EXPECT_EQ(run.liveOfType(60), 2);
    EXPECT_EQ(s.sceneObjectCount, 0);
    const HTEXTURE shipA = s.textures[36], shipB = s.textures[40];
    run.playTo(901);
    EXPECT_EQ(run.liveOfType(60), 0);
    EXPECT_NE(s.textures[36], shipA);
    EXPECT_NE(s.textures[40], shipB);
    EXPECT_EQ(s.sceneObjectCount, 156);
    EXPECT_FLOAT_EQ(s.sceneFocal, 1000);
    run.playTo(1200);
    EXPECT_EQ(s.sceneObjectCount, 156);
}

TEST(Stage7Scenario, FastForwardSkipsTheOpeningOnlyFromItsWindow) {
    auto earlyRun = std::make_unique<Stage7Run>();
    Stage7Run& early = *earlyRun;
    early.playTo(89);
    early.engine.keys[kFastForward] = true;
    PlayFrame(early.game);
    EXPECT_EQ(early.s.stageFrame, 890);
    EXPECT_EQ(early.s.timeStop, 0);
    EXPECT_EQ(early.live(early.s.items), 0);
    EXPECT_EQ(early.live(early.s.effects), 0);
    EXPECT_EQ(early.live(early.s.enemyBullets), 0);
    PlayFrame(early.game);
    EXPECT_EQ(early.s.stageFrame, 891) << "time runs on";

    earlyRun.reset();
    auto lateRun = std::make_unique<Stage7Run>();
    Stage7Run& late = *lateRun;
    late.playTo(850);
    late.engine.keys[kFastForward] = true;
    PlayFrame(late.game);
    EXPECT_EQ(late.s.stageFrame, 851);
    EXPECT_EQ(late.s.timeStop, 0);
}

TEST(Stage7Scenario, TheTunesLoopIsAskedOnlyOnceItPlays) {
    LateTuneEngine engine;
    auto owned = std::make_unique<Game>(engine);
    Game& game = *owned;
    game.state.screen = 10;
    game.state.stage = 7;
    game.state.bgmVolume = 100;
    StartRoutine(game);
    game.state.lives = 9;
    game.state.invincibleTimer = 1 << 28;
    while (game.state.stageFrame < 899) PlayFrame(game);
    EXPECT_TRUE(engine.positions.empty()) << "no loop before the stage's tune starts";
    while (game.state.stageFrame < 902) PlayFrame(game);
    ASSERT_FALSE(engine.positions.empty());
    EXPECT_FLOAT_EQ(engine.positions.back(), 21.3f);
}

TEST(Stage7Scenario, TheDarkBetweenTheScenesThenTheBlockWallsPillarStrikes) {
    Stage7Run run;
    GameState& s = run.s;
    run.jumpTo(901);
    run.jumpTo(9549);
    EXPECT_EQ(s.sceneObjectCount, 156) << "the shaft to the last";
    for (int f = 9550; f <= 9599; ++f) {
        run.playTo(f);
        ASSERT_EQ(s.sceneObjectCount, 0) << f;
    }
    run.playTo(9600);
    EXPECT_EQ(s.sceneObjectCount, 204);
    // A ship that keeps still at (224, 420) is struck by a pillar as it
    // first thrusts out (stage frame 10199), not before.
    for (int f = 9601; f <= 10199; ++f) {
        run.clearField();
        s.playerX = 224;
        s.playerY = 420;
        run.playTo(f);
        if (f < 10199) {
            ASSERT_EQ(s.hitPending, 0) << f;
        }
    }
    EXPECT_GT(s.hitPending, 0);
    EXPECT_EQ(s.sceneObjectCount, 204);
}

// A practice started at the tower finds the stage as its skipped cues would
// have left it: the other ships gone and their sheets holding the walls,
// the scenery's focal length, the tower built and the world running.
TEST(Stage7Scenario, APracticeStartedAtTheTowerFindsItBuiltInTheWallsSheets) {
    Stage7Run run;
    GameState& s = run.s;
    run.playTo(-62);
    ASSERT_EQ(run.liveOfType(60), 2);
    JumpStageClock(run.game, 12000);
    PlayFrame(run.game);
    EXPECT_EQ(s.stageFrame, 12000);
    EXPECT_EQ(run.liveOfType(60), 0);
    EXPECT_EQ(s.textures[36], 523u);
    EXPECT_EQ(s.textures[40], 524u);
    EXPECT_FLOAT_EQ(s.sceneFocal, 1000);
    EXPECT_EQ(s.timeStop, 0);
    EXPECT_FLOAT_EQ(s.playerY, 412);
    int pieces = 0;
    for (int i = 0; i < s.sceneObjectCount; ++i) pieces += s.sceneObjects[i].kind <= 100;
    EXPECT_EQ(pieces, 48);
    EXPECT_FLOAT_EQ(s.sceneCamera[2], -7500);
}

TEST(Stage7Scenario, TheFirstMidBossRunsItsThreePatternsAndLeavesItsItemsAsTheClockRunsOn) {
    Stage7Run run;
    GameState& s = run.s;
    s.invincibleTimer = 1 << 28;
    run.jumpTo(3780);
    run.playTo(3800);
    ASSERT_TRUE(s.bossActive);
    EXPECT_EQ(s.bossPattern(), 67);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 5000);
    EXPECT_EQ(s.bossTimeLeft, 3000);
    EXPECT_EQ(run.boss.texY, 0);
    EXPECT_EQ(run.boss.texH, 96);
    run.beatTo(68);
    ASSERT_EQ(s.bossPattern(), 68);
    EXPECT_EQ(s.spellActive, 1);
    EXPECT_EQ(s.bossTimeLeft, 1200);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 4000);
    while (run.boss.timer <= 100) PlayFrame(run.game);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 1200) << "its own bar from its frame 100";
    run.beatTo(69);
    ASSERT_EQ(s.bossPattern(), 69);
    EXPECT_EQ(s.spellActive, 1);
    while (run.boss.timer <= 101) PlayFrame(run.game);
    run.boss.hp = 0;
    while (run.boss.timer >= 0) PlayFrame(run.game);
    ASSERT_EQ(run.boss.timer, -299);
    const float by = run.boss.y;
    const int frame = s.stageFrame;
    PlayFrame(run.game);
    const EnemyBullet* item = run.bulletOf(116);
    ASSERT_NE(item, nullptr) << "the large falling item";
    EXPECT_FLOAT_EQ(item->scaleX, 3);
    EXPECT_GT(item->y, by);
    EXPECT_EQ(run.itemsOfKind(10), 1) << "the bomb item";
    while (s.bossActive) PlayFrame(run.game);
    EXPECT_EQ(s.stageFrame, frame + 70) << "the clock ran on through the defeat";
}

TEST(Stage7Scenario, TheSecondMidBossWritesItsWordsAndItsDefeatResumesAt11500) {
    Stage7Run run;
    GameState& s = run.s;
    run.jumpTo(11420);
    ASSERT_EQ(s.bossPattern(), 70);
    EXPECT_EQ(s.bossTimeLeft, 3000);
    s.invincibleTimer = 1 << 28;
    run.beatTo(71);
    ASSERT_EQ(s.bossPattern(), 71);
    EXPECT_EQ(s.bossTimeLeft, 3600);
    // The words: one every 40 frames from 320, one every 5 from 500.
    auto words = [&] {
        int n = 0;
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            n += !s.enemyBullets.free[i] && s.enemyBullets.slot[i].behavior == 120;
        return n;
    };
    while (run.boss.timer < 499) PlayFrame(run.game);
    EXPECT_EQ(words(), 5);
    EXPECT_FLOAT_EQ(run.boss.maxHp, 3500);
    EXPECT_EQ(s.wordBulletText[0], kStage7WordText[0]);
    while (run.boss.timer < 999) PlayFrame(run.game);
    EXPECT_EQ(words(), 5 + 100);
    // Lines that scrolled below 300 fell out; the rest stand above it.
    int fallen = 0;
    for (int i = 0; i < kEnemyBulletCapacity; ++i) {
        const EnemyBullet& w = s.enemyBullets.slot[i];
        if (s.enemyBullets.free[i] || w.behavior != 120) continue;
        if (w.alpha == 254) ++fallen;
        else EXPECT_LE(w.y, kWordReleaseY + 1) << i;
    }
    EXPECT_GT(fallen, 0);
    // A ship above the words is struck by height, far across from them.
    s.invincibleTimer = 0;
    s.hitPending = 0;
    s.playerX = 440;
    s.playerY = 40;
    PlayFrame(run.game);
    EXPECT_GT(s.hitPending, 0);
    s.invincibleTimer = 1 << 28;
    s.hitPending = 0;
    run.beatTo(0, 400);
    while (s.bossActive) PlayFrame(run.game);
    EXPECT_EQ(s.stageFrame, kStage7ResumeAfterSecondMidBoss);
}

}  // namespace
}  // namespace korvid
