// Stage 3 played out to its mid-boss: the crossers' and droppers' waves come
// on their frames; at 3960 everything in play is swept into kind-4 items
// with no death of its own and the mid-boss comes in; the music is never
// looped before the boss; the picture's fade-out keeps a non-negative alpha
// and the aura's scale starts over at 8500 whatever it held.
#include <gtest/gtest.h>

#include <vector>

#include "bosses/BossFight.h"
#include "play/Enemies.h"
#include "play/Geometry.h"
#include "play/StageFlow.h"
#include "stages/Stage3.h"

namespace korvid {
namespace {

int liveOfType(const GameState& s, int type) {
    int n = 0;
    for (int i = 0; i < kBossSlot; ++i) n += !s.enemies.free[i] && s.enemies.slot[i].type == type;
    return n;
}
int liveEnemies(const GameState& s) {
    int n = 0;
    for (int i = 0; i < kBossSlot; ++i) n += !s.enemies.free[i];
    return n;
}
int liveBullets(const GameState& s) {
    int n = 0;
    for (auto f : s.enemyBullets.free) n += f ? 0 : 1;
    return n;
}
int liveItems(const GameState& s) {
    int n = 0;
    for (auto f : s.items.free) n += f ? 0 : 1;
    return n;
}

TEST(Stage3Script, WavesComeOnTheirFramesAndThe3960SweepLeavesOneItemEach) {
    test::BossFight fight(1, 3);
    GameState& s = fight.s;
    fight.playTo(61);
    EXPECT_EQ(liveOfType(s, 12), 1) << "the first crosser at 60";
    int panels = 0;
    for (auto f : s.bgPanels.free) panels += f ? 0 : 1;
    EXPECT_EQ(panels, 3);
    fight.playTo(1551);
    EXPECT_EQ(liveOfType(s, 13), 2) << "one dropper of each row at 1550";
    // The 3100 crosser starts on the right heading 110 and is gone soon.
    fight.playTo(3101);
    int crosser3100 = -1;
    for (int i = 0; i < kBossSlot; ++i)
        if (!s.enemies.free[i] && s.enemies.slot[i].type == 12 && s.enemies.slot[i].x >= 440 &&
            s.enemies.slot[i].angle == 110)
            crosser3100 = i;
    ASSERT_GE(crosser3100, 0);
    fight.playTo(3240);
    EXPECT_TRUE(s.enemies.free[crosser3100] || s.enemies.slot[crosser3100].type != 12);

    fight.playTo(3959);
    // Something on the field to sweep: a fresh crosser and a bullet.
    SpawnEnemy(fight.game, 6, 0, 0, 64, 64, 224, 200, 1, 1, 110, 0.7f, 0, 12, 120, 255);
    SpawnEnemyBullet(fight.game, {0, 96, 32, 16, 16}, 100, 300, 1, 1, 180, 0.5f, 0, 0, 255);
    const int enemies = liveEnemies(s), bullets = liveBullets(s), items = liveItems(s);
    ASSERT_GT(enemies, 0);
    ASSERT_GT(bullets, 0);
    s.soundRequests.fill(0);
    fight.playTo(3960);
    EXPECT_EQ(liveEnemies(s), 0);
    EXPECT_EQ(liveBullets(s), 0);
    EXPECT_GE(liveItems(s), items + enemies) << "an item for each enemy";
    EXPECT_EQ(s.bossActive, 1);
    EXPECT_EQ(s.bossPattern(), 14);
    // The music was started once, not looped, and never sent back.
    EXPECT_TRUE(fight.engine.positions.empty());
}

TEST(Stage3Script, ThePictureFadesWithANonNegativeAlphaAndTheAuraStartsOver) {
    EXPECT_EQ(Stage3PictureAt(8944).alpha, 0);
    EXPECT_EQ(Stage3PictureAt(8945).alpha, 255);
    EXPECT_EQ(Stage3PictureAt(9199).alpha, 1);
    EXPECT_FALSE(Stage3PictureAt(9200).drawn);
    EXPECT_EQ(Stage3PictureAt(5800).rectY, 480);
    EXPECT_EQ(Stage3PictureAt(5799).rectY, 46880 - 8 * 5799);

    test::BossFight fight(1, 3);
    GameState& s = fight.s;
    s.bossVarArr[47] = 1e30f;  // whatever an earlier fight left there
    s.stageFrame = 8499;
    RunStage3(fight.game);
    EXPECT_FLOAT_EQ(s.bossVarArr[47], 1e30f) << "not grown before the aura";
    s.stageFrame = 8500;
    RunStage3(fight.game);
    EXPECT_FLOAT_EQ(s.bossVarArr[47], 1.0f);
    for (int f = 8501; f <= 9199; ++f) {
        s.stageFrame = f;
        RunStage3(fight.game);
    }
    const float grown = s.bossVarArr[47];
    EXPECT_GT(grown, 500.0f);
    s.stageFrame = 9300;
    s.bossActive = 0;
    RunStage3(fight.game);
    EXPECT_FLOAT_EQ(s.bossVarArr[47], grown) << "not grown after the aura";
}

// A dropper in its second life holds its laser on itself from t 1021 while
// the laser grows, and lets it go at 1070 (two lasers on Hard).
TEST(Stage3Script, ADropperHoldsItsLasersUntilItsChaseBegins) {
    for (int d : {1, 2}) {
        test::BossFight fight(d, 3);
        GameState& s = fight.s;
        s.stageFrame = 3500;
        const int slot = SpawnEnemy(fight.game, 6, 0, 256, 32, 32, 224, 100, 1, 1, 180, 0.7f, 0, 13, 60, 255);
        ASSERT_GE(slot, 0);
        Enemy& e = s.enemies.slot[slot];
        e.timer = 1015;
        e.speed = 1;
        e.angle = 90;  // drifting right while it holds
        std::vector<int> lasers;
        for (int i = 0; i < 60; ++i) {
            PlayFrame(fight.game);
            if (lasers.empty())
                for (int b = 0; b < kEnemyBulletCapacity; ++b)
                    if (!s.enemyBullets.free[b] && s.enemyBullets.slot[b].spriteKey / 1000 == 4) lasers.push_back(b);
            if (e.timer == 1040 || e.timer == 1069) {
                ASSERT_EQ(lasers.size(), d >= 2 ? 2u : 1u);
                for (int b : lasers) {
                    const EnemyBullet& l = s.enemyBullets.slot[b];
                    EXPECT_EQ(l.work, slot + 1);
                    const float half = l.texH * l.scaleY / 2;
                    // Its near end on the dropper, give or take the frame's step.
                    EXPECT_NEAR(l.x - DirX(l.angle) * half, e.x, 6.0f) << e.timer;
                    EXPECT_NEAR(l.y - DirY(l.angle) * half, e.y, 6.0f) << e.timer;
                }
            }
        }
        EXPECT_GT(e.timer, 1070);
        EXPECT_EQ(e.auxA, 0) << "let go";
        EXPECT_EQ(e.auxD, 0);
    }
}

}  // namespace
}  // namespace korvid
