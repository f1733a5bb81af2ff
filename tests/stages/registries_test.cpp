// The registries: a stage, an enemy type, a fight and a boss bullet code
// added through tables of their own (no shared switch edited) play out in a
// game that is handed those tables, while the game's own tables stay as they
// are; and a fight can be entered directly at any of its patterns.
#include <gtest/gtest.h>

#include <memory>

#include "app/FrameDriver.h"
#include "bosses/FightRegistry.h"
#include "engine/HeadlessEngine.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/PatternKit.h"
#include "play/Player.h"
#include "play/StageFlow.h"
#include "stages/StageRegistry.h"
#include "stages/StageScript.h"
#include "bosses/SpellCards.h"

namespace korvid {
namespace {

constexpr int kCountingType = 98;
constexpr int kMarkingCode = 150;

// Counts its own frames.
void countingEnemy(Game& g, int slot) { g.state.enemies.slot[slot].auxA += 1; }
// Marks itself (a boss-bound behaviour code).
void markingBullet(Game& g, int slot) { g.state.enemyBullets.slot[slot].marked = 1; }

void everyHalfSecond(Game& g, int t) {
    if (t % 30 == 0) Fire(g, BulletPlan{{0, 0, 48, 16, 16}, 1.0, kMarkingCode}, Boss(g).x, Boss(g).y, 180);
}

constexpr EnemyTypeEntry kTypes[] = {{kCountingType, countingEnemy}};
constexpr BossBulletEntry kBullets[] = {{kMarkingCode, markingBullet}};
constexpr DefeatPlan kClear{.endAt = -230, .after = AfterDefeat::ClearStage};
constexpr OpeningPlan kShortOpening{.holdFrom = 0, .holdTo = 20, .attackAfter = 20};
constexpr PatternRow kRows[] = {
    {.id = 90, .endMaxHp = 300, .next = 91, .limit = 900, .opening = kShortOpening, .attack = everyHalfSecond},
    {.id = 91, .spell = true, .opening = kShortOpening, .end = {.dropItems = false, .motion = EndMotion::Keep},
     .interlude = InterludeKind::Defeat, .defeat = &kClear, .attack = everyHalfSecond},
};
constexpr BossEntry kEntry{.cell = {36, 0, 0, 48, 64}, .x = 224, .y = 100, .pattern = 90, .hp = 200,
                           .timeLimit = 600, .scale = 1.5f, .heading = 80, .alpha = 155,
                           .flash = EntryFlash::None};

void stage8(Game& g) {
    if (BossGate(g)) return;
    const int f = g.state.stageFrame;
    if (f == 10) SpawnEnemy(g, 6, 0, 256, 32, 32, 100, 100, 1, 1, 180, 0.7f, 0, kCountingType, 10, 255);
    if (f == 30) BringInBoss(g, kEntry);
}
constexpr StageLine kStageLines[] = {{8, stage8, kTypes, {TimeOutHp::Zero, false, 9999}, nullptr}};
constexpr FightLine kFightLines[] = {{&kEntry, kRows, {}, kBullets}};

class RegistryGame {
public:
    explicit RegistryGame(const Rules* rules) : engine_(CreateHeadlessEngine(HeadlessOptions{false})) {
        engine_->System_Initiate();
        game_ = std::make_unique<Game>(*engine_);
        if (rules) game_->rules = rules;
        GameState& s = game_->state;
        s.screen = 10;
        s.character = 1;
        s.lives = 9;
        CreatePlayerSprites(*game_);
    }
    void frame() {
        game_->state.invincibleTimer = 100;
        engine_->Gfx_BeginScene();
        PlayFrame(*game_);
        engine_->Gfx_EndScene();
    }
    Game& game() { return *game_; }
    GameState& s() { return game_->state; }

private:
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<Game> game_;
};

TEST(Registries, AStageAnEnemyTypeAndAFightAddedByTablesPlayOut) {
    const StageTable stages{BuiltInStageLines(), kStageLines};
    const FightTable fights{BuiltInFightLines(), kFightLines};
    const Rules rules{&stages, &fights, &fights.bulletHooks()};
    RegistryGame r(&rules);
    GameState& s = r.s();
    s.stage = 8;
    StageLoadReset(s);
    while (s.stageFrame < 29) r.frame();

    // The stage's script spawned its enemy, whose type runs from the table.
    ASSERT_EQ(s.enemies.free[0], 0);
    EXPECT_EQ(s.enemies.slot[0].type, kCountingType);
    EXPECT_FLOAT_EQ(s.enemies.slot[0].auxA, 20);

    // The fight comes in as its entry says.
    r.frame();
    ASSERT_EQ(s.bossActive, 1);
    const Enemy& boss = s.enemies.slot[kBossSlot];
    EXPECT_EQ(boss.type, 90);
    EXPECT_FLOAT_EQ(boss.scaleX, 1.5f);
    EXPECT_FLOAT_EQ(boss.angle, 80);
    EXPECT_EQ(boss.alpha, 155);
    EXPECT_EQ(s.bossTimeLeft, 600);

    // Its attack fires bullets whose boss-bound code runs from the table.
    for (int i = 0; i < 40; ++i) r.frame();
    int marked = 0;
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        marked += !s.enemyBullets.free[i] && s.enemyBullets.slot[i].behavior == kMarkingCode &&
                  s.enemyBullets.slot[i].marked;
    EXPECT_GT(marked, 0);

    // Shot down: the hand-over to the card, which is declared on arrival.
    s.enemies.slot[kBossSlot].hp = 0;
    for (int i = 0; i < 120 && s.bossPattern() == 90; ++i) r.frame();
    EXPECT_EQ(s.bossPattern(), 91);
    EXPECT_EQ(s.spellActive, 1);
    EXPECT_EQ(s.spellTimeLimit, 900);
    EXPECT_FLOAT_EQ(boss.maxHp, 300);

    // The card shot down: the defeat sequence clears the stage 70 frames on.
    for (int i = 0; i < 25; ++i) r.frame();
    s.enemies.slot[kBossSlot].hp = 0;
    int frames = 0;
    while (!s.stageCleared && frames < 200) {
        r.frame();
        ++frames;
    }
    EXPECT_EQ(frames, 71);
    EXPECT_EQ(s.bossActive, 0);
    EXPECT_EQ(s.stageFrame, 100000);

    // A game on the built-in tables knows nothing of them.
    RegistryGame plain(nullptr);
    EXPECT_EQ(Stages(plain.game()).line(8), nullptr);
    EXPECT_EQ(Stages(plain.game()).enemyStep(kCountingType), nullptr);
    EXPECT_EQ(Fights(plain.game()).find(90).row, nullptr);
    EXPECT_EQ(Fights(plain.game()).bulletHooks()[kMarkingCode], nullptr);
}

TEST(Registries, AFightStartsDirectlyAtAnyOfItsPatterns) {
    struct Case {
        int id;
        float hp;
        int limit;
        bool card;
    };
    const Case cases[] = {{1, 700, 2400, false}, {2, 620, 2400, false}, {3, 900, 2400, false},
                          {4, 900, 1500, false}, {5, 1200, 1500, true}, {7, 1400, 2100, true}};
    for (const Case& c : cases) {
        RegistryGame r(nullptr);
        GameState& s = r.s();
        s.stage = 1;
        StageLoadReset(s);
        s.stageFrame = 0;
        ASSERT_TRUE(BringInFightAt(r.game(), c.id)) << c.id;
        const Enemy& boss = s.enemies.slot[kBossSlot];
        EXPECT_EQ(boss.type, c.id);
        EXPECT_FLOAT_EQ(boss.hp, c.hp) << c.id;
        EXPECT_EQ(s.bossTimeLeft, c.limit) << c.id;
        EXPECT_EQ(s.spellActive, c.card ? 1 : 0) << c.id;
        EXPECT_EQ(s.dialogueActive, 0) << c.id;
    }
    RegistryGame r(nullptr);
    EXPECT_FALSE(BringInFightAt(r.game(), 89)) << "no fight of the game has pattern 89";
}

}  // namespace
}  // namespace korvid

