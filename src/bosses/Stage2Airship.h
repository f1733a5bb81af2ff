// The stage-2 airship, shared by its two fights: a 128 x 128 body drawn at
// 1.5 that never mirrors or banks. While a pattern aims, the body turns
// toward the ship by at most a few degrees a frame (bossRotation, 0 with
// the nose straight down), and its two gun ports turn with it.
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

struct Game;

// Turns the body toward the ship by at most `maxStep` degrees.
void TurnTowardShip(Game& game, double maxStep);
// The turn rate of the aiming phases: 2 degrees a frame, 3 from Hard.
double AimTurnRate(const Game& game);
// The heading the nose points along.
double NoseHeading(const Game& game);

// Where a gun port is now: side -1 (left) or +1 (right) of the nose, `ahead`
// pixels forward of the centre, turned with the body.
struct PortPoint {
    float x, y;
};
inline constexpr float kPortAhead = 60;  // 40 sprite pixels below the centre, times 1.5
inline constexpr float kPortAside = 51;  // 34 sprite pixels out, times 1.5
PortPoint GunPort(const Game& game, int side, float ahead = kPortAhead);

std::span<const PatternRow> Stage2MidBossRows();
std::span<const PatternRow> Stage2BossRows();

}  // namespace korvid
