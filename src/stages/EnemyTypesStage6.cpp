// The enemies of stage 6: darts (36), the turning gunship (37) and the
// sweepers (40); the boss's familiars (43..45) are in
// EnemyTypesStage6Boss.cpp. t is the enemy's timer after this frame's tick,
// d the difficulty (0..3).
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/PatternKit.h"
#include "stages/Stage6.h"

namespace korvid {

void Stage6Familiar43(Game& game, int slot);  // EnemyTypesStage6Boss.cpp
void Stage6Familiar44(Game& game, int slot);
void Stage6Familiar45(Game& game, int slot);
void Stage6HiddenFamiliar63(Game& game, int slot);  // EnemyTypesStage6Hidden.cpp

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// --- type 36 ---

// Comes in shielded, stops twice to fire an aimed fan of 6d + 3 (6 degrees
// apart), drifts on between the stops, and leaves upward from t 180; all
// the while a single aimed shot every 100/24/8/8 frames.
constexpr int kDartShotEvery[4] = {100, 24, 8, 8};
void dart(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 40 ? 1 : 0;
    if (t == 60 || t == 120) {
        e.speed = 0;
        MuzzleFlash(game, 96, e.x, e.y);
        const BulletPlan fan{{0, 96, 48, 16, 16}, 2.5, 0};
        FireAimedFan(game, fan, e.x, e.y, 3 * std::min(d, 2) + 1, 6);
    }
    if (t == 90) e.speed = 2;
    if (t == 180) {
        e.angle = 0;
        e.speed = 3;
    }
    if (t >= 20 && t <= 200 && t % kDartShotEvery[d] == 0) {
        const BulletPlan shot{{2, 96, 32, 32, 32}, 3.2, 0};
        FireAimed(game, shot, e.x, e.y, 0);
    }
}

// --- type 37 ---

// Shielded until it stops at t 120. From t 150 to 659, every 10 frames,
// d + 1 groups spread round it, each three directions 10 degrees apart at
// three speeds (behaviour 77: they turn square corners), the whole figure
// turning 1.5 degrees a frame. From t 210 it marks the stage's work value
// whenever the ship keeps 90 pixels or more away or a bomb runs; it leaves
// upward from t 660.
void gunship(Game& game, int slot) {
    GameState& s = game.state;
    Enemy& e = s.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    e.noHit = t <= 120 ? 1 : 0;
    if (t == 120) e.speed = 0;
    if (t >= 150 && t <= 659 && t % 10 == 0) {
        BulletPlan b{{0, 128, 48, 16, 16}, 1.4, 77};
        const int groups = d + 1;
        for (int g = 0; g < groups; ++g) {
            const double base = 1.5 * t + 360.0 * g / groups;
            for (int j = -1; j <= 1; ++j) {
                for (int k = 0; k < 3; ++k) {
                    b.speed = 1.4 + 0.4 * k;
                    Fire(game, b, e.x, e.y, static_cast<float>(base + 10 * j));
                }
            }
        }
    }
    if (t >= 210) {
        const double dx = s.playerX - e.x, dy = s.playerY - e.y;
        if (dx * dx + dy * dy >= 90.0 * 90.0 || s.bombActive) s.stage5Work = 1;
    }
    if (t == 660) {
        e.angle = 0;
        e.speed = 3;
    }
}

// --- type 40 ---

// Glides in (SpeedRamp(3, 30, 0)). Every 5 frames (Normal up) a flash at
// each side (x +- 42) and d streams from each sweeping 40 degrees either
// side of straight down (speed 4); every 30 frames a flash and an aimed
// three-way; on Lunatic two rings of 10 every 60 frames.
void sweeper(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 3, 30, 0, slot);
    if (d > 2 && t % 60 == 0) {
        BulletPlan ring{{0, 32, 48, 16, 16}, 1.5, 0};
        FireRing(game, ring, e.x, e.y, 10, static_cast<float>(t % 36));
        ring.speed = 2;
        FireRing(game, ring, e.x, e.y, 10, static_cast<float>(t % 36 + 18));
    }
    if (d > 0 && t % 5 == 0) {
        const double sweep = 40 * std::sin(4 * t / 57.3);
        const BulletPlan stream{{0, 96, 80, 16, 16}, 4, 0};
        for (int side = -1; side <= 1; side += 2) {
            const float x = e.x + 42.0f * side;
            MuzzleFlash(game, 96, x, e.y);
            for (int j = 0; j < d; ++j)
                Fire(game, stream, x, e.y, static_cast<float>(180 + side * sweep + 12 * j * side));
        }
    }
    if (t % 30 == 0) {
        MuzzleFlash(game, 32, e.x, e.y);
        const BulletPlan aimed{{0, 32, 96, 16, 16}, 2.2, 0};
        FireAimedSpread(game, aimed, e.x, e.y, -1, 1, 15);
    }
}

constexpr EnemyTypeEntry kTypes[] = {
    {36, dart},
    {37, gunship},
    {40, sweeper},
    {43, Stage6Familiar43},
    {44, Stage6Familiar44},
    {45, Stage6Familiar45},
    {63, Stage6HiddenFamiliar63},
};

}  // namespace

std::span<const EnemyTypeEntry> Stage6EnemyTypes() { return kTypes; }

}  // namespace korvid
