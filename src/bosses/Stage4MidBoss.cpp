// The stage-4 mid-boss (texture 46, 64 x 64), from stage frame 3050. The
// stage clock runs on through the fight; nothing of the timeline fires
// while it lasts.
//
//   22 (fans and lasers) -> 23 (card: marks on the ship) -> 24 (card:
//   broad lasers, pinned: only its time ends it) -> it drops its items and
//   flies off up to the left; the slot is freed once it is off screen.
//   22 and 23 share one limit of 2700; a 22 that runs out of time goes
//   straight to 24 (23 never comes).
//
// The cards own the stage's fade value (bossFade): it rises from 0 with
// the card's timer and the card's picture fades in over the ground by it.
//
// t is the boss timer, d the difficulty, (x, y) the boss.
#include <algorithm>
#include <climits>
#include <cmath>

#include "bosses/FightRegistry.h"
#include "bosses/Stage4Boss.h"
#include "game/Game.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// The cards' picture fades in over 51 frames.
void cardFade(Game& game, int t) { game.state.bossFade = std::clamp(5 * t, 0, 255); }

// A thin laser (texture 4): it grows from its spawn point as it flies.
BulletPlan laser(int column, double speed) {
    BulletPlan b{{4, column, 0, 16, 0}, speed, 0};
    b.scaleX = 1.5f;
    b.z = 0.55f;
    return b;
}

// A pair of lasers fencing the ship in: aimed `half` degrees either side
// of it, so a ship that stays put is safe and one that drifts is not.
void laserPair(Game& game, float x, float y, double half, double speed) {
    RequestSound(game, 22);
    const BulletPlan b = laser(96, speed);
    FireAimed(game, b, x, y, static_cast<float>(half));
    FireAimed(game, b, x, y, static_cast<float>(-half));
}

// ------------------------------------------- pattern 22: fans and lasers
//
// Cycle of 400 frames. Positions 0..239, every 40: a flash and a fan of
// five large bullets (texture 50, scale 0.5) 22 degrees apart, aimed, in
// 1/2/3/3 speed layers from 1.8 (0.5 apart). Positions 280, 320, 360: a
// laser pair 16 degrees either side of the ship (speed 7). Positions
// 250..390, every 10/5/5/5 frames: a laser sweeping from 140 to 220 across
// the field below the boss (speed 5); on Hard a second one sweeping back
// from 220 to 140. No rand() draws. The boss glides in from the left over
// its first 60 frames.
struct Pattern22Numbers {
    int fanLayers;
    int sweepEvery;
    bool mirroredSweep;
};
constexpr Pattern22Numbers kPattern22[4] = {{1, 10, false}, {2, 5, false}, {3, 5, true}, {3, 5, true}};

void attack22(Game& game, int t) {
    const Enemy& b = game.state.enemies.slot[kBossSlot];
    const Pattern22Numbers& n = kPattern22[difficulty(game)];
    const int c = t % 400;
    if (c < 240 && c % 40 == 0) {
        RequestSound(game, 1);
        MuzzleFlash(game, 32, b.x, b.y, 255);
        BulletPlan big{{50, 128, 0, 64, 64}, 1.8, 0};
        big.scaleX = big.scaleY = 0.5f;
        const double aim = AimAtPlayer(game, b.x, b.y);
        FireLayeredFan(game, big, b.x, b.y, aim, -2, 2, 22, n.fanLayers, 0.5);
    }
    if (c == 280 || c == 320 || c == 360) laserPair(game, b.x, b.y, 16, 7);
    if (c >= 250 && c <= 390 && c % n.sweepEvery == 0) {
        const float sweep = static_cast<float>(80 * (c - 250) / 140.0);
        Fire(game, laser(32, 5), b.x, b.y + 16, 140 + sweep);
        if (n.mirroredSweep) Fire(game, laser(160, 5), b.x, b.y + 16, 220 - sweep);
    }
}

// ---------------------------------------- pattern 23: marks on the ship
//
// Cycle of 320 frames from the end of the opening. Position 0: a warning
// mark (texture 40, effect type 22) on the ship; it closes in and 80 frames
// later bursts into a ring of 24 (speed 1.8): move off the mark. Every 15
// frames: a laser pair 24/20/16/16 degrees either side of the ship (speed
// 6). No rand() draws.
constexpr double kPattern23Half[4] = {24, 20, 16, 16};

void attack23(Game& game, int t) {
    GameState& s = game.state;
    const Enemy& b = s.enemies.slot[kBossSlot];
    cardFade(game, t);
    const int c = (t - 60) % 320;
    if (c == 0) {
        RequestSound(game, 16);
        SpawnEffect(game, {40, 128, 0, 128, 128}, s.playerX, s.playerY, 1, 1, 0, 0.6f, 22, {255, 255, 255, 255}, 2, 0);
    }
    if (t % 15 == 0) laserPair(game, b.x, b.y, kPattern23Half[difficulty(game)], 6);
}

