// The stage-1 fights' pattern rows (their line in FightRegistry.cpp).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

std::span<const PatternRow> Stage1MidBossRows();  // patterns 1..3
std::span<const PatternRow> Stage1BossRows();     // patterns 4..7

}  // namespace korvid
