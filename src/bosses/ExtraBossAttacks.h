// The extra boss's attacks, one function per pattern (or per family of
// patterns sharing a function with a parameter). t is the boss timer; every
// attack runs from t 61, after the pattern has set its own bar at t 60.
#pragma once

namespace korvid {

struct Game;

using ExtraAttack = void (*)(Game& game, int t, int param);

// ExtraBossEarly.cpp
void MuzzleStreams(Game& game, int t, int density);  // 72, 74, 76
void SlowTaggedSpirals(Game& game, int t, int);      // 73
void LaserPairs(Game& game, int t, int);             // 75
void CompanionRings(Game& game, int t, int);         // 77
void SpraysAndTags(Game& game, int t, int mix);      // 78, 80, 82
void RunnerEffects(Game& game, int t, int);          // 79

// ExtraBossLate.cpp
void OrbitingEmitter(Game& game, int t, int);        // 81
void PaddleGame(Game& game, int t, int);             // 83
void ItemPlanters(Game& game, int t, int density);   // 84, 86
void MirroredRain(Game& game, int t, int);           // 85
void RingsAndFlowers(Game& game, int t, int);        // 87
void FourSprays(Game& game, int t, int);             // 88

// 88's fades (bossVarArr entries): the backdrop picture, shots and effects,
// the large item copies, the HUD and side panel.
inline constexpr int kFadeBackdrop = 3, kFadeShots = 5, kFadeItems = 6, kFadeHud = 7;
// 88's fades on frame t of the card; during the defeat they fall back.
void FadeTheWorld(Game& game, int t);
void FadeBack(Game& game);

// The paddle game's state (bossVarArr entries): the ball's slot + 1 and the
// frames until the next serve.
inline constexpr int kPaddleBall = 10, kPaddleServe = 11;

}  // namespace korvid