// -------------------------------------------- pattern 24: broad lasers
//
// Pinned: its hit points are put back every frame, so only its time ends
// it. Cast pose. Every 6/5/4/4 frames two broad rainbow lasers (texture 4,
// scale 3, behaviour 28, speed 4) out to both sides at 90 + w and 270 - w,
// w = 30 sin(1.5 t degrees): a band that waves about the boss's height.
// Every 40/30/20/20 frames a laser pair 20 degrees either side of the ship
// (speed 6). No rand() draws.
struct Pattern24Numbers {
    int broadEvery;
    int pairEvery;
};
constexpr Pattern24Numbers kPattern24[4] = {{6, 40}, {5, 30}, {4, 20}, {4, 20}};

void attack24(Game& game, int t) {
    Enemy& b = game.state.enemies.slot[kBossSlot];
    const Pattern24Numbers& n = kPattern24[difficulty(game)];
    b.hp = b.maxHp;
    b.texY = 128;
    cardFade(game, t);
    if (t % n.broadEvery == 0) {
        const double w = 30 * std::sin(1.5 * t / 57.3);
        BulletPlan broad = laser(0, 4);
        broad.behavior = 28;
        broad.scaleX = 3;
        Fire(game, broad, b.x, b.y, static_cast<float>(90 + w));
        Fire(game, broad, b.x, b.y, static_cast<float>(270 - w));
    }
    if (t % n.pairEvery == 0) laserPair(game, b.x, b.y, 20, 6);
}

// The end of 24: thirty point items, five power items and a bomb piece as
// it turns to leave; freed once off screen (any side).
void leaving(Game& game, int t) {
    GameState& s = game.state;
    Enemy& b = s.enemies.slot[kBossSlot];
    if (t == -299) {
        auto drop = [&](int cell, int kind) {
            const int dy = game.rand() % 64 - 32;
            const int dx = game.rand() % 64 - 32;
            SpawnItem(game, TexRect{3, cell, 96, 16, 16}, b.x + dx, b.y + dy, 0, kind);
        };
        for (int i = 0; i < 30; ++i) drop(16, 3);
        for (int i = 0; i < 5; ++i) drop(32, 2);
        SpawnItem(game, TexRect{3, 80, 96, 16, 16}, b.x, b.y, 0, 6);
    }
    if (s.bossActive && (b.x < -64 || b.x > 512 || b.y < -64 || b.y > 544)) {
        s.enemies.free[kBossSlot] = 1;
        s.bossActive = 0;
    }
}

// ------------------------------------------------------------ the rows

constexpr OpeningPlan kOpening22{
    .holdFrom = 0, .holdTo = 100, .chargeFrom = 60, .chargeTo = 85, .glideTo = 61, .attackAfter = 100};
constexpr OpeningPlan kCardOpening{
    .holdFrom = 0, .holdTo = 60, .chargeFrom = 1, .chargeTo = 25, .attackAfter = 60, .castPoseTo = 0};

constexpr PatternEndPlan kFlyOffEnd{.dropItems = false, .motion = EndMotion::Keep};
// The fly-off ends when the boss is off screen (leaving() frees it); the
// end of the interlude is only a backstop.
constexpr DefeatPlan kFlyOff{
    .endAt = -1, .after = AfterDefeat::FlyOff, .flyHeading = 300, .flySpeed = 3, .during = leaving};

constexpr PatternRow kRow22{.id = 22, .endMaxHp = 900, .next = 23, .opening = kOpening22, .attack = attack22};
// A 22 that ran out of time hands over to 24 with its own limit.
constexpr PatternRow kRow22TimedOut{
    .id = 22, .endMaxHp = 900, .next = 24, .limit = 1000, .opening = kOpening22, .attack = attack22};

void pattern22(Game& game) {
    const FightTable::Found found = Fights(game).find(22);
    if (!found.fight) return;
    RunPatternRow(game, *found.fight, game.state.bossTimedOut ? kRow22TimedOut : kRow22);
}

constexpr PatternRow kMidBossRows[] = {
    {.id = 22, .endMaxHp = 900, .next = 23, .opening = kOpening22, .own = pattern22},
    {.id = 23, .endMaxHp = 900, .next = 24, .limit = 1000, .spell = true, .opening = kCardOpening,
     .attack = attack23},
    {.id = 24, .spell = true, .opening = kCardOpening, .end = kFlyOffEnd, .interlude = InterludeKind::Defeat,
     .defeat = &kFlyOff, .attack = attack24},
};

}  // namespace

std::span<const PatternRow> Stage4MidBossRows() { return kMidBossRows; }

}  // namespace korvid
