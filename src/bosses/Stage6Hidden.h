// The fights of stage 6's finale (their lines in FightRegistry.cpp): the
// half-transparent first form (61, from 8200 without the route flag) and
// the hidden boss in the whole-screen field (62..66, from 8600 with it),
// with the bullet behaviours they own (103 and 112).
#pragma once

#include <span>

#include "bosses/FightRegistry.h"

namespace korvid {

std::span<const PatternRow> Stage6FirstFormRows();  // pattern 61
std::span<const BossBulletEntry> Stage6FirstFormBullets();  // behaviour 103
std::span<const PatternRow> Stage6HiddenBossRows();  // patterns 62..66
std::span<const BossBulletEntry> Stage6HiddenBossBullets();  // behaviour 112

// Where the hidden boss rests between its patterns (the middle of the
// whole-screen field), and how it gets there.
inline constexpr FightParams kStage6HiddenParams{.homeX = 320, .homeY = 130, .travelSpeed = 3, .refillDivisor = 60};

// Cards 65 and 66 and behaviour 112 (Stage6HiddenCards.cpp).
void Attack65(Game& game, int t);
void Attack66(Game& game, int t);
void LaserEmitter112(Game& game, int slot);
// The boss drifts about its resting place (the whole-screen fight's own
// wandering); no rand() draws.
void HiddenBossHover(Game& game, int t);

}  // namespace korvid
