// Bullets that make bullets: splits into copies, rings, bursts, streams of
// children, and the bullets that give way to a larger one.
#include <algorithm>
#include <cmath>

#include "play/BulletSteps.h"
#include "play/PatternKit.h"
#include "play/Geometry.h"

namespace korvid::bullet {

namespace {

int difficulty(const Game& g) { return g.state.difficulty; }
int bossTimer(const Game& g) { return g.state.bossTimer(); }

// Copies at the given speeds, drawn on the upper bullet layer and a quarter
// of a second into their pop-in.
void splitInto(Game& g, int i, std::initializer_list<float> speeds) {
    for (float v : speeds) Copy(g, i, v, 0.31f, 15);
}

}  // namespace

void SplitIntoPairs(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 40 && b.age < 50) AddSpeed(b, -0.2);
    if (b.age == 50) {
        g.state.soundRequests[3] = 1;
        const bool lead = b.alpha == 255;
        if (lead) Aim(g, b);
        int pairs = difficulty(g);
        if (g.state.stageFrame > 2499 && difficulty(g) >= 2) pairs += 1;
        for (int k = 0; k < pairs; ++k) {
            const int texX = lead ? 96 : 128 - (k % 2) * 32;
            const TexRect r{0, texX, 96, 16, 16};
            Child(g, b, r, b.angle, 0.5f, 0, lead ? 6 : 7, 255 - 2 * k);
            Child(g, b, r, b.angle, 0.5f, 0, lead ? 6 : 7, 254 - 2 * k);
        }
    }
    if (b.age == 70) b.speed = b.alpha == 255 ? 3.5f : 1.0f;
}

void Fountain(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const int d = difficulty(g);
    if (b.age == 170) {
        b.work = b.speed;
        b.speed = 0;
    }
    if (b.age >= 170) SpeedPulse(b, b.work, 130, 100);
    if (b.y >= 464 || b.y <= 16 || b.x >= 448 || b.x <= 16) {
        Free(g, i);
        return;
    }
    auto threeWay = [&](TexRect r, float speed) {
        for (int k = 0; k < 3; ++k) Child(g, b, r, static_cast<float>(b.angle + 120 * k), Z(b), speed, 0);
    };
    if (b.age == 170) {
        b.angle = static_cast<float>(g.rand() % 90);
        MuzzleFlash(g, kFlashColumn, b.x, b.y);
        if (d == 0) {
            threeWay({0, 128, 48, 16, 16}, 0.7f);
            Free(g, i);
        } else {
            threeWay({0, 0, 48, 16, 16}, 1);
        }
    }
    if (b.age > 239 && b.age % 10 == 0) {
        MuzzleFlash(g, kFlashColumn, b.x, b.y);
        threeWay({0, 0, 48, 16, 16}, static_cast<float>(1.5 * d + 0.5));
    }
    if (b.age >= 40 * d + 220) Free(g, i);
}

// The great wheel: clears the bullets it passes (not its own children),
// sheds children and ends in two rings.
void Wheel(Game& g, int i) {
    GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    b.texX = ((s.stageFrame % 32) / 8) * 192;
    for (int j = 0; j < kEnemyBulletCapacity; ++j) {
        if (j == i || s.enemyBullets.free[j]) continue;
        const EnemyBullet& o = s.enemyBullets.slot[j];
        if (o.behavior == 20 || (o.marked && o.work == i + 1)) continue;
        if (std::fabs(o.x - b.x) <= 32 && std::fabs(o.y - b.y) <= 32) s.enemyBullets.free[j] = 1;
    }
    auto child = [&](float angle, float speed) {
        const int c = Child(g, b, {0, 0, 16, 16, 16}, angle, Z(b), speed, 0);
        if (c >= 0) s.enemyBullets.slot[c].work = static_cast<float>(i + 1);  // remembers its parent
    };
    if (b.alpha == 255) {
        if (b.age == 60) b.speed = 0, Turn(b, -90);
        if (b.age >= 220) {
            Turn(b, -1);
            b.x = static_cast<float>(b.x - 0.003);
            b.speed = 3.14159f;
        }
    } else if (b.age >= 70) {
        b.speed = std::max(static_cast<float>(b.speed - 0.03), 0.0f);
    }
    if (s.difficulty == 2 && b.age < 120 && b.age % 12 == 0) {
        child(b.angle + 90, 0.5f);
        child(b.angle - 90, 0.5f);
    }
    if (b.age >= 260 && b.age <= 264) b.texX = 768;
    if (b.age >= 265 && b.age <= 279) b.texY = 192, b.texX = (b.age - 265) / 5 * 192;
    if (b.age == 280) {
        const int n = s.difficulty == 2 ? 60 : 20;
        for (int k = 0; k < n; ++k) {
            const double a = b.angle + 360.0 * k / n;
            child(static_cast<float>(a), 1.5f);
            child(static_cast<float>(a + 180.0 / n), 1.2f);
        }
        Free(g, i);
    }
}

