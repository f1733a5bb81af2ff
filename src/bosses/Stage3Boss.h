// Stage 3's two fights: the time-stopping mid-boss (pattern 14) and the
// boss (patterns 15-21).
#pragma once

#include <span>

#include "bosses/BossSkeleton.h"

namespace korvid {

struct Game;

std::span<const PatternRow> Stage3MidBossRows();
std::span<const PatternRow> Stage3BossRows();

// Card 14's freeze: whether the world stands still on timer t at difficulty d
// (the card's clock keeps running while it does).
bool Card14Frozen(int t, int difficulty);

}  // namespace korvid
