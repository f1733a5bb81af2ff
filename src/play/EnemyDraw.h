// Drawing one ordinary enemy: its animation and banking cells, the special
// pictures of a few types and stages, the low-health flicker and the overlays.
#pragma once

#include <cstdint>

namespace korvid {

struct Game;

// `clock` is |Enemy.timer| as it was before this frame's update.
void DrawEnemy(Game& game, int slot, int clock);

// ARGB of the enemy's body: red flicker through 8 shades (by `clock`) below
// an eighth of its reference hit points, else white; channels clamped.
std::uint32_t EnemyHealthColour(int alpha, float hp, float maxHp, int clock);

}  // namespace korvid
