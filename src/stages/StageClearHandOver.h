// Where a cleared stage leads.
#pragma once

namespace korvid {

struct Game;

// Stages 1..5: the next stage loads (and fades in). During playback the
// counters are first set to what the recorded game had when the stage ended.
void GoToNextStage(Game& game);
// Stages 6 and 7: the staff roll.
void GoToStaffRoll(Game& game);
// A practice stage: the replay save screen.
void GoToReplaySave(Game& game);
// A replay whose last stage has cleared: the end-of-replay menu.
void OpenReplayEndMenu(Game& game);

}  // namespace korvid
