// The graze and hit test of an enemy bullet against the player, inline for
// the bullet update: most bullets are far off and leave after a few
// compares; the rest go on to the shape tests (Graze.cpp).
#pragma once

#include <cmath>

#include "game/Game.h"
#include "play/BulletShapes.h"

namespace korvid {

inline constexpr int kDecoyBehaviour = 117;
// Shapes of behaviour 10 count double: distances halved, the graze paid twice.
inline constexpr int kDoubleBehaviour = 10;

// A laser's hit test (lasers never graze).
void LaserContact(Game& game, int slot, float dx, float dy);
// A bullet in reach: dx, dy its distances (halved for doubled shapes), m and
// o those of the graze test. Grazes once, and can hit only while grazing.
void GrazeContact(Game& game, int slot, float dx, float dy, float gx, float gy, float m, float o, bool doubled);

[[gnu::always_inline]] inline void BulletContact(Game& game, int slot) {
    const GameState& s = game.state;
    const EnemyBullet& b = s.enemyBullets.slot[slot];
    if (b.behavior < 0 || s.timeStop) return;
    // Character 2 never sees decoys: its behaviour removes them this very
    // frame, so they must not graze or hit on the way out.
    if (b.behavior == kDecoyBehaviour && s.character == 2) return;
    float dx = std::fabs(b.x - s.playerX);
    float dy = std::fabs(b.y - s.playerY);
    if (IsLaserKey(b.spriteKey)) return LaserContact(game, slot, dx, dy);
    const bool doubled = b.behavior == kDoubleBehaviour;
    if (doubled) {
        dx /= 2;
        dy /= 2;
    }
    // Most bullets are far off: ruled out before the divisions below.
    if (BeyondReach(b.spriteKey, dx, dy, b.scaleX, b.scaleY)) return;
    const float gx = std::fabs(dx / 8), gy = std::fabs(dy / 8);
    // The graze test's m and o: far off, it is sure to fail.
    const float m = 2 * gx / std::fabs(b.scaleX), o = 2 * gy / std::fabs(b.scaleY);
    if (OutOfReach(b.spriteKey, m, o)) return;
    GrazeContact(game, slot, dx, dy, gx, gy, m, o, doubled);
}

}  // namespace korvid
