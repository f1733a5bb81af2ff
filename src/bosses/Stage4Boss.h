// The stage-4 fights' pattern rows (their lines in FightRegistry.cpp).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

std::span<const PatternRow> Stage4MidBossRows();  // patterns 22..24
std::span<const PatternRow> Stage4BossRows();     // patterns 25..29

}  // namespace korvid
