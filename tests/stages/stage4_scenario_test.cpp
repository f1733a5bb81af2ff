// Stage 4 played out: the wall map read through the engine's texture lock
// (its surface wider than the picture), the ship hit or pushed by a wall,
// shots stopped; the rain's volleys and their draws; the mid-boss left
// alone running out of time into its last card and flying off.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "bosses/BossFight.h"
#include "play/Enemies.h"
#include "play/StageFlow.h"
#include "stages/Stage4.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

constexpr std::uint32_t kFree = 0x00FFFFFFu, kWall = 0xFF402010u;
constexpr int kMapW = 480, kMapH = 2480, kSurfaceW = 512, kSurfaceH = 4096;
constexpr HTEXTURE kMapHandle = 77;

// An engine whose texture 77 is a map picture 480 wide on a 512-wide
// surface. The padding beyond column 479 is filled with wall, so a reader
// that takes the picture's width for the stride reads walls where there
// are none.
struct MapEngine : test::RecordingEngine {
    std::vector<std::uint32_t> surface = std::vector<std::uint32_t>(std::size_t(kSurfaceW) * kSurfaceH, kWall);
    int locks = 0, unlocks = 0;
    MapEngine() {
        for (int y = 0; y < kMapH; ++y)
            for (int x = 0; x < kMapW; ++x) at(x, y) = kFree;
    }
    std::uint32_t& at(int x, int y) { return surface[std::size_t(y) * kSurfaceW + x]; }
    void block(int x0, int y0, int x1, int y1) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) at(x, y) = kWall;
    }
    int Texture_GetWidth(HTEXTURE t, bool original) override {
        return t == kMapHandle ? (original ? kMapW : kSurfaceW) : 0;
    }
    int Texture_GetHeight(HTEXTURE t, bool original) override {
        return t == kMapHandle ? (original ? kMapH : kSurfaceH) : 0;
    }
    std::uint32_t* Texture_Lock(HTEXTURE t, bool, int, int, int, int) override {
        if (t != kMapHandle) return nullptr;
        ++locks;
        return surface.data();
    }
    void Texture_Unlock(HTEXTURE t) override { unlocks += t == kMapHandle; }
};

struct MapRun {
    MapEngine engine;
    std::unique_ptr<Game> owned = std::make_unique<Game>(engine);  // too large for the stack
    Game& game = *owned;
    GameState& s = game.state;
    explicit MapRun(int difficulty) {
        game.uiSprite = std::make_unique<Sprite>(engine, 0, 0, 0, 0, 0);
        s.screen = 10;
        s.stage = 4;
        s.difficulty = difficulty;
        s.textures[40] = kMapHandle;
        s.wallMapLoaded = 1;
        s.playerShots.free.fill(1);
        s.enemyBullets.free.fill(1);
        s.enemies.free.fill(1);
        s.effects.free.fill(1);
        s.items.free.fill(1);
    }
    // The script alone on stage frame f, the ship at (x, y).
    void at(int f, float x, float y) {
        s.stageFrame = f;
        s.playerX = x;
        s.playerY = y;
        RunStage4(game);
    }
    int shot(float x, float y) {
        return SpawnPlayerShot(game, {54, 0, 0, 16, 16}, x, y, 1, 1, 0, 0.6f, 10, 0, 255, 1);
    }
};

void game_uiHotSpot(MapRun& run) { run.game.uiSprite->SetHotSpot(40, 8); }

// Slide-in at frame 7400: the map's last 200 rows show above the edge at
// y 200. The bottom 200 map rows are wall: the ship is hit (Hard) while
// above y 194 and never tested from there down.
TEST(Stage4WallMap, SlidingInTestsTheShipOnlyAboveTheMovingEdge) {
    MapRun run(2);
    run.engine.block(0, 1800, kMapW - 1, 1999);
    run.at(7400, 224, 194);
    EXPECT_EQ(run.s.hitPending, 0) << "at the edge less six the ship is not tested";
    run.at(7400, 224, 300);
    EXPECT_EQ(run.s.hitPending, 0);
    // The shared sprite comes with whatever hot spot its last user left:
    // the map is still drawn from the field's corner, where it is tested.
    game_uiHotSpot(run);
    run.engine.quads.clear();
    run.at(7400, 224, 193);
    EXPECT_EQ(run.s.hitPending, 11);
    bool mapDrawn = false;
    for (const Quad& q : run.engine.quads) {
        if (q.tex != kMapHandle) continue;
        mapDrawn = true;
        EXPECT_EQ(q.v[0].x, 0);
        EXPECT_EQ(q.v[0].y, 0);
        EXPECT_EQ(q.v[2].y, 200) << "the slid-in part is 200 rows tall";
    }
    EXPECT_TRUE(mapDrawn);
    EXPECT_EQ(run.engine.locks, run.engine.unlocks) << "every lock is released the same frame";
    EXPECT_EQ(WallMapAt(7000).phase, 0);
    EXPECT_EQ(WallMapAt(7960).phase, 1) << "frame 7960 closes the slide-in";
    EXPECT_EQ(WallMapAt(7960).row(0), 1520) << "the slide-in ends on the window the scroll starts from";
    EXPECT_EQ(WallMapAt(7961).row(0), 1520);
    EXPECT_EQ(WallMapAt(7962).row(1), 1520) << "a real half row on odd frames";
    EXPECT_EQ(WallMapAt(11959).phase, 3);
    EXPECT_EQ(WallMapAt(11960).phase, 0);
}

