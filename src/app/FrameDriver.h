// The render function: the whole frame, dispatched on the current screen.
#pragma once

namespace korvid {

struct Game;
struct GameState;

// What is written over play: nothing, where a watched replay stands, or
// that the title's demo is playing.
enum class PlayCaption { None, ReplayPosition, Demo };

void RenderFunc(Game& game, PlayCaption caption = PlayCaption::None);
// One play frame (screen 10 with no pause menu open).
void PlayFrame(Game& game);
// The frame rate the frame should run at (fast-forward in replays, the slowed bosses).
int ChooseFrameRate(const GameState& s, bool ctrlHeld);

}  // namespace korvid
