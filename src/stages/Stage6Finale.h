// Stage 6 from frame 8200 on: what follows the boss's last card on Normal and
// above (the second tune, the half-transparent boss, the tunnel, the hidden
// boss), with backdrop case 4, the camera roll and the scenery sort.
//
// RunStage6 calls it once on every frame of stage 6, last, whether or not a
// boss is present (its own timeline checks bossActive). Before it the stage
// script has already run, on that frame: the music loop points of both
// fights (46..60 and 62..66), the stage's backdrops up to case 3 and the boss
// cards' pictures, the boss gate and the timeline up to 8200.
//
// The two ways in: card 60's end sends the stage to 8200 (the route flag
// clear, Normal and above) or to 8600 (the route flag set). From 8200 the
// half-transparent boss comes at 8550 and its defeat clears the stage; from
// 8600 the tunnel opens at 8850 and the hidden boss comes at 9000.
#pragma once

#include "stages/StageScript.h"

namespace korvid {

struct Game;

// The frame the finale starts at, where card 60's end sends the stage.
inline constexpr int kStage6FinaleFrame = 8200;

void RunStage6Finale(Game& game);
// A fight of the finale brought in at the stage's start: its scene and the
// clock of its moment (other fights of the stage need nothing).
void DirectFightInStage6(Game& game);

// The route flag: set by card 58's jackpot, it opens the tunnel and lets the
// ship act in the whole-screen fight (the field keeps its older name).
bool HiddenRouteOpen(const Game& game);

// The half-transparent first form from 8550: from the right, no entry flash.
inline constexpr BossEntry kStage6FirstForm{.cell = {38, 0, 0, 64, 96},
                                            .x = 480,
                                            .y = 160,
                                            .pattern = 61,
                                            .hp = 3500,
                                            .timeLimit = 4200,
                                            .heading = 80,
                                            .alpha = 155,
                                            .flash = EntryFlash::None};
// The hidden boss from 9000 (its own sheet, loaded into texture 38 then),
// from the far left of the whole-screen field.
inline constexpr BossEntry kStage6HiddenBoss{.cell = {38, 0, 0, 64, 96},
                                             .x = -144,
                                             .y = 160,
                                             .pattern = 62,
                                             .hp = 2700,
                                             .timeLimit = 6000,
                                             .heading = 80,
                                             .z = 0.69f,
                                             .flash = EntryFlash::Trimmed,
                                             .sheet = "Graphics/stg7enm1.png"};
// The hidden boss's last pattern.
inline constexpr int kStage6LastPattern = 66;

}  // namespace korvid
