// Each stage-1 enemy type played out frame by frame on its own.
#include "stages/EnemyTypes.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/PoolSteps.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class EnemyTypesTest : public ::testing::Test {
protected:
    test::TestGame t;
    Game& g = *t.game;
    void SetUp() override {
        t.s.screen = 10;
        t.s.stage = 1;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.playerX = 224;
        t.s.playerY = 400;
        t.s.invincibleTimer = 1000;  // bodies passing the ship do not matter here
    }
    Enemy& at(int slot) { return t.s.enemies.slot[slot]; }
    std::vector<int> liveBullets() const {
        std::vector<int> out;
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            if (!t.s.enemyBullets.free[i]) out.push_back(i);
        return out;
    }
    const EnemyBullet& bullet(int i) const { return t.s.enemyBullets.slot[i]; }
    // Runs the enemy's frames up to and including its timer `frame`; returns
    // the bullets that frame fired.
    int runTo(int slot, int frame) {
        int fired = 0;
        while (at(slot).timer < frame && !t.s.enemies.free[slot]) {
            const std::size_t before = liveBullets().size();
            UpdateEnemy(g, slot);
            fired = static_cast<int>(liveBullets().size() - before);
        }
        return fired;
    }
    int cruiser(int type, float x) { return SpawnEnemy(g, 6, 0, 448, 80, 64, x, 0, 1, 1, 180, 0.7f, 0, type, 2500, 0); }
};

TEST_F(EnemyTypesTest, Type1GlidesInFadesInAndFiresSpiralsRingsAndFans) {
    t.s.difficulty = 1;
    const int e = cruiser(1, 224);
    EXPECT_EQ(runTo(e, 1), 0);
    EXPECT_EQ(at(e).speed, 5);  // the glide's push
    runTo(e, 50);
    EXPECT_EQ(at(e).alpha, 100);
    EXPECT_EQ(runTo(e, 60), 0);   // silent through frame 60
    EXPECT_EQ(runTo(e, 70), 4);   // the spiral
    EXPECT_EQ(t.s.soundRequests[0], 1);
    EXPECT_EQ(at(e).speed, 0);    // at rest
    EXPECT_EQ(runTo(e, 120), 16);  // spiral and a ring of 12
    const std::size_t before = liveBullets().size();
    EXPECT_EQ(runTo(e, 240), 28);  // spiral, ring of 12, ring of 10 and the aimed pair
    int aimed = 0;
    for (int i : liveBullets()) {
        if (static_cast<std::size_t>(i) < before || bullet(i).texX != 32) continue;
        EXPECT_EQ(bullet(i).angle, 180);  // straight at the ship below
        ++aimed;
    }
    EXPECT_EQ(aimed, 2);
    runTo(e, 400);
    EXPECT_EQ(at(e).hp, 100);
    EXPECT_EQ(at(e).maxHp, 100);
    const float y = at(e).y;
    runTo(e, 521);
    EXPECT_FLOAT_EQ(at(e).y, y - 2 * 2);  // rises from frame 520
}

TEST_F(EnemyTypesTest, Type1OnTheEasiestDifficultyFiresOnlyRingsOfFiveAndSpirals) {
    const int e = cruiser(1, 224);
    EXPECT_EQ(runTo(e, 120), 4);
    EXPECT_EQ(runTo(e, 240), 9);
}

TEST_F(EnemyTypesTest, Type2PopcornIsUnhittableAtFirstCurlsAndFiresOnce) {
    t.s.difficulty = 2;
    const int e = SpawnEnemy(g, 6, 0, 256, 32, 32, 64, 0, 1, 1, 180, 0.7f, 4, 2, 0.5f, 255);
    runTo(e, 10);
    EXPECT_EQ(at(e).noHit, 1);
    runTo(e, 11);
    EXPECT_EQ(at(e).noHit, 0);
    runTo(e, 30);
    EXPECT_EQ(at(e).angle, 180 - 2 * 9);  // left of centre: curls to the right from frame 22
    EXPECT_EQ(runTo(e, 40), 3);
    const std::vector<int> b = liveBullets();
    EXPECT_EQ(bullet(b[0]).texX, 96);  // the blue row's colour
    EXPECT_FLOAT_EQ(bullet(b[0]).speed, 1.6f);
    EXPECT_EQ(static_cast<int>(bullet(b[1]).angle - bullet(b[0]).angle + 360) % 360, 120);
    EXPECT_EQ(runTo(e, 60), 0);
}

TEST_F(EnemyTypesTest, Type2FiresNothingOnTheEasiestDifficulty) {
    const int e = SpawnEnemy(g, 6, 0, 288, 32, 32, 384, 0, 1, 1, 180, 0.7f, 4, 2, 0.5f, 255);
    runTo(e, 60);
    EXPECT_TRUE(liveBullets().empty());
    EXPECT_GT(at(e).angle, 180);  // right of centre: curls the other way
}

