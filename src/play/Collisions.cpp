// Bullet shapes against the player: the round shapes of the key table, a
// large box, the rotating beam of one boss card, lasers, and enemy bodies.
#include "play/Collisions.h"

#include <algorithm>
#include <cmath>

#include "game/Game.h"
#include "play/BulletShapes.h"

namespace korvid {

namespace {

constexpr int kBeamPattern = 61;

// An enemy's body: a circle of radius s * k / 8 around its centre, s the
// smaller side of its cell and k that side's scale. dx, dy come doubled.
bool enemyBodyHit(const Enemy& e, float dx, float dy) {
    const double side = (e.texW <= e.texH) ? static_cast<double>(e.texW) * e.scaleX
                                           : static_cast<double>(e.texH) * e.scaleY;
    const double a = 2.0 * dx, b = 2.0 * dy;
    return a * a + b * b <= side * side / 4;
}

bool boxHit(const EnemyBullet& b, float m, float o) {
    m /= 2;
    o /= 2;
    return ((m <= 50 && o <= 12) || (m <= 11 && o <= 84)) && b.alpha >= 220;
}

// atan(p / q) in degrees; a point on the bullet itself (0 / 0) counts as 0.
double atanDegrees(double p, double q) {
    if (p == 0 && q == 0) return 0;
    return std::atan(p / q) * 57.3;
}

// The rotating beam: aligned with the bullet's bearing within 10 degrees,
// near enough, and close to the beam's far end.
bool beamHit(const GameState& s, const EnemyBullet& b, float m, float o) {
    const double A = static_cast<double>(m) * m + static_cast<double>(o) * o;
    const double D = std::sqrt(A);
    const double a = b.angle;
    const double endX = b.x + 125 * std::sin(a / 57.3);
    const double endY = b.y - 125 * std::cos(a / 57.3);
    const double px = s.playerX, py = s.playerY;
    const double e = (a <= 180) ? atanDegrees(o, m) + 90 - a : atanDegrees(py, 2.0 * b.x - px) + 90 - (360 - a);
    const double ex = endX - px, ey = endY - py;
    return std::fabs(e) <= 10 && D <= 450 && ex * ex + ey * ey <= 17000;
}

// A laser is the line through its origin along its bearing. The player is
// near it within the laser's reach and a band of 8 * scaleX + 10 pixels;
// hit within a third of its length and 1.5 pixels of the line.
float laserSlope(Game::LaserSlope& memo, float angle) {
    if (!memo.known || memo.angle != angle)
        memo = {angle, static_cast<float>(-std::tan((90.0 - angle) / 57.3)), true};
    return memo.slope;
}

bool laserHit(GameState& s, EnemyBullet& b, Game::LaserSlope& memo, float dx, float dy, float m, float o) {
    const float sx = b.scaleX, sy = b.scaleY, h = b.texH;
    const float k = laserSlope(memo, b.angle);
    const float c = b.y - b.x * k;
    b.laserSlope = k;
    b.laserIntercept = c;
    bool near = false, hit = false;
    if (k == 0) {
        // Exactly horizontal: the old crosshair test, which only knows the top rows.
        m /= sx;
        o /= sy;
        switch (std::fabs(c) < 1e9f ? static_cast<int>(c) : -1) {
            case 0: case 2: case 4:
                near = m <= 12 && o <= 64;
                hit = m <= 3 && o <= 64;
                break;
            case 1: case 3:
                near = m <= 64 && o <= 12;
                hit = m <= 64 && o <= 3;
                break;
            default:
                break;
        }
    } else {
        const float px = s.playerX, py = s.playerY;
        const float X = std::fabs((py - c) / k - px);
        const float Y = std::fabs(px * k + c - py);
        const float sum = X * X + Y * Y;
        // With the player on the line both legs vanish: distance 0, not 0 / 0.
        float d = (sum > 0) ? static_cast<float>(X * Y / std::sqrt(static_cast<double>(sum))) : 0.0f;
        const float D = static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
        near = D <= h * sy / 2 + 25 && d <= 8 * sx + 10;
        if (sx >= 1) d = d / 4;
        hit = D <= h * sy / 3 && d < 1.5;
    }
    if (near) s.laserNear = 1.0f;
    return hit;
}

}  // namespace

bool BulletHitTest(Game& game, float dx, float dy, int slot, int mode) {
    GameState& s = game.state;
    if (mode == 2) {
        if (slot < 0 || slot >= kEnemyCapacity) return false;
        return enemyBodyHit(s.enemies.slot[slot], dx, dy);
    }
    if (slot < 0 || slot >= kEnemyBulletCapacity) return false;
    const EnemyBullet& b = s.enemyBullets.slot[slot];
    return BulletShapeHit(game, slot, dx, dy, 2 * dx / std::fabs(b.scaleX), 2 * dy / std::fabs(b.scaleY));
}

constexpr bool NoLaserHasARoundShape() {
    for (const BulletShape& shape : kBulletShapes)
        if (IsLaserKey(shape.key)) return false;
    return !IsLaserKey(kBeamKey) && !IsLaserKey(kBoxKey);
}
static_assert(NoLaserHasARoundShape(), "a laser key is tested as a laser alone");

bool BulletShapeHit(Game& game, int slot, float dx, float dy, float m, float o) {
    GameState& s = game.state;
    EnemyBullet& b = s.enemyBullets.slot[slot];
    const float A = m * m + o * o;
    const int key = b.spriteKey;

    // A laser has no round shape and is neither the beam nor the box.
    if (IsLaserKey(key)) return laserHit(s, b, game.laserSlopes[slot], dx, dy, m, o);
    if (key == kBeamKey && s.bossActive && s.bossPattern() == kBeamPattern) return beamHit(s, b, m, o);
    const int R = BulletRadiusSquared(key);
    if (R > 0 && (!FadesHarmless(key) || b.alpha >= 250) && A <= R) return true;
    return key == kBoxKey && boxHit(b, m, o);
}

}  // namespace korvid
