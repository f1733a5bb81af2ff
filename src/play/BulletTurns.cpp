// Bullets that turn: timed turns and aims, steady curves by their tag, and
// homing.
#include <cmath>

#include "play/BulletSteps.h"
#include "play/Geometry.h"

namespace korvid::bullet {

void PulseThenSideTurn(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 5, 30, 0);
    if (b.age == 60) {
        g.state.soundRequests[3] = 1;
        Turn(b, b.behavior == 2 ? -90 : 90);
        b.speed = 2;
    }
}

void PulseThenAim(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 4:
            SpeedPulse(b, 5, 30, 0);
            if (b.age == 70) Aim(g, b), b.speed = 3;
            break;
        case 23:
            if (b.age < 60) SpeedPulse(b, static_cast<float>(257 - b.alpha), 30, 0);
            if (b.age == 60) Aim(g, b), b.speed = 3;
            break;
        case 55:
            if (b.age == 30) Aim(g, b), b.speed = 3;
            break;
        case 56:
            SpeedPulse(b, 6, 30, 0);
            if (b.age == 100) {
                Aim(g, b);
                b.speed = 6;
                if (b.spriteKey > 50999) b.texX = 32;
            }
            break;
        default:
            break;
    }
}

void PulseThenVeer(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 60) {
        SpeedPulse(b, 4, 30, 0);
        return;
    }
    Turn(b, b.behavior == 24 ? 80 : -80);
    b.speed = 1.5f;
    b.behavior = 0;
}

// Spawned in pairs by the splitting bullet: slide apart, then fly.
void SlideApart(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 19) {
        const float side = static_cast<float>(b.angle + (b.alpha % 2 != 0 ? 90 : 270));
        const double step = (257 - b.alpha) / 2.0;
        b.x = static_cast<float>(b.x + DirX(side) * step);
        b.y = static_cast<float>(b.y + DirY(side) * step);
        return;
    }
    b.speed = b.behavior == 6 ? 3.5f : 1.0f;
}

void CurlAndSink(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 60) Turn(b, 1.5 - 0.05 * std::abs(b.age - 30));
    AddY(b, (b.age - 20) / 60.0);
}

void Spiral(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (g.state.bossActive && g.state.bossPattern() == 20) sprite::SetBlendMode(b.sprite, 0);
    b.speed = static_cast<float>(b.speed * 1.002);
    const double turn = 1 - b.age / 600.0;
    Turn(b, b.behavior == 16 ? -turn : turn);
}

void Flip(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.scaleY >= -1) b.scaleY = static_cast<float>(b.scaleY - 0.02);
    if (b.age >= 50 && b.age <= 100) b.scaleY = -0.00001f;
    if (b.age == 70) b.speed = -b.speed;
}

// Steady turns by the tag: turn rate, the age window [from, until) it runs
// in (until 0: always), and a pulse that comes with it.
struct SteadyTurn {
    int code;
    double rate;
    int from, until;
};
constexpr SteadyTurn kSteadyTurns[] = {
    {34, 0.5, 0, 0},    {58, -0.4, 0, 0},  {118, 0.7, 40, 170}, {123, 1.5, 0, 100},
    {127, 0.8, 0, 200}, {136, 0.3, 0, 0},  {113, 0.5, 0, 0},    {114, 0.8, 0, 0},
};

void TurnByTag(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    const GameState& s = g.state;
    if (b.behavior == 34) SpeedPulse(b, 8, 30, 0);
    if (b.behavior == 35) {
        Turn(b, TurnSign(b) * (2.5 - s.difficulty));
        return;
    }
    if (b.behavior == 136 && b.age > 300 && (b.work == 1 || std::fabs(b.y - 240) <= 2)) {
        // Stops on the middle line and fades out there.
        b.work = 1;
        b.speed = 0;
        b.alpha -= 15;
        if (b.alpha <= 15) Free(g, i);
        return;
    }
    if (b.behavior == 113 && s.bossTimer() <= 779) return;
    if (b.behavior == 114 && !(s.stageFrame < 10000 || b.age < 120)) return;
    for (const SteadyTurn& t : kSteadyTurns) {
        if (t.code != b.behavior) continue;
        if (b.age < t.from || (t.until > 0 && b.age >= t.until)) return;
        Turn(b, TurnSign(b) * t.rate);
    }
}

