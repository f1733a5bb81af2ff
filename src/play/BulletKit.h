// Tools the bullet behaviours share: speed pulses and ramps, aiming and
// turning, children and copies, flashes, and the colour wheel.
#pragma once

#include "game/Game.h"
#include "play/Spawn.h"

namespace korvid {

// Runs the behaviour step of bullet `slot` (once per frame, after the
// graze and hit tests).
void RunBulletBehaviour(Game& game, int slot);

namespace bullet {

inline EnemyBullet& At(Game& game, int slot) { return game.state.enemyBullets.slot[slot]; }
// A behaviour that frees its own bullet spawns its children first: a child
// spawned after the free would take over the slot still being updated.
inline void Free(Game& game, int slot) { game.state.enemyBullets.free[slot] = 1; }
inline float Z(const EnemyBullet& b) { return b.sprite.quad.v[0].z; }
inline int Texture(const EnemyBullet& b) { return b.spriteKey / 1000; }

// At age b + 1 the speed jumps by x, then falls back by x / (a - b) per
// frame until age a + 1.
void SpeedPulse(EnemyBullet& bullet, float x, int a, int b);
// While age <= a + 1 the speed rises by x / (a - b) per frame.
void BulletSpeedRamp(EnemyBullet& bullet, float x, int a, int b);

// +1 for alpha 255, -1 otherwise: the tag picks the turning direction.
inline int TurnSign(const EnemyBullet& b) { return b.alpha == 255 ? 1 : -1; }
// Adds a turn to the angle, computed in double and stored single.
inline void Turn(EnemyBullet& b, double degrees) { b.angle = static_cast<float>(b.angle + degrees); }
inline void AddSpeed(EnemyBullet& b, double delta) { b.speed = static_cast<float>(b.speed + delta); }
inline void AddY(EnemyBullet& b, double delta) { b.y = static_cast<float>(b.y + delta); }
// Grows (or with a negative delta shrinks) both scales.
inline void Rescale(EnemyBullet& b, double delta) {
    b.scaleX = static_cast<float>(b.scaleX + delta);
    b.scaleY = static_cast<float>(b.scaleY + delta);
}

// Bearing from the bullet to the player (or to a point beside him).
float AimAngle(const Game& game, const EnemyBullet& b, float offsetX = 0, float offsetY = 0);
inline void Aim(Game& game, EnemyBullet& b) { b.angle = AimAngle(game, b); }
// Turns by `step` degrees toward bearing `target` unless within `deadZone`.
void TurnToward(EnemyBullet& b, float target, float step, float deadZone);

// Places the bullet on a circle of `radius` around (cx, cy) at its own bearing.
void PlaceOnCircle(EnemyBullet& b, float cx, float cy, float radius);

// A child at the bullet's position: texture rectangle, angle, z, speed,
// behaviour and alpha; scale 1, marked. Returns the slot or -1.
int Child(Game& game, const EnemyBullet& parent, TexRect r, float angle, float z, float speed, int behavior,
          int alpha = 255);
// A copy of the bullet (rectangle and scales) with a new speed and z, age
// set to `age`, behaviour 0, marked.
int Copy(Game& game, int slot, float speed, float z, int age);
// `count` children spread evenly from `start`.
void Ring(Game& game, const EnemyBullet& parent, TexRect r, int count, float start, float z, float speed,
          int behavior = 0, int alpha = 255);

// The column of the flash cell where a bullet fires, lights up or vanishes.
inline constexpr int kFlashColumn = 192;

// The slot kept in a bullet's work value, or -1 when it names no slot.
int SlotInWork(const EnemyBullet& b, int capacity);

// h, s, l in 0..1; red, green and blue scaled by 255.
struct Rgb {
    double r, g, b;
};
Rgb HslToRgb(double h, double s, double l);

}  // namespace bullet
}  // namespace korvid
