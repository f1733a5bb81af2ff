// The extra boss (patterns 72..88): its entry, its pattern rows, the bullet
// behaviours its cards own, and what it draws under the field (the stage-7
// backdrops and the sky).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"
#include "bosses/FightRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

// From 12200 the stage brings it in from the left on the boss sheet
// (texture 34 reloaded with it by then).
inline constexpr BossEntry kExtraBoss{.cell = {34, 0, 0, 64, 96},
                                      .x = -16,
                                      .y = 160,
                                      .pattern = 72,
                                      .hp = 3500,
                                      .timeLimit = 2400,
                                      .heading = 80};

// Where it rests between patterns and how fast it flies there.
inline constexpr FightParams kExtraBossParams{.homeX = 224, .homeY = 120, .travelSpeed = 3, .refillDivisor = 100};

std::span<const PatternRow> ExtraBossRows();
std::span<const BossBulletEntry> ExtraBossBullets();

// Each pattern's own bar, written at its frame 60, and how many frames the
// bar takes to refill after it (maxHp / divisor a frame).
float ExtraBossOwnHp(int id);
int ExtraBossRefillDivisor(int id);

// Under the field while the extra boss is in: the backdrop picture of
// patterns 77..80 and 87..88, the sky of 81..86.
void DrawExtraBossBackdrop(Game& game);

}  // namespace korvid