namespace korvid {
namespace {

// The defeat that ends in a closing conversation keeps the fight (and so
// the stage's timeline) held until the last page, then clears the stage;
// the segmented bar's hand-over ends one card and declares the next on the
// same frame with the new limit remembered.
TEST(Registries, ClosingTalkAndSegmentHandOver) {
    static constexpr DefeatPlan kTalk{
        .endAt = -230, .after = AfterDefeat::ClosingTalk, .talk = {.first = 12, .last = {15, 15, 9}}};
    static constexpr PatternRow kLast[] = {{.id = 95, .interlude = InterludeKind::Defeat, .defeat = &kTalk}};
    static constexpr FightLine kFight{&kEntry, kLast, {}, {}};
    RegistryGame r(nullptr);
    GameState& s = r.s();
    s.stage = 2;
    StageLoadReset(s);
    s.stageFrame = 5000;
    s.bossActive = 1;
    SpawnEnemy(r.game(), 36, 0, 0, 48, 64, 224, 143, 1, 1, 180, 0.7f, 0, 95, 100, 255);
    s.bossTimer() = -230;
    RunPatternRow(r.game(), kFight, kLast[0]);
    EXPECT_EQ(s.dialogueActive, 1);
    EXPECT_EQ(s.dialoguePage, 12);
    EXPECT_EQ(s.dialoguePageCount, 15);
    EXPECT_EQ(s.bossActive, 1) << "the timeline stays held during the talk";
    EXPECT_EQ(s.stageCleared, 0);
    s.dialogueActive = 0;  // the last page turned
    s.bossTimer() = 0;
    RunPatternRow(r.game(), kFight, kLast[0]);
    EXPECT_EQ(s.bossActive, 0);
    EXPECT_EQ(s.enemies.free[kBossSlot], 1);
    EXPECT_EQ(s.stageCleared, 1);
    EXPECT_EQ(s.stageFrame, 100000);

    // A card on a long bar: 46 ends at 0.8 of its bar, 47 goes on from there.
    StageLoadReset(s);
    s.stage = 6;
    s.difficulty = 1;
    s.bossActive = 1;
    SpawnEnemy(r.game(), 38, 0, 0, 64, 96, 224, 143, 1, 1, 180, 0.7f, 0, 46, 3500, 255);
    s.spellActive = 1;
    s.bossTimeLeft = 3000;
    SpellDeclare(r.game());
    s.bossTimeLeft = 1500;  // half the time left
    s.bossVar[1] = 7;
    const std::int64_t before = s.score;
    SegmentTransition(r.game(), {47, 8000, 6400});
    const Enemy& boss = s.enemies.slot[kBossSlot];
    EXPECT_EQ(s.score - before, 1100000LL * 4 / 2) << "card 46's bonus for half its time";
    EXPECT_EQ(s.bossPattern(), 47);
    EXPECT_EQ(s.spellActive, 1);
    EXPECT_EQ(s.bossTimeLeft, 6000);
    EXPECT_EQ(s.spellTimeLimit, 6000);
    EXPECT_FLOAT_EQ(boss.maxHp, 8000);
    EXPECT_FLOAT_EQ(boss.hp, 6400);
    EXPECT_EQ(s.bossTimer(), 0);
    EXPECT_FLOAT_EQ(s.bossVar[1], 0);
}

}  // namespace
}  // namespace korvid
