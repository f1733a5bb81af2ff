// The enemies of stage 3: crossers (12), droppers (13), darts (14) and
// swervers (15). t is the enemy's timer after this frame's tick, d the
// difficulty.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage3.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// --- type 12 ---

// Alpha 255: rings of 18 turning with the clock.
void crosserRings(Game& game, const Enemy& e, int t, int d) {
    if (t % 20 != 0 || t % 120 > 40 * d + 10) return;
    const BulletPlan b{{0, 96, 32, 16, 16}, 1.5, 0, 255, 0.6f};
    for (int j = 0; j < 18; ++j) Fire(game, b, e.x, e.y, static_cast<float>(t % 150 + 20 * j));
}

// Alpha 254: takes aim once a cycle, then streams along the aim.
void crosserStream(Game& game, Enemy& e, int t, int d) {
    const int from = 51 - 15 * d;
    if (t % 70 == from) e.auxC = static_cast<float>(AimAtPlayer(game, e.x, e.y));
    if (t % 70 < from || t % 8 != 0) return;
    const BulletPlan b{{2, 96, 32, 32, 32}, 2.5, 0, 255, 0.5f};
    Fire(game, b, e.x, e.y, e.auxC);
    if (d >= 2) {
        Fire(game, b, e.x, e.y, e.auxC + 25);
        Fire(game, b, e.x, e.y, e.auxC - 25);
    }
}

// A cross: one bullet at the enemy and two 16 pixels to each side across
// the heading `h`, all at bearing 180.
void cross(Game& game, const Enemy& e, double h) {
    const BulletPlan b{{0, 96, 128, 16, 16}, 1.2, 0, 255, 0.6f};
    const double side = (h + 90) / 57.3;
    const float ox = static_cast<float>(16 * std::sin(side)), oy = static_cast<float>(-16 * std::cos(side));
    Fire(game, b, e.x, e.y, 180);
    Fire(game, b, e.x + ox, e.y + oy, 180);
    Fire(game, b, e.x - ox, e.y - oy, 180);
}

// Alpha 253: broken rings late in each cycle, and crosses every 40 frames
// (on Hard also across the heading turned 60 either way).
void crosserCrosses(Game& game, const Enemy& e, int t, int d) {
    if (t % 20 == 0 && t % 120 >= 80 - 20 * d) {
        const BulletPlan b{{0, 96, 128, 16, 16}, 1.5, 0, 255, 0.6f};
        for (int j = 0; j < 36; ++j)
            if (j % 9 <= 3 * d + 2) Fire(game, b, e.x, e.y, static_cast<float>((t % 180) / 2 + 10 * j));
    }
    if (t % 40 != 0) return;
    cross(game, e, e.angle);
    if (d >= 2) {
        cross(game, e, e.angle + 60);
        cross(game, e, e.angle - 60);
    }
}

}  // namespace

// Crosses the field slowly; fires only between x 48 and 400, its attack
// chosen by its alpha.
void Strafer(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const bool inside = e.x >= 48 && e.x <= 400;
    if (game.state.character == 1) e.noHit = inside ? 0 : 1;
    if (!inside) return;
    const int t = e.timer, d = difficultyRow(game);
    if (e.alpha == 255) crosserRings(game, e, t, d);
    else if (e.alpha == 254) crosserStream(game, e, t, d);
    else if (e.alpha == 253) crosserCrosses(game, e, t, d);
}

// --- type 13 ---

