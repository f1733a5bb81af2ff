// The stage-6 boss's cards 50..53. t is the boss timer, d the difficulty
// (0..2), (x, y) the boss. Per-difficulty numbers sit in tables next to the
// card that uses them, indexed by d.
#include <algorithm>
#include <cmath>

#include "bosses/Stage6Bar.h"
#include "bosses/Stage6Cards.h"
#include "game/Game.h"
#include "play/PatternKit.h"

namespace korvid {

namespace {

int difficulty(const Game& game) { return std::clamp(game.state.difficulty, 0, 2); }

}  // namespace

// ------------------------------------------------ card 50: four blades
//
// Four muzzles, 48 and 96 pixels left and right of the boss, fire blades
// (sheet 38 cell (0, 200, 32, 32), kind 10). The card runs in four phases
// by its bar: above 0.18, to 0.15, to 0.12, below; each crossing adds to
// what the muzzles do (the phase is read from the bar every frame):
//   phase 0  every e frames each muzzle a blade at 180 + side * w,
//            w = 30 sin(3 t degrees): the blades wave down in a curtain.
//   phase 1  as 0, and every 40 frames each muzzle one blade aimed.
//   phase 2  as 1, and the inner muzzles' wave runs the other way.
//   phase 3  as 2, with everything 0.6 faster.
// e = 12/9/7 frames; blade speed 2.2/2.6/3.0. From t 60. No rand() draws.
// The waves leave a lane under the boss between the inner muzzles.
struct Card50Numbers {
    int every;
    double speed;
};
constexpr Card50Numbers kCard50[3] = {{12, 2.2}, {9, 2.6}, {7, 3.0}};
constexpr double kCard50Phases[3] = {0.18, 0.15, 0.12};
constexpr float kCard50Muzzles[4] = {-96, -48, 48, 96};

void Card50(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    if (t < 60) return;
    const Card50Numbers& n = kCard50[difficulty(game)];
    const double fraction = BarFraction(game);
    int phase = 0;
    for (double p : kCard50Phases) phase += fraction <= p;
    const double speed = n.speed + (phase >= 3 ? 0.6 : 0);
    const BulletPlan blade{{38, 0, 200, 32, 32}, speed, 10, 255, 0.31f};
    const double w = 30 * std::sin(3 * t / 57.3);
    for (float dx : kCard50Muzzles) {
        const double side = dx < 0 ? -1 : 1;
        const bool inner = std::abs(dx) < 60;
        const double wave = phase >= 2 && inner ? -w : w;
        if (t % n.every == 0) Fire(game, blade, b.x + dx, b.y, static_cast<float>(180 + side * wave));
        if (phase >= 1 && t % 40 == 0) FireAimed(game, blade, b.x + dx, b.y, 0);
    }
}

// ----------------------------------------------- card 51: two-speed rings
//
// Cycle: 36/30/24 frames from t 60. Each cycle a ring of n = 20/28/36
// bullets of kind 1 (they pulse) at two speeds, 1.4 and 2.4, the slow ring
// offset by half a step, the whole turned by rand() % 360. rand(): one a
// ring. The gaps of the two rings cross: slip through where they part.
struct Card51Numbers {
    int every;
    int ring;
};
constexpr Card51Numbers kCard51[3] = {{36, 20}, {30, 28}, {24, 36}};

void Card51(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card51Numbers& n = kCard51[difficulty(game)];
    if (t < 60 || (t - 60) % n.every != 0) return;
    const int base = game.rand() % 360;
    RequestSound(game, 1);
    BulletPlan ring{{0, 32, 48, 16, 16}, 2.4, 1};
    FireRing(game, ring, b.x, b.y, n.ring, static_cast<float>(base));
    ring.rect.x = 96;
    ring.speed = 1.4;
    FireRing(game, ring, b.x, b.y, n.ring, static_cast<float>(base + 180.0 / n.ring));
}

// --------------------------------------------- card 52: splitting giants
//
// Cycle: 120 frames from t 80 (the overlay has unfolded by then).
//   position 0   a one-frame flash of a 64 x 64 bullet at the boss (kind
//                44: gone on its first step), then a fan of k = 3/5/7
//                64 x 64 bullets (texture 50 (128, 0), scale 0.6, kind 45)
//                aimed, 24 degrees apart, speed 1.6: at age 50 each splits
//                into four speeds.
//   position 60  a ring of 6/8/10 of the same (kind 46, speed 1.2), turned
//                by 15 a cycle: they split at age 90.
// No rand() draws. Move before the split: each giant's pieces keep its line.
struct Card52Numbers {
    int fan;
    int ring;
};
constexpr Card52Numbers kCard52[3] = {{1, 6}, {2, 8}, {3, 10}};

void Card52(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card52Numbers& n = kCard52[difficulty(game)];
    if (t < 80) return;
    const int c = (t - 80) % 120;
    BulletPlan giant{{50, 128, 0, 64, 64}, 1.6, 45, 255, 0.5f, 0.6f, 0.6f};
    if (c == 0) {
        BulletPlan flash = giant;
        flash.behavior = 44;
        Fire(game, flash, b.x, b.y, 180);
        RequestSound(game, 1);
        FireAimedFan(game, giant, b.x, b.y, n.fan, 24);
    }
    if (c == 60) {
        giant.behavior = 46;
        giant.speed = 1.2;
        FireRing(game, giant, b.x, b.y, n.ring, static_cast<float>(15 * ((t - 80) / 120)));
    }
}

// ---------------------------------------------------- card 53: mixed streams
//
// From t 60, a 360-frame cycle (the blinking kinds keep their phases by the
// boss's clock):
//   every 6/5/4 frames  two blinking streams (kind 49) turning 4 degrees a
//                frame in opposite senses, speed 2.
//   every 30     a pair of bouncing bullets (kind 72, off the side walls)
//                at 180 +- 35, speed 2.5.
//   every 45     a spread of 3/5/7 kind-82 bullets (they fade out in the
//                cycle's middle) aimed, 12 degrees apart, speed 2.2, and
//                one kind-84 at the opposite bearing.
//   every 90 (Normal up)  two whirling kind-83 bullets that trail and then
//                dash at the ship, from x +- 64.
// No rand() draws.
struct Card53Numbers {
    int streamEvery;
    int spread;
    bool whirl;
};
constexpr Card53Numbers kCard53[3] = {{6, 1, false}, {5, 2, true}, {4, 3, true}};

void Card53(Game& game, int t) {
    ComeHome(game, t);
    const Enemy& b = Boss(game);
    const Card53Numbers& n = kCard53[difficulty(game)];
    if (t < 60) return;
    if (t % n.streamEvery == 0) {
        const BulletPlan blink{{0, 128, 48, 16, 16}, 2, 49};
        Fire(game, blink, b.x, b.y, static_cast<float>(4 * t));
        Fire(game, blink, b.x, b.y, static_cast<float>(-4 * t + 180));
    }
    if (t % 30 == 0) {
        const BulletPlan bounce{{0, 32, 96, 16, 16}, 2.5, 72};
        Fire(game, bounce, b.x, b.y, 145);
        Fire(game, bounce, b.x, b.y, 215);
    }
    if (t % 45 == 0) {
        const BulletPlan fading{{0, 96, 96, 16, 16}, 2.2, 82};
        FireAimedFan(game, fading, b.x, b.y, n.spread, 12);
        const BulletPlan back{{0, 160, 96, 16, 16}, 2.2, 84};
        FireAimed(game, back, b.x, b.y, 180);
    }
    if (n.whirl && t % 90 == 0) {
        const BulletPlan whirl{{0, 32, 128, 16, 16}, 2, 83};
        Fire(game, whirl, b.x - 64, b.y, 90);
        Fire(game, whirl, b.x + 64, b.y, 270);
    }
}

}  // namespace korvid
