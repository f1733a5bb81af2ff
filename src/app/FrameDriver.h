// The render function: the whole frame, dispatched on the current screen.
#pragma once

namespace korvid {

struct Game;
struct GameState;

// `replayPosition`: where a playing replay is, shown over play (-1: nothing shown).
void RenderFunc(Game& game, int replayPosition = -1);
// One play frame (screen 10 with no pause menu open).
void PlayFrame(Game& game);
// The frame rate the frame should run at (fast-forward in replays, the slowed bosses).
int ChooseFrameRate(const GameState& s, bool ctrlHeld);

}  // namespace korvid
