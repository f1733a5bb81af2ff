// Stage 1's exports: its script, enemy types and spell backdrop (its line in
// StageRegistry.cpp) and the entries of its two fights (the fight registry
// starts a fight directly from them).
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage1(Game& game);
std::span<const EnemyTypeEntry> Stage1EnemyTypes();
void DrawStage1SpellBackdrop(Game& game);

// The mid-boss from stage frame 4400, and the boss with its conversation
// from 7000: one character, texture 36, cell (0, 0, 48, 64).
inline constexpr BossEntry kStage1MidBoss{
    .cell = {36, 0, 0, 48, 64}, .x = 224, .y = 0, .pattern = 1, .hp = 700, .timeLimit = 2400, .flashZ = 0.6f};
inline constexpr BossEntry kStage1Boss{.cell = {36, 0, 0, 48, 64},
                                       .x = 224,
                                       .y = 144,
                                       .pattern = 4,
                                       .hp = 900,
                                       .timeLimit = 1500,
                                       .talk = {.first = 1, .last = {10, 10, 5}},
                                       .flashZ = 0.6f};

}  // namespace korvid
