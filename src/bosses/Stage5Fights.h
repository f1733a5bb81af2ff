// Stage 5's fights' pattern rows (their lines in FightRegistry.cpp): the
// corridor sections, each a fight of its own, and the boss.
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

// The section rows from pattern `first` to `last`: 30..31, 32, 33, 34..35, 36.
std::span<const PatternRow> Stage5SectionRows(int first, int last);
std::span<const PatternRow> Stage5BossRows();  // patterns 37..44

}  // namespace korvid
