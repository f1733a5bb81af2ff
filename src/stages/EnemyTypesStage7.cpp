// The enemies of the extra stage: scouts (64, also the first mid-boss's
// familiars), heavy gunships (65, and 67 whose streams swing), darts from
// below (66, 68), spinners (69), drops (70) and the wall's darts (71). Every
// bullet they fire is marked (bombs and zones leave marked bullets alone
// the way the stage's fights expect). t is the enemy's timer after this
// frame's tick, d the difficulty (0..3).
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Stage7.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

Enemy& enemyAt(Game& game, int slot) { return game.state.enemies.slot[slot]; }

void mark(Game& game, int slot) {
    if (EnemyBullet* b = JustFired(game, slot)) b->marked = 1;
}
void shot(Game& game, const BulletPlan& b, float x, float y, double angle) {
    mark(game, Fire(game, b, x, y, static_cast<float>(angle)));
}
void aimed(Game& game, const BulletPlan& b, float x, float y, double offset) {
    mark(game, FireAimed(game, b, x, y, static_cast<float>(offset)));
}

// --- type 64: the scout ---
//
// Glides in (a push of 4 dying away by t 40), held full to t 50 and never
// hittable while a boss is there. At t 50, with no boss, a ring of 20 pairs
// (speeds 2 and 2.5, one rand() for the ring's offset), and in any case an
// aimed wedge: seven columns 5 degrees apart, the middle one deepest
// (4 - |i| bullets, speeds from 2.4 up by the table's step). At t 70 it
// starts over with its heading mirrored. With a boss, or after stage frame
// 7799, it leaves upward at speed 3.
struct ScoutNumbers {
    int wedgeDepth;    // bullets in the middle column (the others one fewer per step out)
    double wedgeStep;  // speed step along a column
};
constexpr ScoutNumbers kScout[4] = {{1, 0}, {2, 0.5}, {4, 0.4}, {4, 0.5}};

void scout(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer, d = difficultyRow(game);
    if (t <= 50) e.hp = e.maxHp;
    SpeedRamp(game, 4, 40, 0, slot);
    e.noHit = s.bossActive ? 1 : 0;
    if (t == 50) {
        if (!s.bossActive) {
            const int base = game.rand() % 18;
            const BulletPlan ring{{0, 96, 32, 16, 16}, 2, 0};
            for (int j = 0; j < 20; ++j) {
                for (double speed : {2.0, 2.5}) {
                    BulletPlan b = ring;
                    b.speed = speed;
                    shot(game, b, e.x, e.y, base + 18 * j);
                }
            }
        }
        RequestSound(game, 0);
        MuzzleFlash(game, 32, e.x, e.y);
        const ScoutNumbers& n = kScout[d];
        for (int i = -3; i <= 3; ++i) {
            const int depth = n.wedgeDepth - std::min(std::abs(i), n.wedgeDepth - 1);
            for (int k = 0; k < depth; ++k) {
                const BulletPlan b{{0, 32, 64, 16, 16}, 2.4 + n.wedgeStep * k, 0};
                aimed(game, b, e.x, e.y, 5.0 * i);
            }
        }
    }
    if (t == 70) {
        e.timer = 0;
        e.angle = 360 - e.angle;
    }
    if (s.bossActive || s.stageFrame > 7799) {
        e.angle = 0;
        e.speed = 3;
    }
}

// --- types 65 and 67: the heavy gunships ---
//
// Down the middle at 1.5, stopping at t 90; held full to t `holdTo`. From
// t 100 to 900: every 20 frames a fan of n (27 on Hard) bullets at speed 3
// round straight down, 180 / n degrees apart on Hard (so it closes about
// the ship), and every few frames two fast streams at 120 and 156 (speed 5),
// turned by `swing` degrees. From t 901 it speeds up upward.
struct HeavyNumbers {
    int fan;          // bullets per fan
    int streamEvery;  // frames between the fast pairs
};
constexpr HeavyNumbers kHeavy[4] = {{9, 9}, {17, 5}, {27, 3}, {27, 3}};

void heavyFire(Game& game, Enemy& e, int t, int holdTo, double swing) {
    const HeavyNumbers& n = kHeavy[difficultyRow(game)];
    if (t <= holdTo) e.hp = e.maxHp;
    if (t == 90) e.speed = 0;
    if (t >= 100 && t <= 900) {
        if (t % 20 == 0) {
            RequestSound(game, 1);
            MuzzleFlash(game, 96, e.x, e.y);
            const double step = 180.0 / n.fan;
            const BulletPlan b{{0, 96, 96, 16, 16}, 3, 0};
            for (int i = 0; i < n.fan; ++i) shot(game, b, e.x, e.y + 16, 180 + swing + step * (i - (n.fan - 1) / 2.0));
        }
        if (t % n.streamEvery == 0) {
            const BulletPlan fast{{0, 128, 80, 16, 16}, 5, 0};
            shot(game, fast, e.x, e.y, 120 + swing);
            shot(game, fast, e.x, e.y, 156 + swing);
        }
    }
    if (t > 900) {
        e.angle = 0;
        e.speed = static_cast<float>(e.speed + 0.05);
    }
}

void heavy(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    heavyFire(game, e, e.timer, 100, 0);
}

// Its streams swing round (up to 42 degrees) from stage frame 3380.
void swingingHeavy(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int f = game.state.stageFrame;
    const double swing = f > 3380 ? std::min(42, (f - 3380) / 2) : 0;
    heavyFire(game, e, e.timer, 550, swing);
}

