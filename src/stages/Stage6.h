// Stage 6's exports: its script, enemy types and spell backdrop (its line in
// StageRegistry.cpp) and the entries of its two fights up to the boss's
// last card (the fight registry starts a fight directly from them).
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage6(Game& game);
// A start part-way: stage 6 is at 8600 or later only on the hidden route,
// so the route flag is set with it.
void JumpIntoStage6(Game& game, int frame);
std::span<const EnemyTypeEntry> Stage6EnemyTypes();
void DrawStage6SpellBackdrop(Game& game);

// The mid-boss from stage frame 3880 (stage-5 sheet, texture 40, second
// colours), and the boss from 6800 (texture 38, 64 x 96). Both glide in from
// the left and open the conversation the script has made ready themselves.
inline constexpr BossEntry kStage6MidBoss{.cell = {40, 256, 0, 64, 64},
                                          .x = -16,
                                          .y = 160,
                                          .pattern = 45,
                                          .hp = 1600,
                                          .timeLimit = 2640,
                                          .heading = 80};
inline constexpr BossEntry kStage6Boss{.cell = {38, 0, 0, 64, 96},
                                       .x = -16,
                                       .y = 160,
                                       .pattern = 46,
                                       .hp = 3500,
                                       .timeLimit = 6000,
                                       .heading = 80};

// The stage's work values the boss's cards leave for its backdrop: the
// picture asked for, the picture on show and its alpha (bossVar entries 1,
// 2 and 3).
inline constexpr int kPictureWanted = 1, kPictureShown = 2, kPictureAlpha = 3;

}  // namespace korvid