namespace {

constexpr BulletPlan kDropperShot{{0, 96, 48, 16, 16}, 3, 10, 255, 0.5f};

// Aimed fans of 2d + 1, 20 degrees apart, in the last 5 + 15d frames of
// each 80 from t 50 to 179.
void dropperFans(Game& game, const Enemy& e, int t, int d) {
    if (t < 50 || t > 179 || t % 5 != 0 || t % 80 < 75 - 15 * d) return;
    game.state.soundRequests[2] = 1;
    MuzzleFlash(game, 96, e.x, e.y);
    const int n = 2 * d + 1;
    for (int j = 0; j < n; ++j) FireAimed(game, kDropperShot, e.x, e.y, static_cast<float>(20 * j - 10 * (n - 1)));
}

// The chase: turns toward the player, dashes when close, slows by 0.08 a
// frame and bursts a ring when it stops.
void dropperChase(Game& game, Enemy& e, int d) {
    const double aim = AimAtPlayer(game, e.x, e.y);
    double turn = std::fmod(aim - e.angle + 540.0, 360.0) - 180.0;
    e.angle = static_cast<float>(e.angle + std::clamp(turn, -3.0, 3.0));
    const double dx = game.state.playerX - e.x, dy = game.state.playerY - e.y;
    if (e.speed <= 0 && dx * dx + dy * dy < 160.0 * 160.0) e.speed = e.auxC == 1 ? 5.8f : 5.0f;
    if (e.speed <= 0) return;
    e.speed = static_cast<float>(e.speed - 0.08);
    if (e.speed > 0) return;
    e.speed = 0;
    const BulletPlan b{{0, 32, 48, 16, 16}, 2, 0, 255, 0.5f};
    const int n = 8 + 4 * d;
    for (int j = 0; j < n; ++j) Fire(game, b, e.x, e.y, static_cast<float>(e.angle + 360.0 * j / n));
}

// The held lasers: at t 1021 one thin laser at the player (on Hard two, 15
// degrees either side), each carrying its dropper's slot + 1 in its work
// value; the dropper keeps their slots + 1 in auxA and auxD. While held
// (to t 1069) a laser's near end is kept on the dropper as it grows; at
// 1070, or when the dropper is gone, it is let go and flies on.
constexpr int kHoldFrom = 1021, kHoldTo = 1069;

void fireHeldLasers(Game& game, Enemy& e, int slot, int d) {
    RequestSound(game, 22);
    BulletPlan b{{4, 96, 0, 16, 0}, 4, 0, 255, 0.55f};
    const double aim = AimAtPlayer(game, e.x, e.y);
    const double offsets[2] = {d >= 2 ? -15.0 : 0.0, 15.0};
    float* held[2] = {&e.auxA, &e.auxD};
    for (int k = 0; k < (d >= 2 ? 2 : 1); ++k) {
        const int c = Fire(game, b, e.x, e.y, static_cast<float>(aim + offsets[k]));
        if (EnemyBullet* laser = JustFired(game, c)) {
            laser->work = static_cast<float>(slot + 1);
            *held[k] = static_cast<float>(c + 1);
        }
    }
}

void holdLasers(Game& game, Enemy& e, int slot) {
    GameState& s = game.state;
    for (float* held : {&e.auxA, &e.auxD}) {
        const int c = static_cast<int>(*held) - 1;
        if (c < 0) continue;
        EnemyBullet& laser = s.enemyBullets.slot[c];
        if (s.enemyBullets.free[c] || laser.work != slot + 1 || e.timer > kHoldTo) {
            *held = 0;
            continue;
        }
        const float half = laser.texH * laser.scaleY / 2;
        laser.x = e.x + DirX(laser.angle) * half;
        laser.y = e.y + DirY(laser.angle) * half;
    }
}

}  // namespace

// Drops in aiming at the player, fires fans, and once hurt or at t 180
// jumps to its second life: held lasers, then a chase with dashes.
void Dropper(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int d = difficultyRow(game);
    e.noHit = e.timer <= 15 ? 1 : 0;
    if (e.timer == 1) {
        e.angle = static_cast<float>(AimAtPlayer(game, e.x, e.y) + (e.x < 224 ? -10 : 10));
        e.speed = 2;
    }
    if (e.timer < 1000) {
        SpeedRamp(game, 2, 60, 0, slot);
        dropperFans(game, e, e.timer, d);
        if (e.timer == 180 || e.hp < 0.8 * e.maxHp) e.timer = 1000;
        return;
    }
    if (e.timer == kHoldFrom) fireHeldLasers(game, e, slot, d);
    holdLasers(game, e, slot);
    if (e.timer >= 1070) dropperChase(game, e, d);
}

// --- type 14 ---

// Swerves in from the side, bending harder near t 50, and fires aimed
// shots at the player's x held inside the field's middle.
constexpr int kDartEvery[4] = {180, 50, 12, 6};
void Dart(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 6 ? 1 : 0;
    const double bend = std::pow(std::abs(50 - std::abs(t - 50)) / 15.0, 2);
    e.angle = static_cast<float>(e.alpha == 255 ? e.angle + bend : e.angle - bend);
    if (t == 150) {
        e.angle = 0;
        e.speed = 3;
    }
    if (t < 6 || t % kDartEvery[d] != 0) return;
    const float tx = std::clamp(game.state.playerX, 80.0f, 384.0f);
    const BulletPlan b{{0, 160, 128, 16, 16}, 3.5, 10, 255, 0.31f, 1.3f, 1.3f};
    Fire(game, b, e.x, e.y, static_cast<float>(BearingTo(e.x, e.y, tx, game.state.playerY, 0)));
}

// --- type 15 ---

// Swings in from the top, spraying three-way pairs from its wings, on
// Normal up an aimed spread as it turns away, then accelerates off.
void Swerver(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 20 ? 1 : 0;
    if (t <= 100) {
        const double bend = std::pow(t / 50.0, 2);
        e.angle = static_cast<float>(e.alpha == 255 ? e.angle + bend : e.angle - bend);
        SpeedRamp(game, 4, 100, 0, slot);
    }
    if (t >= 20 && t <= 100 && t % 5 == 0) {
        const BulletPlan b{{0, 32, 48, 16, 16}, 3, 0, 255, 0.5f, 1.3f, 1.3f};
        for (float side : {-24.0f, 24.0f})
            for (float a : {180.0f, 210.0f, 150.0f}) Fire(game, b, e.x + side, e.y + 24, a);
    }
    if (d > 0 && t == 140) {
        const BulletPlan b{{0, 96, 48, 16, 16}, 2.5, 0, 255, 0.5f};
        for (int j = -d; j <= d; ++j) FireAimed(game, b, e.x, e.y, static_cast<float>(12 * j));
    }
    if (t >= 180) e.speed = static_cast<float>(e.speed + 0.03);
}

namespace {
constexpr EnemyTypeEntry kTypes[] = {{12, Strafer}, {13, Dropper}, {14, Dart}, {15, Swerver}};
}  // namespace

std::span<const EnemyTypeEntry> Stage3EnemyTypes() { return kTypes; }

}  // namespace korvid
