// Frame steps whose modules are not part of the game yet. Each one moves to
// its own file when it is built.
#include "game/FrameSteps.h"

#include "game/Game.h"

namespace korvid {

// stage scripts
void RunStageScript(Game&) {}

// boss backdrops
void DrawBossBackdrops(Game&) {}

// HUD
void DrawHud(Game&) {}

// dialogue
void RunDialogue(Game&) {}

// stage clear
void StageClearDriver(Game&) {}

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
