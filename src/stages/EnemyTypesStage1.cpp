// The enemies of stage 1: the large cruisers (types 1 and 4), the popcorn
// fairies (type 2, also in stage 3), the medium gunship that can be shot only
// for a moment (type 3) and the diving fairies (type 5). t is the enemy's
// timer after this frame's tick, d the difficulty.
#include <algorithm>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/EnemyTypes.h"
#include "stages/Stage1.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// Fade in at 2 alpha per frame over the first 127 frames.
void fadeIn(Enemy& e, int t) {
    if (t <= 127) e.alpha = 2 * t;
}

// Fades at 8 a frame from `from`, gone (no death, no drop) at `gone`.
void fadeOut(Game& game, int slot, int t, int from, int gone) {
    Enemy& e = game.state.enemies.slot[slot];
    if (t >= from) e.alpha -= 8;
    if (t == gone) game.state.enemies.free[slot] = 1;
}

void refill(Enemy& e, float hp) { e.hp = e.maxHp = hp; }

// The popcorn colour: row 288 fires and flashes red (column 32), row 256 blue (96).
int rowColumn(const Enemy& e) { return (288 - e.texY) / 32 * 64 + 32; }

// A ring whose start is one rand() draw: r % (360 / n) + j * (360 / n).
void randomRing(Game& game, const BulletPlan& b, float x, float y, int n) {
    const int r = game.rand();
    const int step = RingStep(n);
    FireArc(game, b, x, y, n, static_cast<float>(step > 0 ? r % step : 0), step);
}

// --- type 1 ---

constexpr int kCruiserRing[4] = {5, 10, 20, 20};
constexpr int kCruiserQuickRing[4] = {0, 12, 20, 30};
constexpr BulletPlan kCruiserRingShot{{0, 64, 16, 16, 16}, 2, 1};
constexpr BulletPlan kCruiserFanShot{{0, 32, 16, 16, 16}, 1.5, 0};
constexpr BulletPlan kCruiserSpiralShot{{0, 96, 16, 16, 16}, 2, 1};

void cruiserSpiral(Game& game, const Enemy& e, int t, int d) {
    const int turns[8] = {t, -t, t + 180, -t - 180, t + 90, -t - 90, t + 270, -t - 270};
    const int count = d >= 2 ? 8 : 4;
    for (int i = 0; i < count; ++i) Fire(game, kCruiserSpiralShot, e.x, e.y, static_cast<float>(turns[i]));
}

}  // namespace

// Glides in, fades in, fires every 10 frames from frame 70; its hit points
// become 100 at frame 400 and it rises away from frame 520.
void GlidingCruiser(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 5, 60, 0, slot);
    fadeIn(e, t);
    if (t == 400) refill(e, 100);
    if (t >= 520) e.y -= 2;
    if (t % 10 != 0 || t <= 60) return;
    RequestSound(game, 0);
    if (t % 60 == 0 && t >= 200) {
        randomRing(game, kCruiserRingShot, e.x, e.y, kCruiserRing[d]);
        if (d > 0) {
            RequestSound(game, 1);
            FireAimedSpread(game, kCruiserFanShot, e.x, e.y, 4 - 4 * d, 4 * d - 4, 20, 4 * d - 2, 0.5);
        }
    }
    if (t % 30 == 0 && t >= 100 && d > 0) randomRing(game, kCruiserRingShot, e.x, e.y, kCruiserQuickRing[d]);
    MuzzleFlash(game, 96, e.x, e.y);
    cruiserSpiral(game, e, t, d);
}

// Unhittable for its first 10 frames, curls outward while high on the
// screen, and (difficulty 1 up) fires once at frame 40.
void CurlingPopcorn(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 10 ? 1 : 0;
    if (t >= 22 && t <= 132 && e.y >= 80) e.angle += e.x >= 224 ? 2.0f : -2.0f;
    if (t != 40 || d < 1) return;
    RequestSound(game, 0);
    const int column = rowColumn(e);
    MuzzleFlash(game, column, e.x, e.y);
    const BulletPlan shot{{0, column, 48, 16, 16}, 1.2 + 0.2 * d, 1};
    const int n = d == 2 ? 3 : 1;
    const int r = game.rand();
    FireArc(game, shot, e.x, e.y, n, static_cast<float>(r % 360), RingStep(n));
}

namespace {

constexpr BulletPlan kGunshipAimed{{0, 32, 96, 16, 16}, 0, 10};
constexpr BulletPlan kGunshipParting{{0, 96, 96, 16, 16}, 2, 5};
constexpr float kGunshipFlank[4] = {10, -10, 20, -20};

void gunshipOpening(Game& game, const Enemy& e, int d) {
    for (int j = 0; j <= 2 * d; ++j) {
        BulletPlan b = kGunshipAimed;
        b.speed = 2 * d + 1 + 0.2 * j;
        FireAimed(game, b, e.x, e.y, 0);
        if (d != 2) continue;
        b.speed = 5 + 0.2 * j;
        for (float offset : kGunshipFlank) FireAimed(game, b, e.x, e.y, offset);
    }
}

}  // namespace

