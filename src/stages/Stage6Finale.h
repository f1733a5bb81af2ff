// Stage 6 from frame 8200 on: what follows the boss's last card on Normal and
// above (the second tune, the half-transparent boss, the tunnel, the hidden
// boss), with backdrop case 4, the camera roll and the scenery sort.
//
// RunStage6 calls it once on every frame of stage 6, last, whether or not a
// boss is present (its own timeline must check bossActive). Before it the
// stage script has already run, on that frame: the music loop points of both
// fights (46..60 and 62..66), the stage's backdrops up to case 3 and the boss
// cards' pictures, the boss gate and the timeline up to 8200.
#pragma once

namespace korvid {

struct Game;

void RunStage6Finale(Game& game);

}  // namespace korvid
