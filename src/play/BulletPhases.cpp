// Bullets whose harm, colour or course follows a clock: fades in and out,
// harmless resting phases driven by the boss timer, boss-bound releases
// and circles.
#include <algorithm>
#include <cmath>

#include "game/FrameSteps.h"
#include "play/BulletSteps.h"
#include "play/PatternKit.h"
#include "play/Geometry.h"

namespace korvid::bullet {

namespace {

// C's truncating remainder of the boss timer (negative during interludes).
int bossCycle(const Game& g, int period) { return g.state.bossTimer() % period; }

void setZ(Game& g, EnemyBullet& b, float z) {
    sprite::SetZ(b.sprite, z);
    NoteBulletZ(g, static_cast<int>(&b - g.state.enemyBullets.slot.data()), z);
}

// Harmful code, resting code, and the z and alpha of each phase.
struct Phase {
    int harmful, resting;
    float harmfulZ, restingZ;
};

void enterPhase(Game& g, EnemyBullet& b, const Phase& p, bool harmful) {
    b.behavior = harmful ? p.harmful : p.resting;
    b.alpha = harmful ? 255 : 155;
    setZ(g, b, harmful ? p.harmfulZ : p.restingZ);
}

}  // namespace

void LightUp(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (!(b.speed > 0)) return;  // a standing bullet never reaches its moment
    const float moment = 120 / b.speed;
    if (!(moment < 1e9f) || b.age != static_cast<int>(moment) + 1) return;
    b.alpha = 255;
    MuzzleFlash(g, kFlashColumn, b.x, b.y);
    if (b.behavior == 12) return;
    int turn = 40;
    if (g.state.bossActive && g.state.bossPattern() == 10) turn = g.rand() % 50 + 28;
    Turn(b, b.behavior == 13 ? turn : -turn);
}

void RainbowSparkle(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    int frame = g.state.stageFrame % 360;
    if (frame < 0) frame += 360;
    const Rgb c = HslToRgb(frame / 360.0, 1, 0.5);
    b.red = static_cast<int>(c.r);
    b.green = static_cast<int>(c.g);
    b.blue = static_cast<int>(c.b);
    b.behavior = -3;
}

void GlowAndFade(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age <= 120) b.alpha += 1;
    if (b.age >= 121 && b.age <= 124) b.alpha += 26;
    if (b.age >= 140) {
        b.alpha -= 5;
        if (b.alpha <= 5) Free(g, i);
    }
}

void DieAtBoss(Game& g, int i) {
    const Enemy& boss = g.state.enemies.slot[kBossSlot];
    EnemyBullet& b = At(g, i);
    if (std::fabs(b.x - boss.x) + std::fabs(b.y - boss.y) <= 2) {
        MuzzleFlash(g, kFlashColumn, b.x, b.y);
        Free(g, i);
    }
}

void BlinkPhases(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const int t = bossCycle(g, 360);
    switch (b.behavior) {
        case 49:
            if (t >= 150) b.alpha = 155, b.behavior = -8, setZ(g, b, 0.66f);
            break;
        case -8:
            if (t >= 60 && t <= 150) b.alpha = 255, b.behavior = 49, setZ(g, b, 0.6f);
            break;
        case 82: case -13:
            enterPhase(g, b, {82, -13, 0.62f, 0.71f}, t >= 211 && t <= 329);
            break;
        case 84: case -14:
            enterPhase(g, b, {84, -14, Z(b), Z(b)}, !(t >= 10 && t <= 160));
            break;
        default:
            break;
    }
}

void GroupRelease(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age == 1) Turn(b, -90);
    int group;
    switch (b.texX) {
        case 96: group = 0; break;
        case 32: group = 1; break;
        case 64: group = 2; break;
        default: return;
    }
    const int t = bossCycle(g, 300);
    const float cap = static_cast<float>(2.1 + 0.3 * g.state.difficulty);
    if (t >= 60 * group && t <= 60 * group + 60) b.speed = std::min(static_cast<float>(b.speed + 0.1), cap);
}

// Alpha follows boss value 1 (reversed on the texX 96 cells); below 255 the
// bullet rests, and stands still while the value is 0.
void FollowBossGlow(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const float v = std::clamp(g.state.bossVar[1], 0.0f, 255.0f);
    b.alpha = static_cast<int>(b.texX == 96 ? 255 - v : v);
    if (b.alpha < 255) {
        if (b.behavior == 65) b.work = b.speed;
        b.behavior = -12;
        b.speed = (v == 0) ? 0 : b.work;
    } else {
        if (b.behavior == -12) b.speed = b.work;
        b.behavior = 65;
    }
}

void WhirlOrFade(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (g.state.difficulty != 2) {
        if (b.age > 359) {
            b.alpha -= 8;
            if (b.alpha <= 8) Free(g, i);
        }
        return;
    }
    if (b.age < 360) {
        b.speed = 0.25f;
        Turn(b, 6);
    } else if (b.age == 360) {
        if (g.rand() % 4 == 0) {
            b.speed = 0.6f;
            b.angle = static_cast<float>(g.rand() % 360);
        } else {
            Free(g, i);
        }
    }
}

