// After the boss of a stage is beaten: the field and the music fade out,
// then play moves on to the next stage, to the staff roll after stages 6
// and 7, or to the replay save screen after a practice stage.
#pragma once

namespace korvid {

struct Game;
struct GameState;

// The stageFrame at which the stage-clear sequence hands over.
int StageClearEndFrame(const GameState& s);
// During playback: the last recorded stage has run its stage-clear sequence
// to the end, and the replay is over.
bool ReplayClearedLastStage(const GameState& s);

}  // namespace korvid
