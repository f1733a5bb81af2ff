// One menu over a frozen picture of the field serves as the pause menu, the
// continue prompt after a game over and the end-of-replay menu. While it is
// open the play frame does not run, so nothing of the game moves.
#pragma once

namespace korvid {

struct Game;
struct GameState;

enum PauseEntry : int { kPauseResume = 0, kPauseQuit, kPauseSaveReplay, kPauseNothing, kPauseRetry, kPauseEntries };

// The continue prompt: lives below zero outside the extra stage.
bool IsGameOverPrompt(const GameState& s);
// The replay being played has no recorded frames left in this stage, or its
// ship was lost (the continue prompt would wait for a choice no record holds).
bool IsReplayEnd(const GameState& s);
bool PauseEntryDisabled(const GameState& s, int entry);

// The entries' actions.
void ResumeOrContinue(Game& game);
void RetryGame(Game& game);

}  // namespace korvid