void AimWithSpread(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 15) SpeedPulse(b, 7, 15, 0);
    if (b.age == 45) {
        b.angle = static_cast<float>(AimAngle(g, b) + (b.alpha - 253) * 16);
        b.speed = static_cast<float>(3 + 2 * (g.state.difficulty / 2));
    }
}

void TurnBack(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age == 35) {
        b.angle = b.work + 180;
        b.speed = 2;
    }
}

void PulseThenScatter(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 8, 40, 0);
    if (b.age == 90) {
        const int spread = g.rand() % 20;
        b.angle = static_cast<float>(170 + spread);
        b.speed = 3;
    }
}

void SquareTurns(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age == 60) b.speed = 0;
    if (b.age == 90) Turn(b, 90), b.speed = 3;
    if (b.age == 120) Turn(b, 90), b.speed = 1;
}

void BrakeAndMirror(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 30 && b.age < 60) AddSpeed(b, -0.1);
    if (b.age == 60) b.angle = 540 - b.angle;
    if (b.age >= 60 && b.age < 150) AddSpeed(b, 0.03);
}

void WhirlThenGo(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.behavior == 80) {
        if (b.age < 60)
            Turn(b, 24);
        else
            b.speed = 2.5f;
        return;
    }
    // 125: a slow whirl that fades out.
    b.speed = 0.2f;
    Turn(b, 6);
    if (b.age > 119) b.alpha -= 10;
    if (b.alpha <= 10) Free(g, i);
}

void SlowThenAim(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 120) b.speed = static_cast<float>((120 - b.age) / 20.0);
    if (b.age == 120) {
        float t = AimAngle(g, b);
        if (g.state.difficulty == 1) t = static_cast<float>(t + 20 * TurnSign(b));
        b.angle = t;
    }
    if (b.age > 120) AddSpeed(b, 0.1);
}

void SwerveThenSlow(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 50) Turn(b, b.alpha == 255 ? 0.8 : -0.8);
    if (b.age == 50) b.speed = 0.5f;
    if (b.age == 100) b.texY = 64, b.speed = 1.5f;
}

void RiseAndFall(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 60) {
        AddY(b, -3);
        Turn(b, 1.5 - 0.05 * std::abs(b.age - 30));
    } else {
        AddY(b, (b.age - 50) / 30.0);
    }
}

void WhirlThenDart(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 20 && b.age < 50) Turn(b, 24);
    if (b.age != 50) return;
    b.speed = 7;
    const GameState& s = g.state;
    if (b.behavior == 106)
        b.angle = s.difficulty == 1 ? AimAngle(g, b) : AimAngle(g, b, 0, -64);
    else
        b.angle = AimAngle(g, b, b.alpha == 255 ? -80.0f : 80.0f, 0);
}

void SwingAndFall(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    AddY(b, b.age / 25.0 + 1.5);
    Turn(b, b.age / 1000.0);
}

void CurveLeft(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.alpha == 255)
        Turn(b, -(0.8 - (b.age % 60) * 0.01));
    else
        Turn(b, -0.8);
}

// Falls faster and faster, then scatters with a cell picked by its heading.
void FallThenScatter(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age < 120) AddY(b, b.age / 40.0);
    if (b.age == 120) {
        b.speed = 1.5f;
        b.angle = static_cast<float>(g.rand() % 360);
        b.texX = (static_cast<int>(b.angle) / 45) * 16;
    }
}

void PulseThenAimLoosely(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 6, 30, 0);
    if (b.age == 60) {
        const int jitter = g.rand() % 7 - 3;
        b.angle = AimAngle(g, b) + jitter;
        b.speed = 5;
        b.behavior = 0;
    }
}

void Homing(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    TurnToward(b, AimAngle(g, b), 1.5f, 1);
}

void AimWhileHeld(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (g.state.bossVar[1] > 0)
        b.speed = 3;
    else
        Aim(g, b);
}

}  // namespace korvid::bullet
