// The enemy types the extra boss brings into stage 7: its companions (72).
#pragma once

#include <span>

#include "stages/StageRegistry.h"

namespace korvid {

std::span<const EnemyTypeEntry> ExtraBossEnemyTypes();

}  // namespace korvid