void AimedDrip(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    constexpr int kPeriod[] = {150, 150, 90, 90};
    const int L = kPeriod[std::clamp(difficulty(g), 0, 3)];
    if (b.age >= 60 && bossTimer(g) % L == 0 && b.y <= 160 * (difficulty(g) + 1))
        Child(g, b, {0, 96, 128, 16, 16}, AimAngle(g, b), 0.31f, 1, 0);
}

void GrowIntoGiant(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 2, 60, 0);
    if (b.age != 60) return;
    const int c = SpawnEnemyBullet(g, {39, 384, 0, 192, 192}, b.x, b.y, b.scaleX, b.scaleY, 180, 0.64f, 0, 33, 255);
    if (c >= 0) At(g, c).marked = 1;
    Free(g, i);
}

void Split(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 45: if (b.age == 50) splitInto(g, i, {2.5f, 3, 3.5f, 4}); break;
        case 46: if (b.age == 90) splitInto(g, i, {2.5f, 3}); break;
        case 47:
            if (b.age < 50) Turn(b, TurnSign(b) * 1.3);
            if (b.age == 50) splitInto(g, i, {2, 2.5f, 3});
            break;
        case 48: if (b.age == 90) splitInto(g, i, {3, 4}); break;
        default: break;
    }
}

void RingVolleys(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 100 && b.age <= 230 && b.age % 30 == 0 && g.state.bossPattern() > 55) {
        g.state.soundRequests[0] = 1;
        const int start = g.rand() % 360;
        for (int k = 0; k < 6; ++k)
            Child(g, b, {1, 0, 176, 32, 32}, static_cast<float>(start + 36 * k), 0.31f, 1.5f, 0);
    }
    if (b.age > 249) AddSpeed(b, 0.05);
}

void SideStreams(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 10 && b.age % 10 == 0) {
        MuzzleFlash(g, kFlashColumn, b.x, b.y);
        Child(g, b, {0, 128, 128, 16, 16}, b.angle + 90, 0.31f, 0.8f, 0);
        Child(g, b, {0, 128, 128, 16, 16}, b.angle - 90, 0.31f, 0.8f, 0);
    }
    if (b.age > 229) AddSpeed(b, 0.05);
}

void BurstIntoRings(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 10 && b.age < 60) AddSpeed(b, -0.06);
    if (b.age != 110) return;
    SpawnEffect(g, {39, 384, 0, 192, 192}, b.x, b.y, 1, 1, 0, 0.6f, 23, {255, 255, 255, 255}, 0, 0);
    const int rings = 2 + 2 * std::clamp(difficulty(g), 0, 2);
    for (int k = 0; k < rings; ++k)
        Ring(g, b, {2, 128, 128, 32, 32}, 12, b.angle, Z(b), static_cast<float>(1 + 0.1 * k));
    Free(g, i);
}

void AimedVolley(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 2.5f, 100, 0);
    if (b.age == 100) {
        b.work = AimAngle(g, b);
        if (difficulty(g) == 2)
            Ring(g, b, {0, 64, 16, 16, 16}, 12, b.work, Z(b), 2.5f, 10);
        else
            Child(g, b, {0, 64, 16, 16, 16}, b.work, Z(b), 2.5f, 10);
    }
    if (b.age > 99) Rescale(b, -0.03);
    if (b.age >= 130) Free(g, i);
}

