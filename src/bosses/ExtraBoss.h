// The extra boss (patterns 72..88): its entry, its pattern rows, the bullet
// behaviours its cards own, and what it draws under the field (the stage-7
// backdrops and the sky).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"
#include "bosses/FightRegistry.h"
#include "stages/Stage7.h"
#include "stages/StageScript.h"

namespace korvid {

// The stage brings it in at 12200 (kStage7Boss, stages/Stage7.h).
inline constexpr const BossEntry& kExtraBoss = kStage7Boss;

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
