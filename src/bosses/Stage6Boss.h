// The stage-6 fights' pattern rows (their lines in FightRegistry.cpp): the
// mid-boss's one card (45) and the boss's fifteen cards on one bar (46..60).
#pragma once

#include <span>

#include "bosses/FightRegistry.h"
#include "bosses/Stage6Bar.h"

namespace korvid {

std::span<const PatternRow> Stage6MidBossRows();  // pattern 45
std::span<const PatternRow> Stage6BossRows();     // patterns 46..60
// The boss's cards in fight order: the bar's segments.
std::span<const BarCard> Stage6BarCards();
// The bullet codes the boss's cards own (85/86).
std::span<const BossBulletEntry> Stage6BossBullets();

}  // namespace korvid