TEST_F(EnemyTypesTest, Type3OpensFireIsShieldedThenOpenForFiftyFramesAndVanishes) {
    t.s.difficulty = 2;
    const int e = SpawnEnemy(g, 6, 0, 384, 64, 64, 128, 0, 1, 1, 180, 0.7f, 0, 3, 550, 255);
    EXPECT_EQ(runTo(e, 1), 25);  // five aimed shots, each with four flankers
    runTo(e, 99);
    EXPECT_EQ(at(e).noHit, 1);
    EXPECT_EQ(at(e).hp, 550);
    EXPECT_EQ(runTo(e, 100), 1);
    EXPECT_EQ(at(e).noHit, 0);
    EXPECT_EQ(at(e).hp, 20);
    EXPECT_EQ(bullet(liveBullets().back()).angle, 180);
    runTo(e, 121);
    EXPECT_EQ(at(e).alpha, 255 - 16);
    runTo(e, 150);
    EXPECT_EQ(t.s.enemies.free[e], 0);
    runTo(e, 151);
    EXPECT_EQ(t.s.enemies.free[e], 1);
    for (auto f : t.s.items.free) EXPECT_EQ(f, 1);  // gone without drops
}

TEST_F(EnemyTypesTest, Type4RingsOnTheCentreLineAndStandingRingsOffIt) {
    t.s.difficulty = 1;
    const int centre = cruiser(4, 224);
    const int side = cruiser(4, 100);
    runTo(side, 79);
    EXPECT_EQ(runTo(centre, 80), 10);
    for (int i : liveBullets()) {
        EXPECT_EQ(bullet(i).behavior, 5);
        EXPECT_EQ(bullet(i).alpha, 254);
        EXPECT_FLOAT_EQ(bullet(i).speed, 0.5f);
    }
    EXPECT_EQ(runTo(side, 80), 20);
    const EnemyBullet& first = bullet(liveBullets()[10]);
    EXPECT_EQ(first.behavior, 2);
    EXPECT_EQ(first.speed, 0);
    EXPECT_EQ(first.angle, 12);
    runTo(centre, 399);
    EXPECT_EQ(at(centre).noHit, 1);
    runTo(centre, 400);
    EXPECT_EQ(at(centre).noHit, 0);
    EXPECT_EQ(at(centre).hp, 200);
    runTo(centre, 580);
    EXPECT_EQ(t.s.enemies.free[centre], 0);
    EXPECT_EQ(runTo(centre, 581), 0);
    EXPECT_EQ(t.s.enemies.free[centre], 1);
}

TEST_F(EnemyTypesTest, Type5DiverIsShieldedUntil200PixelsDownAndFiresEvery16Frames) {
    t.s.difficulty = 1;
    const int e = SpawnEnemy(g, 6, 0, 256, 32, 32, 250, 0, 1, 1, 230, 0.7f, 4, 5, 500, 255);
    EXPECT_EQ(runTo(e, 16), 1);
    const EnemyBullet& b = bullet(liveBullets()[0]);
    EXPECT_GE(b.angle, 90);
    EXPECT_LT(b.angle, 180);
    EXPECT_EQ(at(e).noHit, 1);
    while (at(e).y < 200) runTo(e, at(e).timer + 1);
    EXPECT_EQ(at(e).noHit, 0);
    EXPECT_EQ(at(e).maxHp, 0.5f);
    EXPECT_EQ(at(e).angle, 230);  // still diving
}

TEST_F(EnemyTypesTest, Type5DiverReachingTheEdgeTurnsAlongItAndStopsFiring) {
    t.s.difficulty = 1;
    const int e = SpawnEnemy(g, 6, 0, 288, 32, 32, 10, 0, 1, 1, 230, 0.7f, 4, 5, 500, 255);
    runTo(e, 2);
    EXPECT_EQ(at(e).angle, 90);
    EXPECT_EQ(at(e).hp, 0.5f);
    EXPECT_EQ(runTo(e, 16), 0);
}

TEST_F(EnemyTypesTest, Type5OnHardFiresABurstAndOnEasyOpensAtFrame15) {
    t.s.difficulty = 2;
    const int hard = SpawnEnemy(g, 6, 0, 256, 32, 32, 250, 0, 1, 1, 130, 0.7f, 4, 5, 500, 255);
    EXPECT_EQ(runTo(hard, 16), 7);  // five from the points around it, two at 135 + spread
    t.s.enemies.clear();
    t.s.enemyBullets.clear();
    t.s.difficulty = 0;
    const int easy = SpawnEnemy(g, 6, 0, 256, 32, 32, 250, 0, 1, 1, 130, 0.7f, 4, 5, 500, 255);
    runTo(easy, 15);
    EXPECT_EQ(at(easy).noHit, 0);
    EXPECT_EQ(at(easy).hp, 0.5f);
    EXPECT_EQ(runTo(easy, 20), 1);  // one random bullet
    EXPECT_FLOAT_EQ(bullet(liveBullets()[0]).speed, 1.2f);
    EXPECT_EQ(runTo(easy, 48), 1);
    EXPECT_EQ(bullet(liveBullets().back()).angle, 135);
}

}  // namespace
}  // namespace korvid