// Fires an aimed opening at frame 1, is shielded until frame 100, then open
// to fire with 20 hit points until it fades away at frame 151.
void ShortWindowGunship(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 5, 60, 0, slot);
    if (t == 1 && d > 0) gunshipOpening(game, e, d);
    e.noHit = t < 100 ? 1 : 0;
    if (t == 100) {
        refill(e, 20);
        RequestSound(game, 1);
        MuzzleFlash(game, 96, e.x, e.y);
        const int count = d == 3 ? 4 : 1;
        constexpr float kHeadings[4] = {180, 0, 90, 270};
        for (int i = 0; i < count; ++i) Fire(game, kGunshipParting, e.x, e.y, kHeadings[i]);
    }
    fadeOut(game, slot, t, 120, 151);
}

namespace {

constexpr BulletPlan kRingCruiserSlow{{0, 128, 32, 16, 16}, 0.5, 5, 254};
constexpr BulletPlan kRingCruiserStanding{{0, 160, 48, 16, 16}, 0, 2};

}  // namespace

// Glides in and fades in like type 1; from frame 70 to its fade, on the
// centre line a flash and a slow ring of 10 every 40 frames, off it a
// standing ring of 20 every 20 frames. Shielded until frame 400, when its
// hit points become 200; fades from frame 550, gone at 581.
void RingCruiser(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer;
    SpeedRamp(game, 5, 60, 0, slot);
    fadeIn(e, t);
    e.noHit = t < 400 ? 1 : 0;
    if (t == 400) refill(e, 200);
    if (t >= 70 && t < 550) {
        if (e.x == 224.0f) {
            if (t % 40 == 0) {
                RequestSound(game, 0);
                MuzzleFlash(game, 128, e.x, e.y);
                const int r = game.rand();
                FireArc(game, kRingCruiserSlow, e.x, e.y, 10, static_cast<float>(r % 24), 36);
            }
        } else if (t % 20 == 0) {
            FireArc(game, kRingCruiserStanding, e.x, e.y, 20, 12, 18);
        }
    }
    fadeOut(game, slot, t, 550, 581);
}

namespace {

// The burst of difficulty 2 leaves from five points around the diver.
struct BurstShot {
    int signX, signY;
    float heading;
};
constexpr BurstShot kDiverBurst[5] = {{1, 1, 90}, {-1, -1, 180}, {1, -1, 315}, {-1, 1, 315}, {0, 0, 315}};

void diverBurst(Game& game, const Enemy& e, int column, int ox, int oy) {
    const BulletPlan b{{0, column, 32, 16, 16}, 3, 0};
    for (const BurstShot& p : kDiverBurst)
        Fire(game, b, e.x + static_cast<float>(p.signX * ox), e.y + static_cast<float>(p.signY * oy), p.heading);
}

// Until then a diver is shielded (spawned with many hit points); it becomes
// a 0.5-point target at frame 15 on difficulty 0, and later on the others:
// at the left edge (turning right along it) or 200 pixels down.
void diverOpens(Game& game, Enemy& e, int t, int d) {
    if (d == 0) {
        if (t == 15 && e.y > 10) refill(e, 0.5f);
        return;
    }
    if (e.maxHp <= 10) return;
    if (e.x <= 4) {
        e.angle = 90;
        refill(e, 0.5f);
    } else if (e.y >= 200) {
        refill(e, 0.5f);
    }
}

}  // namespace

// Dives along a heading between 120 and 240 firing every 16 frames (every
// 48 on difficulty 0, which also sprays a random bullet every 20).
void Diver(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    if (e.angle >= 120 && e.angle <= 240) {
        const int column = rowColumn(e);
        int spread = 0;  // difficulty 0 draws no spread: its volley leaves at 135
        if (d >= 1 && t % 16 == 0) {
            RequestSound(game, 0);
            MuzzleFlash(game, column, e.x, e.y);
            const int ox = game.rand() % 32 - 16;
            const int oy = game.rand() % 32 - 16;
            spread = game.rand() % 90 - 45;
            if (d == 2) diverBurst(game, e, column, ox, oy);
        }
        if (t % (d >= 1 ? 16 : 48) == 0) {
            const BulletPlan b{{0, column, 64, 16, 16}, 1.5, 0};
            FireLayeredFan(game, b, e.x, e.y, 135 + spread, 0, 0, 0, d / 2 + 1, 0.3);
        }
        if (d == 0 && t % 20 == 0) {
            const int angle = game.rand() % 360;
            Fire(game, {{0, column, 16, 16, 16}, 1.2, 0}, e.x, e.y, static_cast<float>(angle));
        }
    }
    diverOpens(game, e, t, d);
    e.noHit = e.maxHp > 10 ? 1 : 0;
}

namespace {

constexpr EnemyTypeEntry kTypes[] = {
    {1, GlidingCruiser}, {2, CurlingPopcorn}, {3, ShortWindowGunship}, {4, RingCruiser}, {5, Diver},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage1EnemyTypes() { return kTypes; }

}  // namespace korvid
