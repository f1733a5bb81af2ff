// The pattern toolkit: the small operations boss patterns, enemy behaviours
// and stage scripts share, and the recurring ways they fire bullets (rings,
// fans, aimed shots, random sprays, wall rain). A pattern describes a volley
// by its numbers and calls one of these; the loops live here.
//
// Random numbers: a helper draws only what its comment says, in the order
// it says. Where a pattern draws per bullet (angles, speeds, offsets), the
// pattern draws them itself inside the Shape callback or passes the values
// in, so the order of its rand() calls stays its own.
#pragma once

#include <array>
#include <cstdint>

#include "game/PoolRecords.h"
#include "play/Spawn.h"

namespace korvid {

struct Game;

// ---------------------------------------------------------------- operations

// Shapes enemy `slot`'s speed from its timer t: nothing once t > endFrame + 1;
// on t == startFrame + 1 a push of `push`; on every other frame up to then
// push / (endFrame - startFrame) less; a speed not above 0.2 becomes 0.
// Called every frame it gives a kick that dies away by endFrame + 1.
void SpeedRamp(Game& game, float push, int endFrame, int startFrame, int slot);

// End of a boss pattern: every enemy bullet, in slot order, becomes a kind-4
// item at its position (untracked spawn; a full item pool just loses the
// bullet), then every item in play flies to the player.
void BulletsToItems(Game& game);

// Decimal digits of a value, most significant first. Negative values count
// as 0; 0 is the single digit 0.
struct DigitList {
    std::array<std::uint8_t, 20> digit{};
    int count = 0;
};
DigitList DigitSplit(std::int64_t value);

// ------------------------------------------------------------------- effects

// The muzzle flash at an emitter: texture 0 cell (column, 208, 32, 32), z 0.6,
// effect type 1, additive. Columns 0, 16, 32, 96 and 128 pick the colour;
// some patterns flash brighter (alpha 255) or dimmer.
int MuzzleFlash(Game& game, int column, float x, float y, int alpha = 155);

// One particle of a boss's charge burst around (x, y). Draws rotation, then
// y offset, then x offset (rand() % 360, % 256 - 128, % 256 - 128).
int ChargeParticle(Game& game, float x, float y);
// `count` of them (four per frame is the usual burst).
void ChargeParticles(Game& game, float x, float y, int count = 4);

// Requests sound n for this frame.
void RequestSound(Game& game, int n);

// ------------------------------------------------------------------- bullets

// What every bullet of a volley shares. Defaults: scale 1, z 0.5, alpha 255.
struct BulletPlan {
    TexRect rect;
    double speed = 0;  // speeds written as "2 + 0.3e" are worked out in double
    int behavior = 0;
    int alpha = 255;
    float z = 0.5f;
    float scaleX = 1, scaleY = 1;
    int owner = 0;  // written into each bullet (an emitter effect's slot + 1)
};

// One bullet at (x, y) along `angle`. Returns the slot or -1 (pool full).
int Fire(Game& game, const BulletPlan& b, float x, float y, float angle);

// The bullet a spawn returned, for tagging it (special flag, parameter, a
// negative age); null when the spawn found the pool full, so a tag never
// lands on some other bullet.
EnemyBullet* JustFired(Game& game, int slot);

// One bullet aimed at the player the way enemies aim: spawned at angle 0,
// then its stored angle becomes BearingTo(its position, the player, offset)
// (not folded into 0..360). Nothing is re-aimed when the pool was full.
int FireAimed(Game& game, const BulletPlan& b, float x, float y, float offset);

// Bearing from (x, y) to the player plus offset.
double AimAtPlayer(const Game& game, float x, float y, double offset = 0);

// The step of a ring of n with C's truncating division, 360 / n (0 for n <= 0).
int RingStep(int n);

// How a volley of several speeds nests: every speed of one direction before
// the next direction, or one whole ring/fan per speed.
enum class Nesting { DirectionsOuter, SpeedsOuter };

// Ring of n: angles base + i * 360 / n (i = 0..n-1, the product divided with
// C's truncating integer division). Draws nothing; n <= 0 fires nothing.
void FireRing(Game& game, const BulletPlan& b, float x, float y, int n, float base);

// Layered ring: the ring at speeds b.speed + l * speedStep, l = 0..layers-1.
void FireLayeredRing(Game& game, const BulletPlan& b, float x, float y, int n, float base, int layers,
                     double speedStep, Nesting nesting = Nesting::DirectionsOuter);

// Arc: `count` bullets at base + i * step, i = 0..count-1 (rings written as
// "r % (360 / n) + j * (360 / n)" use FireArc with step RingStep(n)).
void FireArc(Game& game, const BulletPlan& b, float x, float y, int count, float base, double step);

// Fan: bullets at centre + i * step for i = from..to (both ends included).
void FireFan(Game& game, const BulletPlan& b, float x, float y, double centre, int from, int to, double step);

// Layered fan: the fan at speeds b.speed + l * speedStep, l = 0..layers-1.
void FireLayeredFan(Game& game, const BulletPlan& b, float x, float y, double centre, int from, int to,
                    double step, int layers, double speedStep, Nesting nesting = Nesting::DirectionsOuter);

// Aimed fan: a fan of i = -k..k around the bearing from (x, y) to the player,
// taken once for the whole fan.
void FireAimedFan(Game& game, const BulletPlan& b, float x, float y, int k, double step);

// Aimed spread the way enemies fire it: for j = from..to (and each speed
// layer, directions outer), one FireAimed bullet with offset j * step.
void FireAimedSpread(Game& game, const BulletPlan& b, float x, float y, int from, int to, double step,
                     int layers = 1, double speedStep = 0);

// Random spray: `count` bullets from (x, y), each at rand() % 360 (one draw
// per bullet, in spawn order).
void FireRandomSpray(Game& game, const BulletPlan& b, float x, float y, int count);

// The centre of a random spray around a boss: x - rand() % 100 + 50, then
// y - rand() % 100 + 50 (x drawn first).
struct Point {
    float x, y;
};
Point DrawSprayCentre(Game& game, float x, float y);

// Wall rain: `count` bullets along a line from (x0, y0) in steps (dx, dy),
// all along `angle`.
void FireWallRain(Game& game, const BulletPlan& b, float x0, float y0, float dx, float dy, int count,
                  float angle);

// ------------------------------------------- volleys with per-bullet changes
//
// The same idioms where each bullet differs: the Shape callback receives the
// direction index, the speed layer and a copy of the BulletPlan (and, for the
// general form, the shot) to adjust before the bullet is fired, e.g.
//   FireRingShaped(game, plan, x, y, n, base, 3, 0.3f,
//       [](int o, int, BulletPlan& s) { s.rect.x = 96 + 64 * (o % 2); });
// A Shape that calls rand() draws in spawn order.

// One shot of a general volley.
struct Shot {
    float x, y, angle;
};

// `count` bullets; shape(i, plan, shot) fills in each one, starting from a
// copy of b and a shot at (x, y) angle 0.
template <typename Shape>
void FireEach(Game& game, const BulletPlan& b, float x, float y, int count, Shape&& shape) {
    for (int i = 0; i < count; ++i) {
        BulletPlan s = b;
        Shot shot{x, y, 0};
        shape(i, s, shot);
        Fire(game, s, shot.x, shot.y, shot.angle);
    }
}

namespace patternkit_detail {
template <typename Angle, typename Shape>
void layered(Game& game, const BulletPlan& b, float x, float y, int first, int last, int layers,
             double speedStep, Nesting nesting, Angle&& angle, Shape&& shape) {
    auto one = [&](int i, int l) {
        BulletPlan s = b;
        s.speed = b.speed + l * speedStep;
        shape(i, l, s);
        Fire(game, s, x, y, angle(i));
    };
    if (nesting == Nesting::DirectionsOuter) {
        for (int i = first; i <= last; ++i)
            for (int l = 0; l < layers; ++l) one(i, l);
    } else {
        for (int l = 0; l < layers; ++l)
            for (int i = first; i <= last; ++i) one(i, l);
    }
}
}  // namespace patternkit_detail

// Layered ring with per-bullet changes: shape(direction, layer, plan).
template <typename Shape>
void FireRingShaped(Game& game, const BulletPlan& b, float x, float y, int n, float base, int layers,
                    double speedStep, Shape&& shape, Nesting nesting = Nesting::DirectionsOuter) {
    if (n <= 0) return;
    patternkit_detail::layered(
        game, b, x, y, 0, n - 1, layers, speedStep, nesting,
        [&](int i) { return base + static_cast<float>(i * 360 / n); }, shape);
}

// Layered fan with per-bullet changes: shape(i, layer, plan), i = from..to.
template <typename Shape>
void FireFanShaped(Game& game, const BulletPlan& b, float x, float y, double centre, int from, int to,
                   double step, int layers, double speedStep, Shape&& shape,
                   Nesting nesting = Nesting::DirectionsOuter) {
    patternkit_detail::layered(
        game, b, x, y, from, to, layers, speedStep, nesting,
        [&](int i) { return static_cast<float>(centre + static_cast<double>(i) * step); }, shape);
}

}  // namespace korvid
