// The enemies of stage 5: pairs (29), turrets (30), the first section's
// companions (31), sideliners (32) and the boss's partner (35, in slot 0).
// t is the enemy's timer after this frame's tick, d the difficulty (0..3).
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Stage5.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }
Enemy& at(Game& game, int slot) { return game.state.enemies.slot[slot]; }

void shieldFlash(Game& game, float x, float y) {
    SpawnEffect(game, {2, 256, 0, 128, 128}, x, y, 0.4f, 0.4f, 0, 0.6f, 21, {255, 255, 255, 255}, 0, 0);
}

// --- type 29 ---

// Shielded to t 40 while it glides in (SpeedRamp(3, 60, 0)). At t 60 an
// aimed column of d + 2 (speeds 2 + 0.4 k, behaviour 10) and, Normal up, two
// standing texture-2 bullets 30 pixels to either side that wait and fire a
// shot of their own (behaviour 69). At t 120 it turns off at speed 2 along a
// random heading -60..59 (one rand()).
void pairFlier(Game& game, int slot) {
    Enemy& e = at(game, slot);
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 40 ? 1 : 0;
    SpeedRamp(game, 3, 60, 0, slot);
    if (t == 60) {
        MuzzleFlash(game, 32, e.x, e.y);
        for (int k = 0; k < d + 2; ++k) FireAimed(game, {{0, 32, 64, 16, 16}, 2 + 0.4 * k, 10}, e.x, e.y, 0);
        if (d >= 1) {
            const BulletPlan standing{{2, 32, 96, 32, 32}, 0, 69};
            Fire(game, standing, e.x - 30, e.y, 180);
            Fire(game, standing, e.x + 30, e.y, 180);
        }
    }
    if (t == 120) {
        const int turn = game.rand() % 120 - 60;
        e.angle = static_cast<float>(e.angle + turn);
        e.speed = 2;
    }
}

// --- type 30 ---

// Hit points held to t 120. From t 60 to 400, every 18/14/10/10 frames
// (at half that rate before stage frame 4100: the early turrets are the
// gentle ones), six emitters on a circle of radius
// 64 about it that turns 0.7 degrees a frame each flash and fire d + 2
// bullets (speeds 1.4 + 0.3 k): outward on even volleys, inward (through
// the turret and on) on odd ones. At t 500 it leaves downward at 2.5.
constexpr int kTurretEvery[4] = {18, 14, 10, 10};
void turret(Game& game, int slot) {
    Enemy& e = at(game, slot);
    const int t = e.timer, d = difficultyRow(game);
    if (t <= 120) e.hp = e.maxHp;
    int every = kTurretEvery[d];
    if (game.state.stageFrame < 4100) every *= 2;
    if (t >= 60 && t <= 400 && t % every == 0) {
        const bool inward = (t / every) % 2 == 1;
        RequestSound(game, 0);
        for (int j = 0; j < 6; ++j) {
            const double a = 0.7 * t + 60 * j;
            const float x = static_cast<float>(e.x + 64 * std::sin(a / 57.3));
            const float y = static_cast<float>(e.y - 64 * std::cos(a / 57.3));
            MuzzleFlash(game, 96, x, y);
            for (int k = 0; k < d + 2; ++k)
                Fire(game, {{0, 96, 48, 16, 16}, 1.4 + 0.3 * k, 0}, x, y, static_cast<float>(inward ? a + 180 : a));
        }
    }
    if (t == 500) e.speed = 2.5f;
}

// --- type 31 ---

// Section 1's companions ride the shaft walls 110 pixels either side of the
// section's body (alpha 255 left, 254 right), fading in; every 30 frames
// from t 60 a stream of three down the corridor (speeds 2, 2.5, 3), turned
// with it. They go when the section's patterns (30, 31) are over.
void companion(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = at(game, slot);
    const int t = e.timer;
    const Enemy& body = s.enemies.slot[kBossSlot];
    const int id = body.type;
    if (!s.bossActive || (id != 30 && id != 31) || body.timer < -200) {
        s.enemies.free[slot] = 1;
        return;
    }
    const double side = e.alpha == 254 ? 1 : -1;
    const double a = s.bgCamTurn / 57.3;
    e.x = static_cast<float>(s.bossVar[1] + side * 110 * std::cos(a));
    e.y = static_cast<float>(s.bossVar[2] + side * 110 * std::sin(a));
    e.noHit = t < 60 ? 1 : 0;
    if (t >= 60 && t % 30 == 0) {
        MuzzleFlash(game, 16, e.x, e.y);
        for (int k = 0; k < 3; ++k)
            Fire(game, {{0, 16, 64, 16, 16}, 2 + 0.5 * k, 0}, e.x, e.y, static_cast<float>(180 + s.bgCamTurn));
    }
}

// --- type 32 ---

// Hit points held to t 740. To t 90 it turns a degree a frame inward and
// slows by 0.07 (from 6.3 to rest); a shield flash at t 90; every 4 frames
// an aimed shot while the ship is above it. From t 180 a 360-frame cycle:
// a shield flash at its start, and at positions 60, 120 and 180 a ring of
// 8 + 4d (speed 1.6) at a random base (one rand() each). At stage frame
// 8400 it stops firing and sinks away.
void sideliner(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = at(game, slot);
    const int t = e.timer, d = difficultyRow(game);
    if (t <= 740) e.hp = e.maxHp;
    if (t <= 90) {
        e.angle += e.x < 224 ? 1.0f : -1.0f;
        e.speed = std::max(0.0f, static_cast<float>(e.speed - 0.07));
    }
    if (t == 90) shieldFlash(game, e.x, e.y);
    if (s.stageFrame >= 8400) {
        e.angle = 180;
        e.speed = 1.5f;
        return;
    }
    if (t > 90 && t % 4 == 0 && s.playerY < e.y) FireAimed(game, {{0, 0, 48, 16, 16}, 3.5, 0}, e.x, e.y, 0);
    if (t < 180) return;
    const int c = (t - 180) % 360;
    if (c == 0) shieldFlash(game, e.x, e.y);
    if (c == 60 || c == 120 || c == 180) {
        const int base = game.rand() % 30;
        MuzzleFlash(game, 0, e.x, e.y);
        FireRing(game, {{0, 0, 64, 16, 16}, 1.6, 0}, e.x, e.y, 8 + 4 * d, static_cast<float>(base));
    }
}

}  // namespace

void Stage5Partner(Game& game, int slot);  // EnemyTypesStage5Partner.cpp

namespace {

constexpr EnemyTypeEntry kTypes[] = {
    {29, pairFlier}, {30, turret}, {31, companion}, {32, sideliner}, {35, Stage5Partner},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage5EnemyTypes() { return kTypes; }

}  // namespace korvid
