// One frame of an enemy bullet: it ages, lasers lengthen, it grazes or hits
// the player, runs its behaviour, leaves the field past its margin, is drawn
// (popping in larger, animated, turned by its shape) and moves along its
// bearing. While time stands still only the drawing runs.
#include <algorithm>
#include <cmath>

#include "game/PoolSteps.h"
#include "play/BulletContact.h"
#include "play/BulletKit.h"
#include "play/BulletShapes.h"
#include "play/Collisions.h"
#include "play/Geometry.h"

namespace korvid {

namespace {

using bullet::Texture;

// Extra room beyond the field before a bullet is dropped: by behaviour,
// else by texture (a behaviour's room wins over its texture's).
int roomOf(const EnemyBullet& b) {
    switch (b.behavior) {
    case 52: return 480;
    case 54: return 64;
    case 38: return 160;
    case 124: return 480;
    case 130: return 150;
    case 93:
    case 94: return 12260;
    case 103: return 300;
    default: break;
    }
    switch (Texture(b)) {
    case 40: return 160;
    case 39: return 560;
    case 4: return 160;
    case 2: return 96;
    default: return 0;
    }
}

int marginOf(const GameState& s, const EnemyBullet& b) {
    int a = roomOf(b);
    if (s.stage == 6 && !(s.bossActive && s.bossPattern() >= 53)) a += 64;
    if (s.stage == 7) a += 64;
    if (b.behavior == 120) a += 1164;
    return a;
}

bool outsideField(const GameState& s, const EnemyBullet& b) {
    // The margin is never negative: a bullet on the bare field is inside.
    if (b.x >= -32 && b.y >= -32 && b.x <= 480 && b.y <= 512) return false;
    const float a = static_cast<float>(marginOf(s, b));
    if (s.wideField) return b.x < -64 - a || b.y < -64 - a || b.x > 704 + a || b.y > 544 + a;
    return b.x < -32 - a || b.y < -32 - a || b.x > 480 + a || b.y > 512 + a;
}

void growLaser(EnemyBullet& b) {
    const float grown = b.texH + b.speed / b.scaleY;
    b.texH = grown < 256 ? grown : 256;  // a broken scale (0 / 0) caps too
    sprite::SetHotSpot(b.sprite, static_cast<float>(b.texW / 2), b.texH / 2);
}

// Animated sheets: four frames of 8 on textures 1 and 3, three of 6 on the
// large cells of texture 0.
int frameTexX(const EnemyBullet& b) {
    const int tex = Texture(b), key = b.spriteKey;
    if ((tex == 1 || tex == 3) && b.texY != 96 && key != 3000 && key != 3192) return b.texX + ((b.age % 32) / 8) * 32;
    if (key >= 304 && key <= 999) return b.texX + ((b.age % 18) / 6) * 32;
    return b.texX;
}

std::uint32_t argb(int a, int r, int g, int b) {
    auto c = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return (c(a) << 24) | (c(r) << 16) | (c(g) << 8) | c(b);
}

// The slow homing turn of the large glowing shape, run as it is drawn.
void steerTowardPlayer(const GameState& s, EnemyBullet& b) {
    double t = BearingTo(b.x, b.y, s.playerX, s.playerY, 0);
    if (t < b.angle) t += 360;
    b.angle = static_cast<float>(std::fabs(t - b.angle) > 180 ? b.angle - 0.5 : b.angle + 0.5);
}

void draw(Game& game, EnemyBullet& b, float scaleX, float scaleY) {
    Engine& e = game.engine;
    SpriteData& sp = b.sprite;
    sprite::SetTextureRect(sp, static_cast<float>(frameTexX(b)), static_cast<float>(b.texY),
                           static_cast<float>(b.texW), b.texH, true);
    if (b.behavior == 10) {
        sprite::SetColor(sp, argb(b.alpha, 0, 0, 0));
        sprite::RenderEx(e, sp, b.x, b.y, DegToRad(b.angle), scaleX * 1.2f, scaleY * 1.2f);
    }
    sprite::SetColor(sp, argb(b.alpha, b.red, b.green, b.blue));
    if (!IsLaserKey(b.spriteKey) && b.age >= 0 && b.age <= 15) {
        const double pop = 1.45 - 0.03 * b.age;
        scaleX = static_cast<float>(scaleX * pop);
        scaleY = static_cast<float>(scaleY * pop);
    }
    const int key = b.spriteKey;
    const auto render = [&](double rotation) {
        sprite::RenderEx(e, sp, b.x, b.y, static_cast<float>(rotation), scaleX, scaleY);
    };
    if (key == 2288) {
        steerTowardPlayer(game.state, b);
        render(b.age / 7.3);
        return;
    }
    bool drawn = false;
    if (key == 2000 || key == 2256 || key == 2192 || key == 160) render(b.age / 15.3), drawn = true;
    if (b.behavior == 33 || key == 176) render(b.age / 3.3), drawn = true;
    if (key == 3096) render(0), drawn = true;
    if (key == 368 || key == 464) render((b.angle - 90) / 57.3), drawn = true;
    if (!drawn) render(b.angle / 57.3);
}

}  // namespace

void UpdateEnemyBullet(Game& game, int slot) {
    GameState& s = game.state;
    EnemyBullet& b = s.enemyBullets.slot[slot];
    if (!s.timeStop) {
        b.angle = NormaliseAngle(b.angle);
        b.age += 1;
        if (IsLaserKey(b.spriteKey)) growLaser(b);
        if (b.behavior >= 0) BulletContact(game, slot);
        RunBulletBehaviour(game, slot);
        // A bullet freed here is still drawn and moved this frame.
        if (outsideField(s, b)) s.enemyBullets.free[slot] = 1;
    }
    if (!game.engine.Gfx_OnlyCounts()) {
        // Stage 3's bullets swell as the gauge fills.
        float scaleX = b.scaleX, scaleY = b.scaleY;
        if (s.stage == 3) {
            const float swell = s.power / 108 / 3 + 1;
            scaleX *= swell;
            scaleY *= swell;
        }
        draw(game, b, scaleX, scaleY);
    } else if (b.spriteKey == 2288) {
        // Nothing is drawn, but this shape's turn is part of its drawing.
        steerTowardPlayer(s, b);
    }
    if (!s.timeStop) {
        const int k = DirectionIndex(b.angle);
        b.x += Directions().dirX[k] * b.speed;
        b.y += Directions().dirY[k] * b.speed;
    }
}

}  // namespace korvid
