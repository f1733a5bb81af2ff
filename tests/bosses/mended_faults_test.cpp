// Faults mended in the shared boss and spawn code, each played out: a card
// that times out, tags that must not land on another object when a pool is
// full, a boss entry whose conversation latches its first page, and the
// tune a stage started part-way or at a fight plays.
#include <gtest/gtest.h>

#include "bosses/BossDriver.h"
#include "bosses/BossFight.h"
#include "bosses/FightRegistry.h"
#include "bosses/SpellCards.h"
#include "play/Drops.h"
#include "play/Enemies.h"
#include "play/PlayerShotKinds.h"
#include "play/Spawn.h"
#include "play/StageFlow.h"
#include "stages/Stage1.h"
#include "stages/StageScript.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

class MendedFaults : public ::testing::Test {
protected:
    test::TestGame t;
    void SetUp() override {
        t.s.screen = 10;
        t.s.stage = 4;
        t.s.character = 1;
        StageLoadReset(t.s);
        t.s.stageFrame = 100;
        t.s.lives = 2;
    }
    bool effectWithRect(int texX, int texY) const {
        for (int i = 0; i < kEffectCapacity; ++i)
            if (!t.s.effects.free[i] && t.s.effects.slot[i].texX == texX && t.s.effects.slot[i].texY == texY)
                return true;
        return false;
    }
    // Every slot of the bullet pool taken; `witness` stands for the bullet
    // spawned last before the pool filled up.
    void fillBullets(int witness) {
        for (int i = 0; i < kEnemyBulletCapacity; ++i)
            SpawnEnemyBullet(*t.game, {0, 0, 0, 16, 16}, 10, 10, 1, 1, 0, 0.5f, 0, 0, 255);
        t.s.lastEnemyBulletSlot = witness;
    }
};

// A card whose time ran out was not spoiled: "Spell Card Bonus" with the
// value 0, nothing added, even where the stage's time-out leaves a count of
// 9999 behind (stages 2 to 4).
TEST_F(MendedFaults, ATimedOutCardShowsABonusOfNothing) {
    t.s.score = 1234560;
    t.s.enemies.slot[kBossSlot].type = 23;
    t.s.spellActive = 1;
    t.s.spellTimeLimit = 1000;
    t.s.bossTimeLeft = 9999;
    t.s.bossTimedOut = 1;
    SpellEnd(*t.game);
    EXPECT_TRUE(effectWithRect(256, 96)) << "the bonus caption";
    EXPECT_FALSE(effectWithRect(256, 384)) << "no Bonus Failed caption";
    EXPECT_TRUE(effectWithRect(0, 208)) << "the digit 0";
    EXPECT_EQ(t.s.score, 1234560);

    // A bomb or a death still spoils it.
    t.s.effects.clear();
    t.s.spellBonusLost = 1;
    SpellEnd(*t.game);
    EXPECT_TRUE(effectWithRect(256, 384));
    EXPECT_FALSE(effectWithRect(256, 96));
}

// Decoys are marked as they are dropped; with no free bullet slot nothing
// is dropped and nothing else gets marked.
TEST_F(MendedFaults, DecoysIntoAFullPoolMarkNoOtherBullet) {
    fillBullets(7);
    Enemy& e = t.s.enemies.slot[3];
    t.s.enemies.occupy(3);
    e.type = 66;
    e.x = e.y = 200;
    DropEnemyItems(*t.game, 3);
    EXPECT_EQ(t.s.enemyBullets.slot[7].marked, 0);
}

// The first card's bursts set their bullets' age; a burst into a full pool
// leaves the bullet spawned before it alone.
TEST_F(MendedFaults, CardBurstIntoAFullPoolTagsNoOtherBullet) {
    t.s.stage = 1;
    t.s.difficulty = 0;
    t.s.bossActive = 1;
    SpawnEnemy(*t.game, 36, 0, 0, 48, 64, 224, 143, 1, 1, 180, 0.7f, 0, 5, 1200, 255);
    t.s.bossTimer() = 240;  // cycle position 70: a burst
    fillBullets(7);
    RunPattern(*t.game, 5);
    EXPECT_EQ(t.s.enemyBullets.slot[7].age, 0);
}

