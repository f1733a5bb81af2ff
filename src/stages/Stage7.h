// The extra stage's exports: its script and enemy types (its line in
// StageRegistry.cpp), the entries its two mid-bosses and its boss arrive
// with (the fight registry starts a fight directly from them), and the
// frames its script keys on that tests and fights share.
#pragma once

#include <span>

#include "stages/StageRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

void RunStage7(Game& game);
// A practice started at `frame` (the next frame played, the clock set):
// the stage as its skipped cues would have left it.
void JumpIntoStage7(Game& game, int frame);
// A fight brought in at the stage's start: the frozen opening thawed.
void DirectFightInStage7(Game& game);
std::span<const EnemyTypeEntry> Stage7EnemyTypes();

// All three fights use the stage's sheet (texture 34, 64 x 96) and come in
// from the left at (-16, 160).
inline constexpr BossEntry kStage7MidBoss1{.cell = {34, 0, 0, 64, 96},
                                           .x = -16,
                                           .y = 160,
                                           .pattern = 67,
                                           .hp = 5000,
                                           .timeLimit = 3000,
                                           .heading = 80};
inline constexpr BossEntry kStage7MidBoss2{.cell = {34, 0, 0, 64, 96},
                                           .x = -16,
                                           .y = 160,
                                           .pattern = 70,
                                           .hp = 5000,
                                           .timeLimit = 3000,
                                           .heading = 80};
// The extra boss from 12200, in its own sheet (loaded into texture 34 as it
// arrives, also when its fight is started directly).
inline constexpr BossEntry kStage7Boss{.cell = {34, 0, 0, 64, 96},
                                       .x = -16,
                                       .y = 160,
                                       .pattern = 72,
                                       .hp = 3500,
                                       .timeLimit = 2400,
                                       .heading = 80,
                                       .sheet = "Graphics/stg6enm2.png"};

// Frames of the script.
inline constexpr int kStage7ShaftFrame = 901;
inline constexpr int kStage7ResetFrame = 9550;
inline constexpr int kStage7WallFrame = 9600;
inline constexpr int kStage7ResumeAfterSecondMidBoss = 11500;
inline constexpr int kStage7TowerFrame = 11850;
inline constexpr int kStage7BossFrame = 12200;
// The scenery's focal length, from the shaft on.
inline constexpr float kStage7Focal = 1000;

}  // namespace korvid
