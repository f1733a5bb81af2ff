// Where the game finds the rules that grow with each stage: the stage lines
// (script, enemy types, time-out, spell backdrop), the boss fights and the
// bullet behaviours that belong to a boss. Each table is built once from its
// registry file (stages/StageRegistry.cpp, bosses/FightRegistry.cpp) and
// never changes; a Game points at the tables it plays by, so a test can hand
// one game a table with an extra stage or fight without touching the others.
#pragma once

#include <array>

namespace korvid {

struct Game;
class StageTable;  // stages/StageRegistry.h
class FightTable;  // bosses/FightRegistry.h

// The bullet behaviour codes a boss owns (85/86, 103, 112, 120, 128/129,
// 135, ...): the bullet update asks this table for codes it has no step of
// its own for. Indexed by code; null = no step.
inline constexpr int kBossBulletCodeLimit = 160;
using BossBulletStep = void (*)(Game& game, int slot);
using BossBulletHooks = std::array<BossBulletStep, kBossBulletCodeLimit>;

struct Rules {
    const StageTable* stages = nullptr;
    const FightTable* fights = nullptr;
    const BossBulletHooks* bossBullets = nullptr;
};

// The game's own tables, built on first use (app/Rules.cpp).
const Rules& BuiltInRules();

}  // namespace korvid
