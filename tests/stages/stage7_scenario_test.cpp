// The extra stage played out: the frozen opening (the ship held below the
// field until the falling item comes, the skip key's window), the shaft and
// its count, the sheets of the two other ships swapped for the walls only
// once their ships are gone, the stage tune's loop asked only once it
// plays, the dark between the scenes and the block wall, and the pillar
// that strikes a still ship at 10199.
#include <gtest/gtest.h>

#include <memory>

#include "bosses/BossFight.h"
#include "stages/Stage7.h"

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
        if (f < 10199) ASSERT_EQ(s.hitPending, 0) << f;
    }
    EXPECT_GT(s.hitPending, 0);
    EXPECT_EQ(s.sceneObjectCount, 204);
}

}  // namespace
}  // namespace korvid