// Scrolling at frame 8000 (field row y is map row trunc(1500.5 + y)): a
// wall under the ship at (224, 300), map row 1800.
TEST(Stage4WallMap, HardHitsOnceWhereNormalPushesByTheFirstOpenWay) {
    // Hard: one hit with its invincibility, no push; no second hit while
    // invincible.
    MapRun hard(2);
    hard.engine.block(200, 1795, 250, 1803);
    hard.at(8000, 224, 300);
    EXPECT_EQ(hard.s.hitPending, 11);
    EXPECT_EQ(hard.s.invincibleTimer, 31);
    EXPECT_EQ(hard.s.soundRequests[13], 1);
    EXPECT_EQ(hard.s.playerY, 300);
    hard.s.hitPending = 0;
    hard.at(8000, 224, 300);
    EXPECT_EQ(hard.s.hitPending, 0);

    // Normal, free six rows below: down a pixel at a time onto free space
    // (rows 1801..1803 are wall, 1804 free): four pixels, no hit.
    MapRun down(1);
    down.engine.block(200, 1795, 250, 1803);
    down.at(8000, 224, 300);
    EXPECT_EQ(down.s.hitPending, 0);
    EXPECT_EQ(down.s.playerX, 224);
    EXPECT_EQ(down.s.playerY, 304);

    // Wall below too, free six columns right: right until free (227).
    MapRun right(1);
    right.engine.block(200, 1795, 226, 1815);
    right.at(8000, 224, 300);
    EXPECT_EQ(right.s.playerX, 227);
    EXPECT_EQ(right.s.playerY, 300);

    // Walled below, right and left, free six rows up: up, the full six.
    MapRun up(1);
    up.engine.block(180, 1795, 240, 1830);
    up.at(8000, 224, 300);
    EXPECT_EQ(up.s.playerX, 224);
    EXPECT_EQ(up.s.playerY, 294);
    EXPECT_EQ(up.s.hitPending, 0);

    // Walled in every way: two pixels toward the middle.
    MapRun boxed(1);
    boxed.engine.block(250, 1780, 350, 1830);
    boxed.at(8000, 300, 300);
    EXPECT_EQ(boxed.s.playerX, 298);
    EXPECT_EQ(boxed.s.playerY, 300);

    // Below the walls, right by the padding: no wall is read from it.
    MapRun edge(1);
    edge.at(8000, 479, 300);
    edge.at(8000, 470, 479.5f);
    EXPECT_EQ(edge.s.playerX, 470);
    EXPECT_EQ(edge.s.playerY, 479.5f);
}

TEST(Stage4WallMap, ShotsOverAWallVanishUnlessABombRuns) {
    MapRun run(1);
    run.engine.block(100, 1600, 200, 1700);  // field rows 100..199 at frame 8000
    const int over = run.shot(150, 150);
    const int beside = run.shot(300, 150);
    const int below = run.shot(150, 250);
    run.s.bombActive = 1;
    run.at(8000, 400, 440);
    EXPECT_FALSE(run.s.playerShots.free[over]) << "a bomb lets shots through";
    run.s.bombActive = 0;
    run.at(8000, 400, 440);
    EXPECT_TRUE(run.s.playerShots.free[over]);
    EXPECT_FALSE(run.s.playerShots.free[beside]);
    EXPECT_FALSE(run.s.playerShots.free[below]);

    // A map that did not load has no walls: nothing is locked, nothing stops.
    MapRun missing(2);
    missing.s.textures[40] = 0;
    const int shot = missing.shot(150, 150);
    missing.at(8000, 150, 150);
    EXPECT_FALSE(missing.s.playerShots.free[shot]);
    EXPECT_EQ(missing.s.hitPending, 0);
    EXPECT_EQ(missing.engine.locks, 0);
}

// The rain: every 4 frames over 400..1249 two lasers from above, at 64 and
// 384 each moved by one draw r, (r % 20 - 10) / 10 pixels in real division.
TEST(Stage4Script, TheRainFallsInTwoLasersADrawEach) {
    MapRun run(1);
    run.s.wallMapLoaded = 0;
    GameRandom expected = run.s.rng;
    int volleys = 0;
    for (int f = 396; f <= 1252; ++f) {
        run.s.enemyBullets.free.fill(1);
        run.s.enemies.free.fill(1);
        run.at(f, 224, 440);
        int lasers = 0;
        std::vector<float> xs;
        for (int i = 0; i < kEnemyBulletCapacity; ++i) {
            const EnemyBullet& b = run.s.enemyBullets.slot[i];
            if (run.s.enemyBullets.free[i] || b.spriteKey != SpriteKey(4, 0) || b.y != -64) continue;
            ++lasers;
            xs.push_back(b.x);
        }
        const bool volley = f >= 400 && f <= 1249 && f % 4 == 0;
        ASSERT_EQ(lasers, volley ? 2 : 0) << "frame " << f;
        if (!volley) continue;
        ++volleys;
        const int r1 = expected.next();
        const int r2 = expected.next();
        EXPECT_FLOAT_EQ(xs[0], static_cast<float>(64 + (r1 % 20 - 10) / 10.0));
        EXPECT_FLOAT_EQ(xs[1], static_cast<float>(384 + (r2 % 20 - 10) / 10.0));
        EXPECT_EQ(run.s.rng.state, expected.state) << "two draws a volley and no more, frame " << f;
    }
    EXPECT_EQ(volleys, 213);
}