void ProximityBurst(Game& g, int i) {
    const GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    const double dx = b.x - s.playerX, dy = b.y - s.playerY;
    const bool outside = b.x < 0 || b.x > 448 || b.y < 0 || b.y > 480;
    if (!(dx * dx + dy * dy <= 100 * 100 || outside)) return;
    g.state.soundRequests[19] = 1;
    const float r = s.difficulty == 2 ? 32.0f : 16.0f;
    auto pairs = [&](TexRect cell, int n, float speed) {
        for (int k = 0; k < n; ++k) {
            const float a = static_cast<float>(360.0 * k / n);
            for (float heading : {a, a + 180}) {
                const int c = SpawnEnemyBullet(g, cell, static_cast<float>(b.x + r * std::sin(a / 57.3)),
                                               static_cast<float>(b.y - r * std::cos(a / 57.3)), 1, 1, heading,
                                               Z(b), speed, 0, 255);
                if (c >= 0) At(g, c).marked = 1;
            }
        }
    };
    pairs({2, 32, 256, 31, 32}, 18, 2);
    if (s.difficulty == 2) pairs({0, 32, 160, 16, 16}, 30, 1.5f);
    Free(g, i);
}

void WhirlTrailThenDash(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 5, 30, 0);
    if (b.age >= 30 && b.age <= 120) Turn(b, 24);
    if (b.age == 60) b.work = AimAngle(g, b);
    if (b.age >= 60 && b.age <= 90 && b.age % 3 == 0)
        Child(g, b, {0, 32, 129, 16, 15}, b.angle, Z(b), 8, -1, 155);
    if (b.age == 120) {
        b.angle = b.work;
        b.speed = 6.5f;
        for (float v : {7.0f, 7.5f}) {
            const int c = Copy(g, i, v, Z(b), b.age);
            if (c >= 0) At(g, c).angle = b.work;
        }
    }
}

void DoubleRingBurst(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 40 && b.age < 80) AddSpeed(b, -0.075);
    if (b.age == 100) {
        const int start = g.rand() % 360;
        for (int k = 0; k < 45; ++k) {
            Child(g, b, {1, 0, 144, 32, 32}, static_cast<float>(start + 8 * k), 0.51f, 2.8f, 0);
            Child(g, b, {1, 0, 144, 32, 32}, static_cast<float>(start + 8 * k + 4), 0.51f, 2.5f, 0);
        }
    }
    if (b.age > 99) Rescale(b, -0.05);
    if (b.age >= 120) Free(g, i);
}

void Sniper(Game& g, int i) {
    const GameState& s = g.state;
    EnemyBullet& b = At(g, i);
    if (s.bossTimer() % 320 != 0) return;
    if (std::fabs(b.x - s.playerX) < 120 && std::fabs(b.y - s.playerY) < 120) return;
    Child(g, b, {2, 32, 128, 32, 32}, AimAngle(g, b), Z(b), 1, 0);
}

// Three tags, three fates: 255 stops and fires once, 254 stops, 253 spirals in.
void StopFireOrSpiral(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.alpha == 255) {
        if (b.age == 60) b.speed = 0;
        if (b.age > 60) Rescale(b, -0.05);
        if (b.age == 68) {
            g.state.soundRequests[4] = 1;
            Child(g, b, {0, 32, 96, 16, 16}, AimAngle(g, b), Z(b), 2.5f, 0);
        }
        if (b.age >= 70) Free(g, i);
    } else if (b.alpha == 254) {
        if (b.age == 50) b.speed = 0;
    } else if (b.alpha == 253) {
        const double r = b.age < 300 ? 465 - 450.0 * b.age / 300 : 15;
        b.speed = 0;
        Turn(b, 1);
        PlaceOnCircle(b, 224, 240, static_cast<float>(r));
        if (b.age >= 330) Free(g, i);
    }
}

void Planter(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.alpha == 253 || b.alpha == 252) Turn(b, b.alpha == 253 ? 1 : -1);
    if (b.age % 5 != 0) return;
    const bool odd = (b.age / 5) % 2 != 0;
    Child(g, b, {3, 48, 192, 16, 16}, static_cast<float>(b.angle + (odd ? 90 : -90)), Z(b), 0, 132,
          odd ? 255 : 254);
}

void RingSower(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.y >= 448 || b.age % 100 != 0) return;
    const int start = g.rand() % 360;
    if (b.spriteKey == 304)
        Ring(g, b, {0, 96, 48, 16, 16}, 10, static_cast<float>(start), Z(b), 0.7f, 134, 255);
    else
        Ring(g, b, {0, 32, 48, 16, 16}, 10, static_cast<float>(start), Z(b), 0, 134, 254);
}

}  // namespace korvid::bullet
