// Harmless bullets that act on touch: sparkles that feed the gauge, bullets
// that convert or burst into others, and drains on the bomb gauge.
#include <algorithm>
#include <cmath>

#include "play/BulletSteps.h"
#include "play/Collisions.h"
#include "play/Geometry.h"

namespace korvid::bullet {

namespace {


// The first other live bullet within a box, or -1.
template <typename Pred>
int firstNear(Game& g, int i, float box, Pred accept) {
    GameState& s = g.state;
    const EnemyBullet& b = At(g, i);
    for (int j = 0; j < kEnemyBulletCapacity; ++j) {
        if (j == i || s.enemyBullets.free[j]) continue;
        const EnemyBullet& o = s.enemyBullets.slot[j];
        if (std::fabs(o.x - b.x) <= box && std::fabs(o.y - b.y) <= box && accept(o)) return j;
    }
    return -1;
}

}  // namespace

void Vanish(Game& g, int i) { Free(g, i); }

void Fuse(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (s.difficulty == 2) {
        const double dx = b.x - s.playerX, dy = b.y - s.playerY;
        if (dx * dx + dy * dy <= 12 && !s.timeStop) RecordPlayerHit(g, true);
    }
    const int other = firstNear(g, i, 3, [](const EnemyBullet& o) { return o.behavior == -2; });
    if (other < 0) return;
    Free(g, other);
    if (s.difficulty == 0) {
        for (int k = 0; k < 6; ++k)
            for (int offset : {0, 5, -5})
                Child(g, b, {0, 32, 16, 16, 16}, AimAngle(g, b) + offset, Z(b), static_cast<float>(3 + 0.2 * k), 0);
    } else {
        Ring(g, b, {0, 32, 48, 16, 16}, 30, b.angle, Z(b), 1.7f, 1);
    }
    Free(g, i);
}

void Sparkle(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (b.age <= 5) b.scaleX = static_cast<float>(b.scaleX + 0.1);
    const Enemy& boss = s.enemies.slot[kBossSlot];
    if (s.bossActive && s.bossPattern() == 28) {
        // The card's sparkles drag the player toward the boss.
        const double dx = boss.x - s.playerX, dy = boss.y - s.playerY;
        const double dist = std::sqrt(dx * dx + dy * dy);
        if (dist > 0) {
            const double pull = (360 - dist) / 1000;
            s.playerX = static_cast<float>(std::clamp(s.playerX + dx / dist * pull, 40.0, 406.0));
            s.playerY = static_cast<float>(std::clamp(s.playerY + dy / dist * pull, 24.0, 448.0));
        }
        return;
    }
    const float dx = std::fabs(b.x - s.playerX), dy = std::fabs(b.y - s.playerY);
    if (dx >= 80 || dy >= 80) return;
    if (b.age % 5 == 0) s.soundRequests[12] = 1;
    const double a = 80 - dx, c = 80 - dy;
    s.power = static_cast<float>(s.power + 0.001 * std::sqrt(a * a + c * c));
}

void NearFarCell(Game& g, int i) {
    const GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    const double dx = b.x - s.playerX, dy = b.y - s.playerY;
    b.texX = (s.difficulty == 1 && dx * dx + dy * dy > 90.0 * 90.0) ? 32 : 96;
}

void Converter(Game& g, int i) {
    const int j = firstNear(g, i, 4, [](const EnemyBullet& o) { return o.behavior >= -1; });
    if (j < 0) return;
    EnemyBullet& o = At(g, j);
    o.alpha = 255;
    if (At(g, i).behavior == -5) {
        o.behavior = 11;
        o.texX = 96;
        o.angle = static_cast<float>(g.rand() % 360);
    } else {
        o.behavior = 41;
        o.texX = 32;
        const int spread = g.rand() % 20;
        o.angle = static_cast<float>(AimAngle(g, o) + spread / 10.0);
    }
}

void FadeAway(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    b.alpha -= 5;
    if (b.alpha <= 5) Free(g, i);
}

// Touching one costs 5 of the bomb gauge, or the life when 4 or less is left.
void GaugeDrain(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (b.behavior == -11) b.x = s.enemies.slot[kBossSlot].x;
    if (b.behavior == -9) b.x = static_cast<float>(b.x + 0.25);
    if (b.behavior == -10) b.x = static_cast<float>(b.x - 0.25);
    const float dx = std::fabs(b.x - s.playerX), dy = std::fabs(b.y - s.playerY);
    const bool touch = b.behavior == -11 ? dx * dx + dy * dy <= 256
                                         : BulletHitTest(g, std::fabs(dx / 8), std::fabs(dy / 8), i, 1);
    if (!touch) return;
    Free(g, i);
    // The marker shows where the gauge was drained; it never hurts an enemy.
    SpawnPlayerShot(g, {20, 0, 0, 32, 32}, s.playerX, s.playerY, 1, 1, 0, 0.5f, 0, kMarkerShotKind, 255, 0);
    if (s.invincibleTimer != 0) return;
    if (s.bombGauge > 4)
        s.bombGauge -= 5;
    else
        RecordPlayerHit(g, true);
}

void Shatter(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    for (int j = 0; j < kEnemyBulletCapacity; ++j) {
        if (j == i || s.enemyBullets.free[j]) continue;
        EnemyBullet& o = s.enemyBullets.slot[j];
        if (o.spriteKey != 48 || std::fabs(o.x - b.x) + std::fabs(o.y - b.y) > 32) continue;
        const int third = g.rand() % 3;
        if (third == 0) o.behavior = -7;
        const int cell = g.rand() % 4;
        o.texY = 240;
        o.texX = 80 + 16 * cell;
        o.spriteKey = 240;
        o.speed = static_cast<float>(o.speed / 6.0);
        const int spread = g.rand() % 20;
        o.angle = static_cast<float>(spread + (b.angle > 180 ? b.angle - 100 : b.angle + 80));
    }
}

}  // namespace korvid::bullet
