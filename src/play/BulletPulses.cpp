// Bullets that change speed on their own clock: bursts that settle, ramps,
// stops and restarts, and falls.
#include <algorithm>

#include "play/BulletSteps.h"

namespace korvid::bullet {

void PulseBurst(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 1: SpeedPulse(b, 8, 15, 0); break;
        case 18: SpeedPulse(b, 10, 30, 0); break;
        default: break;
    }
}

void PulseThenFadeIn(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 5, 30, 0);
    if (b.alpha < 250) b.alpha += 4;
}

void PulseThenStraight(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    SpeedPulse(b, 6, 30, 0);
    if (b.age == 60) {
        b.speed = 2;
        b.behavior = 0;
    }
}

void RampUp(Game& g, int i) { BulletSpeedRamp(At(g, i), 4, 60, 0); }

void Accelerate(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 33: AddSpeed(b, 0.07); break;
        case 57: b.speed = static_cast<float>(b.speed * 1.02); break;
        case 71: if (b.age < 60) AddSpeed(b, 0.1); break;
        case 104: if (b.age < 60) AddSpeed(b, 0.05); break;
        case 109: b.speed = std::min(static_cast<float>(b.speed + 0.05), 5.0f); break;
        case 122: if (b.age < 40) AddSpeed(b, 0.055); break;
        default: break;
    }
}

void SetSpeedAt(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 60: if (b.age == 60) b.speed = 3; break;
        case 87: if (b.age == 100) b.speed = 3; break;
        case 102: if (b.age == 100) b.speed = 1; break;
        default: break;
    }
}

void StageTimedSpeed(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    b.speed = static_cast<float>(std::min((g.state.stageFrame - 4500) / 60.0 + 4, 16.0));
}

void SinkDown(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    switch (b.behavior) {
        case 38: AddY(b, 0.5); break;
        case 116: AddY(b, b.age / 50.0); break;
        default: break;
    }
}

void FallLikeItem(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    // The decoys only hurt characters that cannot tell them apart.
    if (g.state.character == 2) {
        Free(g, i);
        return;
    }
    AddY(b, (b.age - 100) / 50.0);
}

void HoldThenGo(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age == 1) {
        b.work = b.speed;
        b.speed = 0;
    }
    if (b.age == 30) b.speed = b.work;
}

void SlowThenCruise(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age == 1) b.work = b.speed;
    if (b.age < 100) b.speed -= b.work / 100;
    if (b.age >= 100 && b.age <= 320) Turn(b, 1);
    if (b.age >= 100) b.speed = std::min(static_cast<float>(b.speed + 0.02), 2.2f);
}

void StandThenDrift(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.age >= 60 && b.age <= 120) AddSpeed(b, b.alpha == 255 ? 0.01 : 0.014);
}

void ShrinkingPulse(Game& g, int i) {
    EnemyBullet& b = At(g, i);
    if (b.alpha == 255) {
        SpeedPulse(b, 1, 30, 0);
        return;
    }
    SpeedPulse(b, 1.5f, 50, 0);
    if (b.age == 80) {
        Aim(g, b);
        b.speed = 1;
    }
}

}  // namespace korvid::bullet
