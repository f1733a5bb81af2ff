// Effects that act on the field: zones that disarm or erase enemy bullets,
// the bomb explosions of character 1, and the hazards that hurt the player
// (boss devices and homing missiles).
#include <algorithm>
#include <cmath>

#include "play/Collisions.h"
#include "play/EffectSteps.h"
#include "play/Geometry.h"
#include "play/PatternKit.h"
#include "play/Spawn.h"

namespace korvid {

namespace {

constexpr int kAdditive = 0;
constexpr int kColourAdd = 1;

bool hittable(const GameState& s, int slot) {
    const Enemy& en = s.enemies.slot[slot];
    return !s.enemies.free[slot] && !en.noHit && en.timer >= 0;
}

// Bullets a zone may touch: in use and not marked.
template <typename Fn>
void forUnmarkedBullets(GameState& s, Fn fn) {
    for (int i = 0; i < kEnemyBulletCapacity; ++i) {
        if (s.enemyBullets.free[i] || s.enemyBullets.slot[i].marked) continue;
        fn(i, s.enemyBullets.slot[i]);
    }
}

// The hazards' contact shape: an ellipse of radius sqrt(limit) scaled by the
// effect's own scales.
bool touchesPlayer(const EffectFrame& f, double limit) {
    const double dx = (f.s.playerX - f.e.x) / static_cast<double>(f.e.scaleX);
    const double dy = (f.s.playerY - f.e.y) / static_cast<double>(f.e.scaleY);
    return dx * dx + dy * dy <= limit;
}

void turnToward(EffectSprite& e, double target, float rate) {
    double diff = std::fmod(target - e.angle, 360.0);
    if (diff > 180) diff -= 360;
    if (diff < -180) diff += 360;
    if (std::abs(diff) <= rate) {
        e.angle = static_cast<float>(e.angle + diff);
    } else {
        e.angle += (diff > 0) ? rate : -rate;
    }
}

void moveAlong(EffectSprite& e, double step) {
    e.x += DirX(e.angle) * step;
    e.y += DirY(e.angle) * step;
}

bool outsideDeviceField(const EffectSprite& e) {
    return e.x < kDeviceMinX || e.x > kDeviceMaxX || e.y < kDeviceMinY || e.y > kDeviceMaxY;
}

}  // namespace

void HazardHit(Game& game) { RecordPlayerHit(game, true); }

// A cross-shaped zone: bullets inside its arms are disarmed, bullets outside
// take the behaviour that lets them resume once they leave; it breathes out
// a slow ring every 30 frames and fades away.
void StepDisarmCross(EffectFrame& f) {
    EffectSprite& e = f.e;
    const double sx = e.scaleX, sy = e.scaleY;
    forUnmarkedBullets(f.s, [&](int, EnemyBullet& b) {
        if (b.behavior == 0) return;
        const double dx = std::abs(b.x - e.x) / sx, dy = std::abs(b.y - e.y) / sy;
        const bool inside = (dx <= 54 && dy <= 12) || (dx <= 13 && dy <= 88);
        b.behavior = inside ? -1 : 31;
    });
    if (e.age % 30 == 0) FireRing(f.game, BulletPlan{TexRect{0, 32, 48, 16, 16}, 1.0}, e.x, e.y, 8, 0);
    e.alpha -= 5;
    f.free = e.alpha <= 5;
}

// A growing ring that erases the bullets at its centre and holds the player
// back from the right edge.
void StepEraseRing(EffectFrame& f) {
    EffectSprite& e = f.e;
    sprite::SetBlendMode(e.sprite, kColourAdd);
    e.scaleX += 0.01;
    e.scaleY += 0.01;
    forUnmarkedBullets(f.s, [&](int i, EnemyBullet& b) {
        const double dx = b.x - e.x, dy = b.y - e.y;
        if (dx * dx + dy * dy <= 16 * 16) f.s.enemyBullets.free[i] = 1;
    });
    if (f.s.playerX > 406) f.s.playerX = 406;
}

// Character 1's bomb explosion (53: the three fixed-point sub-bombs): it
// swells to its size, hurts every hittable enemy within sqrt(70000) * scaleX
// each frame through a damage object, erases the bullets in that circle and
// fades out after its time.
void StepBombBlast(EffectFrame& f) {
    EffectSprite& e = f.e;
    GameState& s = f.s;
    const bool fixedPoint = e.type == 53;
    sprite::SetBlendMode(e.sprite, kColourAdd);
    if (e.scaleX <= (fixedPoint ? 1.6 : 0.4)) {
        const double grow = fixedPoint ? 0.035 : 0.02;
        e.scaleX += grow;
        e.scaleY += grow;
    }
    const double reach = 70000.0 * e.scaleX * e.scaleX;
    const float damage = fixedPoint ? 1.5f : 0.55f;
    for (int i = 0; i < kEnemyCapacity; ++i) {
        if (!hittable(s, i)) continue;
        const Enemy& en = s.enemies.slot[i];
        const double dx = en.x - e.x, dy = en.y - e.y;
        if (dx * dx + dy * dy <= reach)
            SpawnPlayerShot(f.game, TexRect{19, 0, 0, 0, 0}, en.x, en.y, 1, 1, 0, 0.5f, 0, 6, 255, damage);
    }
    forUnmarkedBullets(s, [&](int i, EnemyBullet& b) {
        if (b.behavior == 20) return;
        const double dx = b.x - e.x, dy = b.y - e.y;
        if (dx * dx + dy * dy <= reach) s.enemyBullets.free[i] = 1;
    });
    if (e.age > (fixedPoint ? 170 : 100)) e.alpha -= 10;
    f.rotation = static_cast<float>((e.age % 60) * 6);
    f.free = e.alpha < 1;
}

// Boss devices. 31 stands and turns a degree a frame (clockwise for alpha
// 255, else back), firing from both ends; 38 travels along its angle firing
// darts to both sides and goes when it leaves the field. Both hurt the player
// they touch: 31 within 9 px, 38 within 16 px, scaled.
void StepDevice(EffectFrame& f) {
    EffectSprite& e = f.e;
    Game& game = f.game;
    if (e.type == 31) {
        // A ring of eighteen firing every 10 frames walls the field in; on
        // Easy every 20 and on Normal every 14 leave lanes between the
        // pairs.
        static constexpr int kDeviceEvery[4] = {20, 14, 10, 10};
        const int every = kDeviceEvery[std::clamp(game.state.difficulty, 0, 3)];
        e.angle += (e.alpha == 255) ? 1 : -1;
        if (e.age % every == 0) {
            Fire(game, BulletPlan{TexRect{1, 0, 176, 32, 32}, 2.0}, e.x, e.y, e.angle);
            Fire(game, BulletPlan{TexRect{1, 0, 144, 32, 32}, 2.0}, e.x, e.y, e.angle + 180);
        }
        if (e.age % 90 == 0) FireAimed(game, BulletPlan{TexRect{4, 256, 0, 16, 64}, 5.0}, e.x, e.y, 0);
        if (touchesPlayer(f, 81)) HazardHit(game);
        return;
    }
    moveAlong(e, 2);
    if (e.age % 12 == 0) {
        const BulletPlan dart{TexRect{4, 224, 0, 16, 64}, 3.0, 0, 255, 0.5f, 0.4f, 0.4f};
        Fire(game, dart, e.x, e.y, e.angle + 90);
        Fire(game, dart, e.x, e.y, e.angle - 90);
    }
    if (touchesPlayer(f, 256)) HazardHit(game);
    f.free = outsideDeviceField(e);
}

// A homing missile: launched at a random heading -40..39 that slows to a
// stop by age 60, it turns onto the player from age 70 (hard until 170, then
// gently) and speeds up again, trailing sparks; it burns out at age 300, or
// at once late in the stage.
void StepMissile(EffectFrame& f) {
    EffectSprite& e = f.e;
    GameState& s = f.s;
    if (e.age == 1) e.angle = static_cast<float>(f.game.rand() % 80 - 40);
    if (e.age >= 70 && e.age <= 270)
        turnToward(e, BearingTo(e.x, e.y, s.playerX, s.playerY, 0), e.age < 170 ? 1.5f : 0.5f);
    if (e.age <= 60) {
        moveAlong(e, 0.08 * (60 - e.age));
    } else {
        moveAlong(e, std::min(4.0, 0.04 * (e.age - 60)));
    }
    if (e.age % 2 == 0)
        SpawnEffect(f.game, TexRect{33, 0, 0, 32, 32}, e.x, e.y, 0.5f, 0.5f, 0, 0.6f, 49,
                    EffectColour{255, 70, 10, 255}, kAdditive, 0);
    if (touchesPlayer(f, 81)) HazardHit(f.game);
    f.free = e.age >= 300 || s.stageFrame > 8399;
}

}  // namespace korvid