// Left alone, the mid-boss's first pattern runs out of its 2700 frames
// and goes straight to its last card (23 never comes), which is pinned: it
// too runs out, the boss drops its items and flies off, and once it is off
// screen the slot is free and the stage's timeline runs on, its clock never
// stopped. The wall map waits for the timeline: it is loaded on the first
// frame from 7000 with no boss present.
TEST(Stage4MidBoss, AnUntouchedFirstPatternTimesOutIntoTheLastCardWhichFliesOff) {
    test::BossFight fight(1, 4);
    GameState& s = fight.s;
    fight.jumpTo(3050);
    ASSERT_EQ(s.bossActive, 1);
    ASSERT_EQ(s.bossPattern(), 22);
    bool saw23 = false;
    int cardAt = -1, goneAt = -1;
    float hpSeenIn24 = 0;
    bool mapDuringFight = false;
    while (s.stageFrame < 9000 && goneAt < 0) {
        PlayFrame(fight.game);
        if (s.bossActive && s.bossPattern() == 23) saw23 = true;
        if (cardAt < 0 && s.bossActive && s.bossPattern() == 24) cardAt = s.stageFrame;
        if (s.bossActive && s.bossPattern() == 24 && fight.boss.timer > 100) hpSeenIn24 = fight.boss.hp;
        if (cardAt > 0 && !s.bossActive) goneAt = s.stageFrame;
        if (s.bossActive && s.wallMapLoaded) mapDuringFight = true;
    }
    EXPECT_FALSE(saw23);
    ASSERT_GT(cardAt, 3050 + 2700);
    EXPECT_EQ(hpSeenIn24, 900) << "the last card is pinned";
    ASSERT_GT(goneAt, cardAt + 1000);
    EXPECT_TRUE(s.enemies.free[kBossSlot]);
    EXPECT_TRUE(fight.boss.x < -64 || fight.boss.y < -64) << "freed once off screen";
    EXPECT_EQ(fight.itemsOfKind(6), 1);
    EXPECT_FALSE(mapDuringFight) << "the mid-boss keeps its sheet while it fights";
    fight.playTo(std::max(goneAt, 7000) + 1);
    EXPECT_EQ(s.wallMapLoaded, 1);
}

// The boss's first pattern holds its limit while its waves run and cannot
// be hurt until 2100; then each pattern shot down hands over to the next,
// the fortress comes with the last card and goes with it, and the stage
// clears.
TEST(Stage4Boss, TheWavesHoldTheClockThenEachPatternHandsOverToTheClear) {
    test::BossFight fight(1, 4);
    GameState& s = fight.s;
    fight.jumpTo(12700);
    ASSERT_EQ(s.bossPattern(), 25);
    s.dialogueActive = 0;  // its conversation skipped
    fight.boss.timer = 0;
    while (fight.boss.timer < 2100) {
        PlayFrame(fight.game);
        ASSERT_EQ(s.bossPattern(), 25);
    }
    EXPECT_EQ(s.bossTimeLeft, 1800) << "the limit is held while the waves run";
    EXPECT_EQ(fight.boss.noHit, 1);
    PlayFrame(fight.game);
    EXPECT_EQ(fight.boss.maxHp, 900);
    EXPECT_EQ(fight.boss.noHit, 0);
    std::vector<int> order{25};
    bool fortress = false;
    for (int guard = 0; guard < 20000 && !s.stageCleared; ++guard) {
        PlayFrame(fight.game);
        if (s.bossActive && s.bossPattern() != order.back()) order.push_back(s.bossPattern());
        if (s.bossActive && fight.boss.timer == 200 && fight.boss.hp > 0) fight.boss.hp = 0;
        for (int i = 0; i < kBossSlot; ++i) fortress |= !s.enemies.free[i] && s.enemies.slot[i].type == 28;
    }
    EXPECT_EQ(order, (std::vector<int>{25, 26, 27, 28, 29}));
    EXPECT_TRUE(fortress);
    EXPECT_EQ(s.stageCleared, 1);
    EXPECT_EQ(s.stageFrame, 100000);
    for (int i = 0; i < kBossSlot; ++i) EXPECT_FALSE(!s.enemies.free[i] && s.enemies.slot[i].type == 28);
}

}  // namespace
}  // namespace korvid
