// The behaviour steps of enemy bullets, by family. Each takes the game and
// the bullet's slot; RunBulletBehaviour picks one by the bullet's code.
#pragma once

#include "play/BulletKit.h"

namespace korvid::bullet {

// Speed on the bullet's own clock (BulletPulses.cpp).
void PulseBurst(Game& g, int i);         // 1, 18
void PulseThenFadeIn(Game& g, int i);    // 8
void PulseThenStraight(Game& g, int i);  // 27
void RampUp(Game& g, int i);             // 26
void Accelerate(Game& g, int i);         // 33, 57, 71, 104, 109, 122
void SetSpeedAt(Game& g, int i);         // 60, 87, 102
void StageTimedSpeed(Game& g, int i);    // 39
void SinkDown(Game& g, int i);           // 38, 116
void FallLikeItem(Game& g, int i);       // 117
void HoldThenGo(Game& g, int i);         // 79
void SlowThenCruise(Game& g, int i);     // 92
void StandThenDrift(Game& g, int i);     // 132
void ShrinkingPulse(Game& g, int i);     // 134

// Turns, aims and homing (BulletTurns.cpp).
void PulseThenSideTurn(Game& g, int i);    // 2, 3
void PulseThenAim(Game& g, int i);         // 4, 23, 55, 56
void PulseThenVeer(Game& g, int i);        // 24, 25
void SlideApart(Game& g, int i);           // 6, 7
void CurlAndSink(Game& g, int i);          // 11
void Spiral(Game& g, int i);               // 16, 17
void Flip(Game& g, int i);                 // 19
void TurnByTag(Game& g, int i);            // 34, 35, 58, 113, 114, 118, 123, 127, 136
void AimWithSpread(Game& g, int i);        // 40
void TurnBack(Game& g, int i);             // 42
void PulseThenScatter(Game& g, int i);     // 61
void SquareTurns(Game& g, int i);          // 77
void BrakeAndMirror(Game& g, int i);       // 78
void WhirlThenGo(Game& g, int i);          // 80, 125
void SlowThenAim(Game& g, int i);          // 89
void SwerveThenSlow(Game& g, int i);       // 100
void RiseAndFall(Game& g, int i);          // 105
void WhirlThenDart(Game& g, int i);        // 106, 107
void SwingAndFall(Game& g, int i);         // 110
void CurveLeft(Game& g, int i);            // 115
void FallThenScatter(Game& g, int i);      // 119
void PulseThenAimLoosely(Game& g, int i);  // 126
void Homing(Game& g, int i);               // 99
void AimWhileHeld(Game& g, int i);         // 62

// Bullets that make bullets (BulletSplits.cpp).
void SplitIntoPairs(Game& g, int i);      // 5
void Fountain(Game& g, int i);            // 9
void Wheel(Game& g, int i);               // 20
void AimedDrip(Game& g, int i);           // 30
void GrowIntoGiant(Game& g, int i);       // 32
void Split(Game& g, int i);               // 45, 46, 47, 48
void RingVolleys(Game& g, int i);         // 54
void SideStreams(Game& g, int i);         // 59
void BurstIntoRings(Game& g, int i);      // 67
void AimedVolley(Game& g, int i);         // 69
void ProximityBurst(Game& g, int i);      // 74
void WhirlTrailThenDash(Game& g, int i);  // 83
void DoubleRingBurst(Game& g, int i);     // 108
void Sniper(Game& g, int i);              // 111
void StopFireOrSpiral(Game& g, int i);    // 124
void Planter(Game& g, int i);             // 131
void RingSower(Game& g, int i);           // 133

// Lasers (BulletLasers.cpp).
void LaserSpinner(Game& g, int i);   // 21
void LaserWeaver(Game& g, int i);    // 37
void LaserBender(Game& g, int i);    // 121
void OrbitingLaser(Game& g, int i);  // 64, 66
void ShieldLaser(Game& g, int i);    // 68

// Edges of the field (BulletBounces.cpp).
void BounceOnce(Game& g, int i);         // 50
void StretchThenSettle(Game& g, int i);  // 53
void PulseAndTurnBack(Game& g, int i);   // 63
void SideWalls(Game& g, int i);          // 72
void ReflectOnce(Game& g, int i);        // 97, 98

// Clocks and phases (BulletPhases.cpp).
void LightUp(Game& g, int i);             // 12, 13, 14
void RainbowSparkle(Game& g, int i);      // 28
void GlowAndFade(Game& g, int i);         // 29
void DieAtBoss(Game& g, int i);           // 36
void BlinkPhases(Game& g, int i);         // 49/-8, 82/-13, 84/-14
void GroupRelease(Game& g, int i);        // 51
void FollowBossGlow(Game& g, int i);      // 65/-12
void WhirlOrFade(Game& g, int i);         // 70
void BrakeToStop(Game& g, int i);         // 73
void RisingFloor(Game& g, int i);         // 75
void DriftAgainstClock(Game& g, int i);   // 76
void FadeByLength(Game& g, int i);        // 88
void StopThenScatter(Game& g, int i);     // 90, 91
void SwellAndExpire(Game& g, int i);      // 93
void Satellite(Game& g, int i);           // 94
void CircleDancer(Game& g, int i);        // 95, 96
void ReleaseOnBossWound(Game& g, int i);  // 101
void Sweeper(Game& g, int i);             // 130

// Touches (BulletTouches.cpp).
void Vanish(Game& g, int i);       // 44, -44
void Fuse(Game& g, int i);         // -2
void Sparkle(Game& g, int i);      // -3
void NearFarCell(Game& g, int i);  // -4
void Converter(Game& g, int i);    // -5, -6
void FadeAway(Game& g, int i);     // -7
void GaugeDrain(Game& g, int i);   // -9, -10, -11
void Shatter(Game& g, int i);      // 43

}  // namespace korvid::bullet