// Character 2's automatic bomb shakes gauge items out of the boss and sends
// them to the player; with the item pool full none is sent, and no other
// item is.
TEST_F(MendedFaults, AutomaticBombIntoAFullItemPoolAttractsNoOtherItem) {
    t.s.character = 2;
    t.s.bossActive = 1;
    SpawnEnemy(*t.game, 36, 0, 0, 48, 64, 224, 143, 1, 1, 180, 0.7f, 0, 4, 900, 255);
    for (int i = 0; i < kItemCapacity; ++i) SpawnItem(*t.game, {3, 0, 96, 16, 16}, 10, 470, 0, 1);
    t.s.lastItemSlot = 5;
    PlayerShot& bomb = t.s.playerShots.slot[0];
    t.s.playerShots.occupy(0);
    bomb.kind = 9;
    bomb.alpha = 254;
    bomb.scaleX = 1;
    for (int age = 0; age < 17; ++age) {
        bomb.age = age;
        SecondBombStep(*t.game, 0);
    }
    EXPECT_EQ(t.s.items.slot[5].attracted, 0);
}

// A boss's conversation holds its first page against a key already down,
// whether or not it records its start frame.
TEST_F(MendedFaults, BossConversationLatchesItsFirstPage) {
    t.s.stage = 1;
    t.s.dialogueKeyLatch = 0;
    t.s.dialoguePageStart = -5;
    BringInBoss(*t.game, kStage1Boss);
    EXPECT_EQ(t.s.dialogueActive, 1);
    EXPECT_EQ(t.s.dialogueKeyLatch, 1);
    EXPECT_EQ(t.s.dialoguePageStart, -5);
    EXPECT_EQ(t.s.dialoguePageCount, 10);

    BossEntry stamped = kStage1Boss;
    stamped.talk.start = PageStart::Stamp;
    StageLoadReset(t.s);
    t.s.stageFrame = 9200;
    t.s.dialogueKeyLatch = 0;
    t.s.character = 3;
    BringInBoss(*t.game, stamped);
    EXPECT_EQ(t.s.dialogueKeyLatch, 1);
    EXPECT_EQ(t.s.dialoguePageStart, 9200);
    EXPECT_EQ(t.s.dialoguePageCount, 5);
}

// The stage-6 route is earned within one game: a new game started from
// the title after one that reached the whole-screen fight starts without it.
// A stage entered part-way (--from) plays the tune it would be playing
// then; a fight brought in at one of its patterns (--boss, spell practice)
// the stage's tune under a mid-boss and the boss's own under its later
// patterns. Past its boss's entry a stage starts none of its own.
TEST(StageTunes, AStageStartedPartWayPlaysTheTuneOfThatMoment) {
    struct Jump {
        int stage, frame;
        const char* tune;  // null: none started
    };
    for (const Jump j : {Jump{4, 3000, "Music/music4.mp3"}, Jump{5, 1000, "Music/music5.mp3"},
                         Jump{1, 1000, "Music/music1.ogg"}, Jump{6, 8200, nullptr}}) {
        test::BossFight run(1, j.stage);
        run.playTo(-1);
        const std::size_t before = run.engine.loads.size();
        JumpStageClock(run.game, j.frame);
        if (!j.tune) {
            EXPECT_EQ(run.engine.loads.size(), before) << "stage " << j.stage;
            continue;
        }
        ASSERT_EQ(run.engine.loads.size(), before + 1) << "stage " << j.stage;
        EXPECT_EQ(run.engine.loads.back(), j.tune);
    }
    struct Fight {
        int stage, id;
        const char* tune;
    };
    for (const Fight f : {Fight{4, 23, "Music/music4.mp3"}, Fight{4, 27, "Music/music4boss.ogg"},
                          Fight{5, 31, "Music/music5.mp3"}, Fight{5, 38, "Music/music5boss.mp3"},
                          Fight{5, 42, "Music/music5bossb.mp3"}, Fight{1, 6, "Music/music1boss.ogg"},
                          Fight{2, 8, "Music/music2.mp3"}, Fight{3, 17, "Music/music3boss.mp3"},
                          Fight{6, 50, "Music/music6boss.mp3"}}) {
        test::BossFight run(1, f.stage);
        run.playTo(-1);
        ASSERT_TRUE(BringInFightDirectly(run.game, f.id));
        run.playTo(60);
        ASSERT_FALSE(run.engine.loads.empty()) << "pattern " << f.id;
        EXPECT_EQ(run.engine.loads.back(), f.tune) << "pattern " << f.id;
    }
}

TEST_F(MendedFaults, ANewGameStartsWithoutTheStage6Route) {
    t.s.wideFieldFightStarted = 1;
    t.s.screen = 10;
    t.s.stage = 0;
    t.s.practiceMode = 0;
    StartRoutine(*t.game);
    EXPECT_EQ(t.s.stage, 1);
    EXPECT_EQ(t.s.wideFieldFightStarted, 0);
}

}  // namespace
}  // namespace korvid