// --- types 66 and 68: the darts from below ---
//
// Up from the bottom at 6, untouchable until stage frame `shieldTo`; they
// turn 7 degrees a frame for t 70..85 (66 one way, 68 the other) and fire
// an aimed burst every few frames in t 60..`fireTo` (three ways 4 degrees
// apart from Normal, speed 6). Type 68 heads straight down after stage
// frame 3269.
struct DartNumbers {
    int every;  // frames between bursts
    int ways;   // bullets per burst, 4 degrees apart
};
constexpr DartNumbers kDart[4] = {{15, 1}, {5, 3}, {5, 3}, {4, 3}};

void dartFire(Game& game, Enemy& e, int t, int fireTo) {
    const DartNumbers& n = kDart[difficultyRow(game)];
    if (t < 60 || t > fireTo || t % n.every != 0) return;
    RequestSound(game, 0);
    const BulletPlan b{{0, 64, 80, 16, 16}, 6, 0};
    const int half = n.ways / 2;
    for (int i = -half; i <= half; ++i) aimed(game, b, e.x, e.y, 4.0 * i);
}

void riser(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer;
    e.noHit = game.state.stageFrame < 2450 ? 1 : 0;
    if (t >= 70 && t <= 85) e.angle += 7;
    dartFire(game, e, t, 120);
}

void mirroredRiser(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer, f = game.state.stageFrame;
    e.noHit = f < 3300 ? 1 : 0;
    if (t >= 70 && t <= 85) e.angle -= 7;
    if (f > 3269) e.angle = 180;
    dartFire(game, e, t, 150);
}

// --- type 69: the spinner ---
//
// Glides in (a push of 3 dying away by t 120) while its heading bends by
// t / 20 a frame (alpha 255 one way, else the other); from t 120 it sinks
// at 1.5. Held full to t 90. At t 60 a double spiral: arms round it, each
// arm a line of speeds 1.5 + 0.18 k bent 2 degrees a step one way, and the
// same bent the other way (one rand() for the spiral's turn).
struct SpinnerNumbers {
    int arms, speeds;
};
constexpr SpinnerNumbers kSpinner[4] = {{5, 4}, {8, 7}, {10, 10}, {10, 10}};

void spinner(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer;
    if (t <= 120) {
        SpeedRamp(game, 3, 120, 0, slot);
        const double bend = t / 20.0;
        e.angle = static_cast<float>(e.alpha == 255 ? e.angle + bend : e.angle - bend);
    }
    if (t == 120) {
        e.angle = 180;
        e.speed = 1.5f;
    }
    if (t <= 90) e.hp = e.maxHp;
    if (t != 60) return;
    const SpinnerNumbers& n = kSpinner[difficultyRow(game)];
    const int base = game.rand() % 36;
    RequestSound(game, 1);
    MuzzleFlash(game, 128, e.x, e.y);
    const double armStep = 360.0 / n.arms;
    for (int twist : {1, -1}) {
        const BulletPlan line{{0, twist > 0 ? 128 : 160, 32, 16, 16}, 1.5, 0};
        for (int a = 0; a < n.arms; ++a) {
            for (int k = 0; k < n.speeds; ++k) {
                BulletPlan b = line;
                b.speed = 1.5 + 0.18 * k;
                shot(game, b, e.x, e.y, base + armStep * a + twist * 2.0 * k);
            }
        }
    }
}

// --- type 70: the drop ---
//
// Falls at 3.5 bending 0.7 degrees a frame toward the middle (alpha 255 from
// the right, else from the left); held full to t 30. Every 20 frames a
// flash at x +-24 and from both points a short column straight down
// (speeds 1.8 + 0.2 j).
constexpr int kDropColumn[4] = {1, 2, 3, 3};

void drop(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer;
    e.angle = static_cast<float>(e.alpha == 255 ? e.angle + 0.7 : e.angle - 0.7);
    if (t <= 30) e.hp = e.maxHp;
    if (t % 20 != 0) return;
    for (float side : {-24.0f, 24.0f}) {
        MuzzleFlash(game, 16, e.x + side, e.y);
        for (int j = 0; j < kDropColumn[difficultyRow(game)]; ++j) {
            const BulletPlan b{{0, 16, 48, 16, 16}, 1.8 + 0.2 * j, 0};
            shot(game, b, e.x + side, e.y, 180);
        }
    }
}

// --- type 71: the wall's dart ---
//
// Turns at the ship at t 5; every 30 frames while on the field a flash and
// an aimed burst of large rice bullets (texture 51, speed 2.5): three ways
// 30 degrees apart, one on Easy.
constexpr int kWallDartWays[4] = {1, 3, 3, 3};

void wallDart(Game& game, int slot) {
    Enemy& e = enemyAt(game, slot);
    const int t = e.timer;
    if (t == 5) e.angle = static_cast<float>(AimAtPlayer(game, e.x, e.y));
    const bool onField = e.x >= 0 && e.x <= 448 && e.y >= 0 && e.y <= 480;
    if (t % 30 != 0 || !onField) return;
    MuzzleFlash(game, 0, e.x, e.y);
    RequestSound(game, 0);
    const int half = kWallDartWays[difficultyRow(game)] / 2;
    const BulletPlan b{{51, 64, 32, 32, 32}, 2.5, 0};
    for (int i = -half; i <= half; ++i) aimed(game, b, e.x, e.y, 30.0 * i);
}

constexpr EnemyTypeEntry kTypes[] = {
    {64, scout},  {65, heavy},   {66, riser}, {67, swingingHeavy},
    {68, mirroredRiser}, {69, spinner}, {70, drop},  {71, wallDart},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage7EnemyTypes() { return kTypes; }

}  // namespace korvid
