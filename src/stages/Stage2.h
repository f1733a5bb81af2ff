// Stage 2's exports: its script, enemy types and spell backdrop (its line in
// StageRegistry.cpp) and the entries of its two fights (the fight registry
// starts a fight directly from them).
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage2(Game& game);
std::span<const EnemyTypeEntry> Stage2EnemyTypes();
void DrawStage2SpellBackdrop(Game& game);

// The airship (texture 36, 128 x 128, drawn at 1.5): first as the mid-boss
// at stage frame 4850, fading in where it stands; then as the boss at 5000,
// flying in from above the field during its conversation (the script puts
// it at y -32; a fight started directly begins where it fights, y 128).
inline constexpr BossEntry kStage2MidBoss{.cell = {36, 0, 0, 128, 128},
                                          .x = 224,
                                          .y = 192,
                                          .pattern = 8,
                                          .hp = 800,
                                          .timeLimit = 1200,
                                          .scale = 1.5f,
                                          .heading = 0,
                                          .alpha = 0};
inline constexpr BossEntry kStage2Boss{.cell = {36, 0, 0, 128, 128},
                                       .x = 224,
                                       .y = 128,
                                       .pattern = 9,
                                       .hp = 700,
                                       .timeLimit = 1500,
                                       .talk = {.first = 1, .last = {7, 7, 7}},
                                       .scale = 1.5f,
                                       .heading = 0};

}  // namespace korvid
