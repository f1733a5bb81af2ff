// Bullets that meet the edges of the field: they bounce once, reverse, or
// come to rest there.
#include "play/BulletSteps.h"

namespace korvid::bullet {

namespace {


float mirrorAcross(float a) { return 360 - a; }
// Reflection off a horizontal edge; kept in 0..360.
float mirrorAlong(float a) {
    float r = 540 - a;
    if (r > 360) r -= 360;
    return r;
}

// Mirrors a bullet that left [left, right] x [top, bottom] back inside and
// reflects its heading. Returns whether it bounced.
bool bounceInside(EnemyBullet& b, float left, float right, float top, float bottom) {
    bool bounced = false;
    if (b.x < left || b.x > right) {
        b.x = b.x < left ? 2 * left - b.x : 2 * right - b.x;
        b.angle = mirrorAcross(b.angle);
        bounced = true;
    }
    if (b.y < top || b.y > bottom) {
        b.y = b.y < top ? 2 * top - b.y : 2 * bottom - b.y;
        b.angle = mirrorAlong(b.angle);
        bounced = true;
    }
    return bounced;
}

}  // namespace

void BounceOnce(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    AddSpeed(b, 0.01);
    if (b.alpha == 255) {
        bool bounced = false;
        if (b.x < 24 || b.x > 452) b.angle = mirrorAcross(b.angle), bounced = true;
        if (b.y < 0 || b.y > 480) b.angle = mirrorAlong(b.angle), bounced = true;
        if (bounced) b.alpha = 254;
    } else if (b.alpha == 254) {
        b.texX = 0;
        b.texY = 257;
        b.texW = 32;
        b.texH = 32;
    }
}

void StretchThenSettle(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 40) b.scaleX = static_cast<float>(b.scaleX + 0.025);
    if (b.age > 59) AddSpeed(b, 0.1);
    if (b.x < 40 || b.x > 428 || b.y < 0 || b.y > 464) {
        b.age = 20;
        b.speed = 0;
        g.state.soundRequests[33] = 1;
        b.behavior = 54;
    }
}

void PulseAndTurnBack(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 8, 15, 0);
    if (g.state.difficulty >= 1 && (b.x < 24 || b.x > 452 || b.y < 0 || b.y > 480)) {
        Turn(b, 180);
        b.behavior = 1;
    }
}

void SideWalls(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (bounceInside(b, 0, 448, -1e9f, 1e9f) && g.state.stage == 6) b.texY = 64;
}

void ReflectOnce(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.behavior == 97)
        AddSpeed(b, 0.07);
    else if (b.age < 60)
        AddSpeed(b, 0.05);
    if (b.work == 0 && bounceInside(b, 0, 448, 0, 480)) b.work = 1;
}

}  // namespace korvid::bullet
