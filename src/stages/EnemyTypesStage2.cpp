// The enemies of stage 2, all 32 x 32 from the common sheet: the scouts
// that fade in, fire once or for a while, close in above the ship and leave
// upward (types 6, 7, 8, 10 and the popcorn 11), and the crossers that
// spray both ways as they pass (type 9). t is the enemy's timer after this
// frame's tick, d the difficulty.
#include <algorithm>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage2.h"
#include "stages/Stage2Types.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// The bullet colour of the sheet's rows: 256 blue, 288 red, 320 violet,
// 352 green.
int rowColumn(const Enemy& e) {
    switch (e.texY) {
    case 288: return 32;
    case 320: return 128;
    case 352: return 160;
    default: return 96;
    }
}

// Fade in at 6 alpha a frame to frame 41; unhittable while t < shieldTo.
void fadeAndShield(Enemy& e, int t, int shieldTo) {
    if (t <= 41) e.alpha = 6 * t;
    e.noHit = t < shieldTo ? 1 : 0;
}

// From `approachAt` it heads for a point 64 pixels above the ship at 2.5;
// from `leaveAt` straight up at 4.
void approachAndLeave(Game& game, Enemy& e, int t, int approachAt, int leaveAt) {
    const GameState& s = game.state;
    if (t >= leaveAt) {
        e.angle = 0;
        e.speed = 4;
    } else if (t >= approachAt) {
        e.angle = static_cast<float>(BearingTo(e.x, e.y, s.playerX, s.playerY - 64, 0));
        e.speed = 2.5f;
    }
}

void flash(Game& game, const Enemy& e, int column) {
    RequestSound(game, 0);
    MuzzleFlash(game, column, e.x, e.y);
}

}  // namespace

// --- type 6 ---

// At frame 41 a burst of aimed bullets, each slower than the last; from
// Hard two more beside each at +-25 degrees.
void BurstScout(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 3, 50, 0, slot);
    fadeAndShield(e, t, 41);
    approachAndLeave(game, e, t, 100, 300);
    if (t != 41) return;
    const int column = rowColumn(e);
    flash(game, e, column);
    const int count = d == 3 ? 8 : 3 * d + 1;
    for (int j = 0; j < count; ++j) {
        const BulletPlan b{{0, column, 16, 16, 16}, 3.5 - 0.2 * j, 0};
        FireAimed(game, b, e.x, e.y, 0);
        if (d < 2) continue;
        FireAimed(game, b, e.x, e.y, 25);
        FireAimed(game, b, e.x, e.y, -25);
    }
}

// --- type 7 ---

// Frames 41..151: every (6 - d) frames a small ring that turns 2.25
// degrees a frame; shielded the whole time it fires.
constexpr int kRingScoutArms[4] = {2, 4, 6, 4};

void RingScout(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 3, 50, 0, slot);
    fadeAndShield(e, t, 151);
    approachAndLeave(game, e, t, 170, 360);
    if (t < 41 || t > 151 || t % (6 - d) != 0) return;
    const BulletPlan b{{0, rowColumn(e), 48, 16, 16}, 2, 0};
    FireRing(game, b, e.x, e.y, kRingScoutArms[d], static_cast<float>(2.25 * t));
}

// --- type 8 ---

// At frame 41 a flash and a falling curtain: 1/2/4/6 speeds of a pair at
// 170 and 190 (and 180 between them from Hard), behaviour 10.
constexpr int kCurtainRows[4] = {1, 2, 4, 6};

void CurtainScout(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 3, 50, 0, slot);
    fadeAndShield(e, t, 41);
    approachAndLeave(game, e, t, 90, 300);
    if (t != 41) return;
    const int column = rowColumn(e);
    flash(game, e, column);
    for (int j = 0; j < kCurtainRows[d]; ++j) {
        const BulletPlan b{{0, column, 96, 16, 16}, 1.5 + 0.2 * j, 10};
        Fire(game, b, e.x, e.y, 170);
        Fire(game, b, e.x, e.y, 190);
        if (d >= 2) Fire(game, b, e.x, e.y, 180);
    }
}

// --- type 9 ---

// Crosses at speed 4, shielded to frame 60; every 5 frames until then a
// flash and three pairs from points scattered +-16 about it (x offset
// drawn before y), one bullet falling at 2, one rising at 1.5.
void Crosser(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer;
    e.noHit = t < 60 ? 1 : 0;
    if (t >= 60 || t % 5 != 0) return;
    const int column = rowColumn(e);
    flash(game, e, column);
    const BulletPlan falling{{0, column, 64, 16, 16}, 2, 0};
    const BulletPlan rising{{0, column, 64, 16, 16}, 1.5, 0};
    for (int i = 0; i < 3; ++i) {
        const int rx = game.rand();
        const int ry = game.rand();
        const float x = static_cast<float>(e.x + rx % 32 - 16);
        const float y = static_cast<float>(e.y + ry % 32 - 16);
        Fire(game, falling, x, y, 180);
        Fire(game, rising, x, y, 0);
    }
}

// --- type 10 ---

// At frame 40 a star of large bullets (texture 2): d^3 + 1 directions
// spread evenly from the bearing to the ship, each a sheaf of 2d^2 + 1
// bullets one degree apart, behaviour 1.
void StarScout(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    fadeAndShield(e, t, 40);
    approachAndLeave(game, e, t, 70, 300);
    if (t != 40) return;
    flash(game, e, 32);
    const int directions = d * d * d + 1;
    const int half = d * d;
    const BulletPlan b{{2, 32, 128, 32, 32}, 1.5, 1};
    for (int i = 0; i < directions; ++i)
        for (int j = -half; j <= half; ++j)
            FireAimed(game, b, e.x, e.y, static_cast<float>(i * 360.0 / directions + j));
}

// --- type 11 ---

// The popcorn of the random spawner: at frame 40 a flash and a ring of d^2
// (speed 1.2 + 0.1 d) from one rand() offset, drawn even when the ring is
// empty.
void Popper(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    fadeAndShield(e, t, 40);
    approachAndLeave(game, e, t, 70, 300);
    if (t != 40) return;
    const int column = rowColumn(e);
    flash(game, e, column);
    const int n = d * d;
    const int r = game.rand();
    const BulletPlan b{{0, column, 48, 16, 16}, 1.2 + 0.1 * d, 0};
    FireRing(game, b, e.x, e.y, n, static_cast<float>(r % 360));
}

namespace {

constexpr EnemyTypeEntry kTypes[] = {
    {6, BurstScout}, {7, RingScout}, {8, CurtainScout}, {9, Crosser}, {10, StarScout}, {11, Popper},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage2EnemyTypes() { return kTypes; }

}  // namespace korvid
