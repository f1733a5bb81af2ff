#include "play/PatternKit.h"

#include "game/Game.h"
#include "play/Geometry.h"

namespace korvid {

void SpeedRamp(Game& game, float push, int endFrame, int startFrame, int slot) {
    if (slot < 0 || slot >= kEnemyCapacity) return;
    Enemy& e = game.state.enemies.slot[slot];
    const int t = e.timer;
    if (t > endFrame + 1) return;
    if (t == startFrame + 1) {
        e.speed += push;
    } else if (endFrame > startFrame) {
        e.speed -= push / static_cast<float>(endFrame - startFrame);
    } else {
        e.speed = 0;  // a ramp of no length has nothing left to decay
    }
    if (e.speed <= 0.2) e.speed = 0;
}

void BulletsToItems(Game& game) {
    GameState& s = game.state;
    for (int i = 0; i < kEnemyBulletCapacity; ++i) {
        if (s.enemyBullets.free[i]) continue;
        s.enemyBullets.free[i] = 1;
        const EnemyBullet& b = s.enemyBullets.slot[i];
        SpawnItemUntracked(game, TexRect{1, 0, 0, 16, 16}, b.x, b.y, 0, 4);
    }
    for (int i = 0; i < kItemCapacity; ++i)
        if (!s.items.free[i]) s.items.slot[i].attracted = 1;
}

DigitList DigitSplit(std::int64_t value) {
    DigitList out;
    if (value < 0) value = 0;
    std::int64_t p = 1;
    while (p <= value / 10) p *= 10;
    while (p > 9) {
        out.digit[out.count++] = static_cast<std::uint8_t>(value / p);
        value %= p;
        p /= 10;
    }
    out.digit[out.count++] = static_cast<std::uint8_t>(value);
    return out;
}

int MuzzleFlash(Game& game, int column, float x, float y, int alpha) {
    return SpawnEffect(game, TexRect{0, column, 208, 32, 32}, x, y, 1, 1, 0, 0.6f, 1,
                       EffectColour{alpha, 255, 255, 255}, 0, 0);
}

int ChargeParticle(Game& game, float x, float y) {
    const int rotation = game.rand() % 360;
    const int ry = game.rand() % 256;
    const int rx = game.rand() % 256;
    return SpawnEffect(game, TexRect{1, 192, 224, 32, 32}, x + rx - 128, y + ry - 128, 1.5f, 1.5f, static_cast<float>(rotation),
                       0.6f, 8, EffectColour{255, 21, 0, 169}, 0, 0);
}

void ChargeParticles(Game& game, float x, float y, int count) {
    for (int i = 0; i < count; ++i) ChargeParticle(game, x, y);
}

void RequestSound(Game& game, int n) {
    if (n >= 0 && n < kSoundCount) game.state.soundRequests[n] = 1;
}

EnemyBullet* JustFired(Game& game, int slot) {
    if (slot < 0 || slot >= kEnemyBulletCapacity) return nullptr;
    return &game.state.enemyBullets.slot[slot];
}

int Fire(Game& game, const BulletPlan& b, float x, float y, float angle) {
    const int slot = SpawnEnemyBullet(game, b.rect, x, y, b.scaleX, b.scaleY, angle, b.z,
                                      static_cast<float>(b.speed), b.behavior, b.alpha);
    if (EnemyBullet* shot = JustFired(game, slot)) shot->owner = b.owner;
    return slot;
}

double AimAtPlayer(const Game& game, float x, float y, double offset) {
    return BearingTo(x, y, game.state.playerX, game.state.playerY, offset);
}

int FireAimed(Game& game, const BulletPlan& b, float x, float y, float offset) {
    const int slot = Fire(game, b, x, y, 0);
    if (slot < 0) return slot;
    EnemyBullet& e = game.state.enemyBullets.slot[slot];
    e.angle = static_cast<float>(AimAtPlayer(game, e.x, e.y, offset));
    return slot;
}

int RingStep(int n) { return n > 0 ? 360 / n : 0; }

void FireRing(Game& game, const BulletPlan& b, float x, float y, int n, float base) {
    FireLayeredRing(game, b, x, y, n, base, 1, 0);
}

void FireLayeredRing(Game& game, const BulletPlan& b, float x, float y, int n, float base, int layers,
                     double speedStep, Nesting nesting) {
    FireRingShaped(game, b, x, y, n, base, layers, speedStep, [](int, int, BulletPlan&) {}, nesting);
}

void FireArc(Game& game, const BulletPlan& b, float x, float y, int count, float base, double step) {
    FireFan(game, b, x, y, base, 0, count - 1, step);
}

void FireFan(Game& game, const BulletPlan& b, float x, float y, double centre, int from, int to, double step) {
    FireLayeredFan(game, b, x, y, centre, from, to, step, 1, 0);
}

void FireLayeredFan(Game& game, const BulletPlan& b, float x, float y, double centre, int from, int to,
                    double step, int layers, double speedStep, Nesting nesting) {
    FireFanShaped(game, b, x, y, centre, from, to, step, layers, speedStep, [](int, int, BulletPlan&) {}, nesting);
}

void FireAimedFan(Game& game, const BulletPlan& b, float x, float y, int k, double step) {
    FireFan(game, b, x, y, AimAtPlayer(game, x, y), -k, k, step);
}

void FireAimedSpread(Game& game, const BulletPlan& b, float x, float y, int from, int to, double step,
                     int layers, double speedStep) {
    for (int j = from; j <= to; ++j) {
        for (int l = 0; l < layers; ++l) {
            BulletPlan s = b;
            s.speed = b.speed + l * speedStep;
            FireAimed(game, s, x, y, static_cast<float>(j * step));
        }
    }
}

void FireRandomSpray(Game& game, const BulletPlan& b, float x, float y, int count) {
    for (int i = 0; i < count; ++i) {
        const int angle = game.rand() % 360;
        Fire(game, b, x, y, static_cast<float>(angle));
    }
}

Point DrawSprayCentre(Game& game, float x, float y) {
    const int rx = game.rand() % 100;
    const int ry = game.rand() % 100;
    return Point{x - rx + 50, y - ry + 50};
}

void FireWallRain(Game& game, const BulletPlan& b, float x0, float y0, float dx, float dy, int count,
                  float angle) {
    for (int i = 0; i < count; ++i) Fire(game, b, x0 + i * dx, y0 + i * dy, angle);
}

}  // namespace korvid
