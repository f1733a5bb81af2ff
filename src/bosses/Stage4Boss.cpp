// The stage-4 boss (texture 40, the boss sheet, 64 x 64), from stage frame
// 12700 after its conversation. Under the fight the ground scrolls faster
// (bossScroll rises a step a frame).
//
//   25 (scripted waves; the boss comes in at 2060 and can be shot from 2100)
//   -> 26 (card: rings and blades) -> 27 (spreads, falling giants, laser
//   rain) -> 28 (card: three rainbow lasers) -> 29 (card: the fortress) ->
//   defeat: the stage is cleared.
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include <algorithm>
#include <climits>
#include <cmath>

#include "bosses/Stage4Boss.h"
#include "game/Game.h"
#include "play/Enemies.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"
#include "stages/StageTunes.h"

namespace korvid {

namespace {

constexpr float kEnemyZ = 0.7f;

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }
Enemy& boss(Game& game) { return game.state.enemies.slot[kBossSlot]; }

// Every pattern of the fight: the ground scrolls on faster.
void scrollOn(Game& game) { game.state.bossScroll += 1; }

BulletPlan small(int column, int row, double speed, int behavior = 0) {
    return BulletPlan{{0, column, row, 16, 16}, speed, behavior};
}
BulletPlan large(int column, double speed, int behavior = 0) {
    BulletPlan b{{50, column, 0, 64, 64}, speed, behavior};
    b.scaleX = b.scaleY = 0.5f;
    return b;
}
BulletPlan broadLaser(int column, double speed, float width) {
    BulletPlan b{{4, column, 0, 16, 0}, speed, 0};
    b.scaleX = width;
    b.z = 0.55f;
    return b;
}

// ------------------------------------------ pattern 25: the waves
//
// The fight opens with the boss's own waves while it stands back out of
// reach: it rises off the top over its first 60 frames and holds 1000000
// hit points. Its limit of 1800 is held while the waves run (the count is
// put back every frame until 2100), so the time is the attack's own.
//
// Waves, by timer:
//   120..420 every 20   weavers (type 17) at x 128 and 320 in turn
//   500, 620, 740       tanks (type 21, hp 60) at x 96, 352, 224
//   800..1100 every 15  sprinkles (type 25) rising in from a negative
//                       timer; y drawn first (rand() % 140 + 240), then
//                       x (rand() % 352 + 48)
//   1200, 1500          familiars (type 27, hp 40) at x 96 and 352
//   1650..1950 every 20 weavers at x 96, 224 and 352 in turn
// From 2060 the boss comes down to (224, 143); at 2100 it can be shot
// (hp 900). Then, in a cycle of 120:
//   positions 0 and 60: a fan of 5/7/9/9 small bullets 14 degrees apart
//   straight down (speed 1.6, behaviour 30: each drips aimed bullets while
//   high on the field);
//   position 30: a shadow (texture 40, the dark glow, scale 0.3,
//   behaviour 29) near the ship: it darkens for two seconds, flashes solid
//   and fades; the offset is drawn x first (rand() % 160 - 80), then y
//   (rand() % 120 - 60).
constexpr int kWaveFanHalf[4] = {2, 3, 4, 4};

void weaverAt(Game& game, float x) {
    const int slot = SpawnEnemy(game, 6, 0, 256, 32, 32, x, -16, 1, 1, 180, kEnemyZ, 3, 17, 5, 255);
    if (slot >= 0) game.state.enemies.slot[slot].auxC = x;
}

void waves(Game& game, int t) {
    constexpr float kPair[2] = {128, 320};
    constexpr float kTrio[3] = {96, 224, 352};
    constexpr float kTanks[3] = {96, 352, 224};
    if (t >= 120 && t <= 420 && t % 20 == 0) weaverAt(game, kPair[(t / 20) % 2]);
    if (t == 500 || t == 620 || t == 740)
        SpawnEnemy(game, 6, 0, 288, 32, 32, kTanks[(t - 500) / 120], 0, 1, 1, 180, kEnemyZ, 0.8f, 21, 60, 255);
    if (t >= 800 && t <= 1100 && t % 15 == 0) {
        const int y = game.rand() % 140 + 240;
        const int x = game.rand() % 352 + 48;
        const int slot = SpawnEnemy(game, 6, 0, 288, 32, 32, static_cast<float>(x), static_cast<float>(y), 0.4f,
                                    0.4f, 180, kEnemyZ, 0, 25, 5, 255);
        if (slot >= 0) game.state.enemies.slot[slot].timer = -80;
    }
    if (t == 1200 || t == 1500) {
        SpawnEnemy(game, 6, 0, 320, 32, 32, 96, -16, 1, 1, 180, kEnemyZ, 2.5f, 27, 40, 255);
        SpawnEnemy(game, 6, 0, 320, 32, 32, 352, -16, 1, 1, 180, kEnemyZ, 2.5f, 27, 40, 254);
    }
    if (t >= 1650 && t <= 1950 && t % 20 == 0) weaverAt(game, kTrio[(t / 20) % 3]);
}

void attack25(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = boss(game);
    scrollOn(game);
    if (t < 2100) {
        s.bossTimeLeft = 1800;
        b.hp = b.maxHp;
        b.noHit = 1;
        if (t <= 60) b.y -= 4;
        if (t >= 2060) b.y = static_cast<float>(-100 + (t - 2060) * (243.0 / 40));
        waves(game, t);
        return;
    }
    if (t == 2100) {
        b.hp = b.maxHp = 900;
        b.noHit = 0;
        b.y = 143;
    }
    const int c = (t - 2100) % 120;
    if (c == 0 || c == 60) {
        RequestSound(game, 1);
        MuzzleFlash(game, 96, b.x, b.y);
        const int half = kWaveFanHalf[difficulty(game)];
        FireFan(game, small(96, 64, 1.6, 30), b.x, b.y, 180, -half, half, 14);
    }
    if (c == 30) {
        const int dx = game.rand() % 160 - 80;
        const int dy = game.rand() % 120 - 60;
        BulletPlan shadow{{40, 512, 0, 256, 256}, 0, 29, 0};
        shadow.scaleX = shadow.scaleY = 0.3f;
        shadow.z = 0.45f;
        Fire(game, shadow, s.playerX + static_cast<float>(dx), s.playerY + static_cast<float>(dy), 0);
    }
}

// -------------------------------------- pattern 26: rings and blades
//
// Easy and Normal: every 120/90 frames a flash and a ring of 60 large
// bullets (texture 50, scale 0.5, speed 1.2) at a base that steps 3
// degrees a ring, so the gaps move. From frame 160, blades (texture 1,
// behaviour 31) in random directions: every 6/4/2/2 frames, 1/1/2/2 of
// them, each drawing its angle (rand() % 360) and then its speed
// (2 + (rand() % 15) / 10). Hard has no rings, only the thicker blades.
struct Pattern26Numbers {
    int ringEvery;  // 0: none
    int bladeEvery;
    int blades;
};
constexpr Pattern26Numbers kPattern26[4] = {{120, 6, 1}, {90, 4, 1}, {0, 2, 2}, {0, 2, 2}};

void attack26(Game& game, int t) {
    const Enemy& b = boss(game);
    const Pattern26Numbers& n = kPattern26[difficulty(game)];
    scrollOn(game);
    if (n.ringEvery > 0 && t % n.ringEvery == 0) {
        RequestSound(game, 1);
        MuzzleFlash(game, 128, b.x, b.y, 255);
        FireRing(game, large(192, 1.2), b.x, b.y, 60, static_cast<float>((t / n.ringEvery) * 3 % 6));
    }
    if (t < 160 || t % n.bladeEvery != 0) return;
    RequestSound(game, 0);
    for (int i = 0; i < n.blades; ++i) {
        const int angle = game.rand() % 360;
        const int tenth = game.rand() % 15;
        BulletPlan blade{{1, 32 * (i % 4), 176, 32, 32}, 2 + tenth / 10.0, 31};
        Fire(game, blade, b.x, b.y, static_cast<float>(angle));
    }
}

// --------------------- pattern 27: spreads, falling giants, laser rain
//
// Every 30 frames an aimed spread of 2 + d streams 12 degrees apart, three
// speeds each (2.4, 2.8, 3.2). Every 52 frames a pair of giant orbs
// (texture 40, scale 0.35, speed 2.2) falls from above at x and 448 - x,
// x = rand() % 144 + 32. In each 200-frame cycle, positions 100..130 every
// 6: broad lasers (scale 4, speed 9) fall at x 64 and 384, the field's two
// outer lanes (the middle stays open). The boss wanders on a leg every 200.
void attack27(Game& game, int t) {
    const Enemy& b = boss(game);
    const int d = difficulty(game);
    scrollOn(game);
    if (t % 30 == 0) {
        RequestSound(game, 0);
        MuzzleFlash(game, 32, b.x, b.y);
        const int streams = 2 + d;
        const double centre = AimAtPlayer(game, b.x, b.y) - 6.0 * (streams - 1);
        FireLayeredFan(game, small(32, 96, 2.4), b.x, b.y, centre, 0, streams - 1, 12, 3, 0.4);
    }
    if (t % 52 == 0) {
        const int x = game.rand() % 144 + 32;
        BulletPlan giant{{40, 256, 0, 256, 256}, 2.2, 0};
        giant.scaleX = giant.scaleY = 0.35f;
        Fire(game, giant, static_cast<float>(x), -64, 180);
        Fire(game, giant, static_cast<float>(448 - x), -64, 180);
    }
    const int c = t % 200;
    if (c >= 100 && c <= 130 && c % 6 == 0) {
        RequestSound(game, 22);
        Fire(game, broadLaser(224, 9, 4), 64, -64, 180);
        Fire(game, broadLaser(224, 9, 4), 384, -64, 180);
    }
    MovementLeg(game, t, c, 0, 0, 72);
}

// ------------------------------- pattern 28: three rainbow lasers
//
// The boss keeps an aim in bossVar[0] that turns toward the ship by at most
// 0.6 degrees a frame. Every 5 frames three broad rainbow lasers (texture
// 4, scale 2.5, behaviour 28, speed 5) leave at aim - 40, aim and aim + 40,
// each wavering by 12 sin(3 t degrees): keep moving round the boss. On
// Normal a ring of 20 (speed 1.8) every 60 frames. Every 12 frames a ring
// of large bullets, alternately from texture 1 (32 x 32) and texture 50
// (scale 0.5), 8/10/12/12 of them, turning by behaviour 35 (alpha 255
// turns one way, 254 the other, by 2.5 - d degrees a frame). Turning for
// good they would circle the boss for ever, so at age 45 a ring lets go
// and flies straight: each ring swirls out and opens. No rand().
constexpr int kPattern28Ring[4] = {8, 10, 12, 12};

void attack28(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = boss(game);
    const int d = difficulty(game);
    scrollOn(game);
    float& aim = s.bossVar[0];
    if (t == 61) aim = static_cast<float>(AimAtPlayer(game, b.x, b.y));
    const double want = AimAtPlayer(game, b.x, b.y);
    double delta = std::fmod(want - aim + 540.0, 360.0) - 180.0;
    delta = std::clamp(delta, -0.6, 0.6);
    aim = static_cast<float>(aim + delta);
    if (t % 5 == 0) {
        const double waver = 12 * std::sin(3 * t / 57.3);
        BulletPlan beam = broadLaser(0, 5, 2.5f);
        beam.behavior = 28;
        for (int k = -1; k <= 1; ++k) Fire(game, beam, b.x, b.y, static_cast<float>(aim + 40 * k + waver));
    }
    if (d == 1 && t % 60 == 0) FireRing(game, small(160, 48, 1.8), b.x, b.y, 20, static_cast<float>(t % 18));
    EnemyBulletPool& pool = s.enemyBullets;
    for (int i = 0; i < kEnemyBulletCapacity; ++i)
        if (!pool.free[i] && pool.slot[i].behavior == 35 && pool.slot[i].age >= 45) pool.slot[i].behavior = 0;
    if (t % 12 == 0) {
        RequestSound(game, 1);
        const bool second = (t / 12) % 2 == 1;
        BulletPlan ring = second ? large(320, 1.6, 35) : BulletPlan{{1, 0, 144, 32, 32}, 1.6, 35};
        ring.alpha = second ? 254 : 255;
        FireRing(game, ring, b.x, b.y, kPattern28Ring[d], static_cast<float>(t % 30));
    }
}

// ------------------------------------------ pattern 29: the fortress
//
// At frame 40 the fortress (type 28) rises behind the boss and carries the
// attack (EnemyTypesStage4Boss.cpp). The boss adds, from Normal up, a ring
// of 16 every 90 frames (speed 1.4, no draws) and holds its place.
void attack29(Game& game, int t) {
    const Enemy& b = boss(game);
    scrollOn(game);
    if (t == 40) {
        const int slot = SpawnEnemy(game, 40, 0, 256, 1400, 256, 224, 150, 1, 1, 180, 0.75f, 0, 28, 10000, 255);
        if (slot >= 0) game.state.enemies.slot[slot].auxB = 1;  // scenery: its body does not hurt
    }
    if (difficulty(game) > 0 && t % 90 == 0) FireRing(game, small(64, 64, 1.4), b.x, b.y, 16, 0);
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening25{.holdFrom = 0, .holdTo = 0, .music = kStage4BossTune, .fadeFrom = 1, .attackAfter = 0};
constexpr OpeningPlan kOpening27{.holdFrom = 0, .holdTo = 50, .chargeFrom = 5, .chargeTo = 30, .attackAfter = 50};
constexpr OpeningPlan kCardOpening{
    .holdFrom = 0, .holdTo = 60, .chargeFrom = 1, .chargeTo = 25, .attackAfter = 60, .castPoseTo = 0};

constexpr PatternEndPlan kLastCardEnd{.dropItems = false, .motion = EndMotion::Keep};
constexpr DefeatPlan kBossDefeat{.endAt = -230, .after = AfterDefeat::ClearStage};

// The last card brings its fortress in at frame 40, before its bar can be hurt.
constexpr OpeningPlan kLastCardOpening{
    .holdFrom = 0, .holdTo = 60, .chargeFrom = 1, .chargeTo = 25, .attackAfter = 39, .castPoseTo = 0};

constexpr PatternRow kBossRows[] = {
    {.id = 25, .endMaxHp = 1000, .next = 26, .limit = 4200, .opening = kOpening25, .attack = attack25},
    {.id = 26, .endMaxHp = 1200, .next = 27, .limit = 2400, .spell = true, .opening = kCardOpening,
     .attack = attack26},
    {.id = 27, .endMaxHp = 1200, .next = 28, .limit = 4200, .opening = kOpening27, .attack = attack27},
    {.id = 28, .endMaxHp = 2500, .next = 29, .limit = 4800, .spell = true, .opening = kCardOpening,
     .attack = attack28},
    {.id = 29, .spell = true, .opening = kLastCardOpening, .end = kLastCardEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kBossDefeat, .attack = attack29},
};

}  // namespace

std::span<const PatternRow> Stage4BossRows() { return kBossRows; }

}  // namespace korvid
