// Stage 4's large machine, the walker (type 24): it strides in, swings its
// two arms and shells the upper field. t is the enemy's timer after this
// frame's tick, d the difficulty.
#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "stages/Stage4Types.h"

namespace korvid {

namespace {

int difficultyRow(const Game& game) { return std::clamp(game.state.difficulty, 0, 3); }

// Shells split into rings where they stop (behaviour 67).
constexpr BulletPlan kShell{{36, 390, 410, 27, 36}, 3, 67};
constexpr BulletPlan kWalkerRing{{2, 96, 32, 32, 32}, 1.4, 0};
constexpr int kWalkerRingEvery[4] = {0, 120, 80, 80};
constexpr float kArmReach = 96;  // shoulder to tip at the drawn scale

// Arms: auxD (left) and auxC (right) swing 40 degrees either way of
// straight down, mirrored: both open and close together.
void swingArms(Enemy& e, int t) {
    const double swing = 40 * std::sin(3 * t / 57.3);
    e.auxD = static_cast<float>(swing);
    e.auxC = static_cast<float>(swing);
}

// A shell from an arm's tip, along the arm.
void armShell(Game& game, const Enemy& e, float shoulderX, float armAngle) {
    const float down = 180 + armAngle;
    Fire(game, kShell, shoulderX + DirX(down) * kArmReach, e.y + DirY(down) * kArmReach, down);
}

void exhaust(Game& game, const Enemy& e) {
    SpawnEffect(game, {39, 0, 384, 64, 128}, e.x - 30, e.y - 70, 0.5f, 0.5f, 0, 0.72f, 21,
                {200, 255, 200, 120}, 0, 0);
    SpawnEffect(game, {39, 0, 384, 64, 128}, e.x + 30, e.y - 70, 0.5f, 0.5f, 0, 0.72f, 21,
                {200, 255, 200, 120}, 0, 0);
}

}  // namespace

// Strides in and holds its hit points to frame 120; until 480 it shells
// the ship in threes every 30 frames while the ship is in the upper half,
// fires a shell from each arm's tip every 60, and (Normal up) double rings
// of 24; then it backs off the top.
void Walker(Game& game, int slot) {
    Enemy& e = game.state.enemies.slot[slot];
    const GameState& s = game.state;
    const int t = e.timer, d = difficultyRow(game);
    SpeedRamp(game, 5, 80, 0, slot);
    if (t <= 120) e.hp = e.maxHp;
    if (s.stageFrame % 2 == 0) exhaust(game, e);
    if (t > 480) {
        e.angle = 0;
        e.speed = 1.5f;
        return;
    }
    swingArms(e, t);
    if (t < 60) return;
    if (t % 30 == 0 && s.playerY < 240) {
        RequestSound(game, 1);
        FireAimedSpread(game, kShell, e.x, e.y + 40, -1, 1, 15);
    }
    if (t % 60 == 15) {
        armShell(game, e, e.x - 48, e.auxD);
        armShell(game, e, e.x + 48, -e.auxC);
    }
    if (d > 0 && t % kWalkerRingEvery[d] == 0) {
        RequestSound(game, 0);
        const int r = game.rand();
        FireLayeredRing(game, kWalkerRing, e.x, e.y, 24, static_cast<float>(r % 15), 2, 0.4);
    }
}

}  // namespace korvid
