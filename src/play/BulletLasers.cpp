// Laser work: bullets that fire laser children, lasers that cut each
// other, lasers bent off the walls, and lasers that orbit an enemy.
#include <cmath>
#include <tuple>

#include "play/BulletShapes.h"
#include "play/BulletSteps.h"
#include "play/Geometry.h"

namespace korvid::bullet {

namespace {

constexpr TexRect kThinLaser{4, 32, 0, 16, 0};

int laserChild(Game& g, const EnemyBullet& b, float angle, float sx, float sy, float z, float speed, int behavior,
               int alpha = 255) {
    const int c = SpawnEnemyBullet(g, kThinLaser, b.x, b.y, sx, sy, angle, z, speed, behavior, alpha);
    if (c >= 0) At(g, c).marked = 1;
    return c;
}

// Keeps an orbiting laser on its circle of 50 px around the enemy whose slot
// it carries, and returns that enemy; frees the laser (and returns null)
// when the slot is gone or holds another kind of enemy.
const Enemy* orbitEnemy(Game& g, int i, int type) {
    EnemyBullet& b = At(g, i);
    const int e = SlotInWork(b, kEnemyCapacity);
    if (e < 0 || g.state.enemies.free[e] || g.state.enemies.slot[e].type != type) {
        Free(g, i);
        return nullptr;
    }
    const Enemy& en = g.state.enemies.slot[e];
    PlaceOnCircle(b, en.x, en.y, 50);
    SpeedPulse(b, 10, 30, 0);
    if (b.texH >= 256) b.speed = 0;
    return &en;
}

// A player shot reflected as a bullet off the shield.
void reflectShots(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (s.bombActive) return;
    for (int j = 0; j < kPlayerShotCapacity; ++j) {
        if (s.playerShots.free[j]) continue;
        const PlayerShot& p = s.playerShots.slot[j];
        const double dx = p.x - b.x, dy = p.y - b.y;
        if (p.kind == 8 || dx * dx + dy * dy > 512) continue;
        s.playerShots.free[j] = 1;
        const double t = b.angle + 90.0;
        double d = std::fabs(t - p.angle);
        if (d > 90) d = 180 - d;
        const float speed = static_cast<float>(1.5 * ((s.difficulty + 1) / 2) + 1.5);
        const int c =
            SpawnEnemyBullet(g, {0, 32, 64, 16, 16}, p.x, p.y, 1, 1, static_cast<float>(t - d + 180), Z(b), speed, 0, 255);
        if (c >= 0) At(g, c).marked = 1;
    }
}

}  // namespace

constexpr int kMarkerAlpha = 96;

void LaserSpinner(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    b.scaleY = static_cast<float>(b.scaleY + 0.001);
    if (g.state.difficulty == 0) {
        Turn(b, TurnSign(b) * 2);
        AddSpeed(b, 0.04);
        return;
    }
    AddSpeed(b, 0.03);
    if (b.age < 120) Turn(b, TurnSign(b) * 2);
    if (b.age >= 120 && b.age <= 140) {
        AddSpeed(b, -0.1);
        // The marker line is harmless: drawn faint, so the turning lasers
        // that do hurt stand out against it.
        laserChild(g, b, b.angle, 0.5f, 0.2f, 0.31f, 16, -1, kMarkerAlpha);
    }
}

void LaserWeaver(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (b.age < 900) {
        Turn(b, TurnSign(b) * 0.4);
        AddSpeed(b, 0.0008);
        if (b.age % 3 == 0) {
            for (const auto& [sx, z, behavior] : {std::tuple{3.0f, 0.71f, 0}, std::tuple{0.5f, 0.711f, -1}}) {
                const int c = laserChild(g, b, b.angle + 90, sx, 0.4f, z, 16, behavior);
                if (c >= 0) At(g, c).work = static_cast<float>(i + 1);  // remembers its weaver
            }
        }
    }
    // Another weaver's broad lasers are cut where they cross this one.
    for (int j = 0; j < kEnemyBulletCapacity; ++j) {
        if (s.enemyBullets.free[j]) continue;
        const EnemyBullet& o = s.enemyBullets.slot[j];
        if (o.spriteKey != 4000 || o.scaleX <= 0.5f || o.work == i + 1) continue;
        if (std::fabs(o.x - b.x) + std::fabs(o.y - b.y) <= 48) s.enemyBullets.free[j] = 1;
    }
}

void LaserBender(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const float armX = b.x + DirX(b.angle) * 128;
    if (!(armX < 24 || armX > 424)) return;
    b.behavior = 0;
    const int c = SpawnEnemyBullet(g, {4, 208, 0, 16, 10}, armX, b.y + DirY(b.angle) * 128, 0.99f, b.scaleY,
                                   360 - b.angle, Z(b), b.speed, 122, b.alpha);
    if (c >= 0) At(g, c).marked = 1;
}

void OrbitingLaser(Game& g, int i) {
    const Enemy* en = orbitEnemy(g, i, 13);
    if (!en || !(en->speed > 3 && en->speed <= 4)) return;
    EnemyBullet& b = At(g, i);
    TurnToward(b, b.behavior == 64 ? en->angle : AimAngle(g, b), 13, 6);
}

void ShieldLaser(Game& g, int i) {
    const Enemy* en = orbitEnemy(g, i, 27);
    if (!en) return;
    EnemyBullet& b = At(g, i);
    if (en->timer > 179) b.angle = static_cast<float>(en->angle - 45 + 3 * std::abs(b.age % 60 - 30));
    reflectShots(g, i);
}

}  // namespace korvid::bullet
