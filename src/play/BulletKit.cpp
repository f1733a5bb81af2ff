#include "play/BulletKit.h"

#include <cmath>

#include "play/Geometry.h"

namespace korvid::bullet {

void SpeedPulse(EnemyBullet& bullet, float x, int a, int b) {
    if (bullet.age == b + 1)
        bullet.speed += x;
    else if (bullet.age <= a + 1)
        bullet.speed -= x / static_cast<float>(a - b);
}

void BulletSpeedRamp(EnemyBullet& bullet, float x, int a, int b) {
    if (bullet.age <= a + 1) bullet.speed += x / static_cast<float>(a - b);
}

float AimAngle(const Game& game, const EnemyBullet& b, float offsetX, float offsetY) {
    const GameState& s = game.state;
    return static_cast<float>(BearingTo(b.x, b.y, s.playerX + offsetX, s.playerY + offsetY, 0));
}

void TurnToward(EnemyBullet& b, float target, float step, float deadZone) {
    double diff = std::fmod(static_cast<double>(target) - b.angle, 360.0);
    if (diff > 180) diff -= 360;
    if (diff < -180) diff += 360;
    if (std::fabs(diff) <= deadZone) return;
    Turn(b, diff > 0 ? step : -step);
}

void PlaceOnCircle(EnemyBullet& b, float cx, float cy, float radius) {
    const double a = b.angle / 57.3;
    b.x = static_cast<float>(cx + radius * std::sin(a));
    b.y = static_cast<float>(cy - radius * std::cos(a));
}

int Child(Game& game, const EnemyBullet& parent, TexRect r, float angle, float z, float speed, int behavior,
          int alpha) {
    const int i = SpawnEnemyBullet(game, r, parent.x, parent.y, 1, 1, angle, z, speed, behavior, alpha);
    if (i >= 0) game.state.enemyBullets.slot[i].marked = 1;
    return i;
}

int Copy(Game& game, int slot, float speed, float z, int age) {
    const EnemyBullet& p = At(game, slot);
    const TexRect r{Texture(p), p.texX, p.texY, p.texW, static_cast<int>(p.texH)};
    const int i = SpawnEnemyBullet(game, r, p.x, p.y, p.scaleX, p.scaleY, p.angle, z, speed, 0, p.alpha);
    if (i < 0) return -1;
    EnemyBullet& c = At(game, i);
    c.marked = 1;
    c.age = age;
    c.red = p.red;
    c.green = p.green;
    c.blue = p.blue;
    return i;
}

void Ring(Game& game, const EnemyBullet& parent, TexRect r, int count, float start, float z, float speed,
          int behavior, int alpha) {
    for (int k = 0; k < count; ++k)
        Child(game, parent, r, static_cast<float>(start + 360.0 * k / count), z, speed, behavior, alpha);
}

int SlotInWork(const EnemyBullet& b, int capacity) {
    if (!(std::fabs(b.work) < 1e9f)) return -1;
    const int slot = static_cast<int>(b.work);
    return (slot >= 0 && slot < capacity) ? slot : -1;
}

Rgb HslToRgb(double h, double s, double l) {
    if (s == 0) return {l * 255, l * 255, l * 255};
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    auto channel = [&](double t) {
        if (t < 0) t += 1;
        if (t > 1) t -= 1;
        if (t < 1.0 / 6) return p + (q - p) * 6 * t;
        if (t < 0.5) return q;
        if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    return {channel(h + 1.0 / 3) * 255, channel(h) * 255, channel(h - 1.0 / 3) * 255};
}

}  // namespace korvid::bullet
