// Frame steps whose modules are not part of the game yet. Each one moves to
// its own file when it is built.
#include "game/FrameSteps.h"

#include "game/Game.h"

namespace korvid {

// HUD
void DrawHud(Game&) {}

// stage clear
void StageClearDriver(Game&) {}

// staff roll
void StaffRollFrame(Game&) {}

// replay save screen
void ReplaySaveFrame(Game&) {}

// pause menu

// Until the pause menu exists, any key that would choose from it resumes play.
void PauseFrame(Game& game) {
    GameState& s = game.state;
    if (s.pauseState > 0 && s.latchCancel == 0 && game.engine.Input_GetKeyState(27)) {
        s.latchCancel = 1;
        s.pauseState = 0;
    }
}

}  // namespace korvid
