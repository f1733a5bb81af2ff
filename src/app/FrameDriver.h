// The render function: the whole frame, dispatched on the current screen.
#pragma once

namespace korvid {

struct Game;
struct GameState;

void RenderFunc(Game& game);
// One play frame (screen 10 with no pause menu open).
void PlayFrame(Game& game);
// The frame rate the frame should run at (fast-forward in replays, the slowed bosses).
int ChooseFrameRate(const GameState& s, bool ctrlHeld);

}  // namespace korvid