void BrakeToStop(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    b.speed = std::max(static_cast<float>(b.speed - 0.05), 0.0f);
    if (g.state.bossTimer() == 220)
        SpawnEffect(g, {40, 0, 0, 128, 128}, b.x, b.y, 1, 1, 0, 0.6f, 58, {255, 255, 255, 255}, 0, 0);
}

void RisingFloor(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (g.state.difficulty != 2) return;
    if (b.y >= 480 - ((g.state.bossTimer() - 80) / 160) * 16) b.speed = 0;
}

void DriftAgainstClock(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (g.state.difficulty != 2) return;
    const float t = static_cast<float>(bossCycle(g, 60) * 6);
    b.x = static_cast<float>(b.x - DirX(t) * 0.5);
    b.y = static_cast<float>(b.y - DirY(t) * 0.5);
}

void FadeByLength(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.texH >= 20) {
        if (b.age > 29) b.alpha -= 20;
        if (b.age >= 41) Free(g, i);
    } else {
        if (b.age > 119) b.alpha -= 8;
        if (b.age >= 150) Free(g, i);
    }
}

void StopThenScatter(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.behavior == 90) {
        if (b.age == 90) b.speed = 0;
        if (bossCycle(g, 960) == 599) {
            g.state.soundRequests[4] = 1;
            b.angle = static_cast<float>(g.rand() % 360);
            b.speed = 0.8f;
        }
        return;
    }
    // 91
    if (b.age == 90) {
        b.work = b.speed;
        b.speed = 0;
    }
    if (b.age == 200 - 40 * g.state.difficulty) {
        if (g.state.difficulty == 1) {
            Turn(b, 180);
            b.speed = b.work;
        } else {
            g.state.soundRequests[3] = 1;
            b.angle = static_cast<float>(g.rand() % 360);
            b.speed = 1;
        }
    }
}

void SwellAndExpire(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 500) Rescale(b, 0.005);
    if (g.state.difficulty == 2 && b.age < 600) Turn(b, 0.2);
    if (b.age >= 400 * g.state.difficulty + 500) Free(g, i);
}

void Satellite(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    const int host = SlotInWork(b, kEnemyBulletCapacity);
    if (host < 0 || host == i || s.enemyBullets.free[host]) {
        Free(g, i);
        return;
    }
    const EnemyBullet& h = s.enemyBullets.slot[host];
    b.alpha = 255 - 2 * std::abs(b.age % 125 - 62);
    Turn(b, 0.4);
    PlaceOnCircle(b, h.x, h.y, 100 * h.scaleX);
    if (b.age >= 400 * s.difficulty + 500) Free(g, i);
}

// On a circle of radius work around the field's centre, swinging with the
// boss timer; grows in and fades in, later shrinks and fades out.
void CircleDancer(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const double swing = std::sin(g.state.bossTimer() / 30.0) * 0.5;
    Turn(b, b.behavior == 95 ? swing : -swing);
    const bool growing = b.age >= 80 && b.age < 140, shrinking = b.age >= 220 && b.age < 280;
    if (growing || shrinking) {
        Rescale(b, growing ? 0.01 : -0.01);
        b.alpha = std::clamp(b.alpha + (growing ? 4 : -4), 0, 255);
    }
    b.speed = 0;
    PlaceOnCircle(b, 224, 240, b.work);
}

void ReleaseOnBossWound(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const Enemy& boss = g.state.enemies.slot[kBossSlot];
    double share;
    switch (b.alpha) {
        case 255: share = 0.13; break;
        case 254: share = 0.07; break;
        case 253: share = 0.002; break;
        default: return;
    }
    if (boss.hp > boss.maxHp * share) return;
    b.angle = static_cast<float>(g.rand() % 360);
    b.speed = 1.5f;
    b.behavior = 0;
}

void Sweeper(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (b.age == 30) b.speed = 0;
    if (b.age >= 101 && b.age <= 299) {
        b.speed = static_cast<float>(1 + 0.02 * std::abs(b.age - 200));
        Turn(b, TurnSign(b) * 0.9);
    }
    if (b.age == 130 || b.age == 280) {
        if (!s.chimeSound) s.chimeSound = g.engine.Stream_Load("SE/1685.wav");
        g.engine.Stream_Play(s.chimeSound, false, s.seVolume);
    }
    for (int j = 0; j < kEnemyBulletCapacity; ++j) {
        if (j == i || s.enemyBullets.free[j]) continue;
        const EnemyBullet& o = s.enemyBullets.slot[j];
        if (std::fabs(o.x - b.x) <= 32 && std::fabs(o.y - b.y) <= 32) s.enemyBullets.free[j] = 1;
    }
}

}  // namespace korvid::bullet
