// Frame steps whose modules are not part of the game yet. Each one moves to
// its own file when it is built.
#include "app/FrameHooks.h"

#include "app/Game.h"

namespace korvid {

void RunStageScript(Game&) {}
void DrawBossBackdrops(Game&) {}
void DrawHud(Game&) {}
void RunDialogue(Game&) {}
void StageClearDriver(Game&) {}
void StaffRollFrame(Game&) {}
void ReplaySaveFrame(Game&) {}

// Until the pause menu exists, any key that would choose from it resumes play.
void PauseFrame(Game& game) {
    GameState& s = game.state;
    if (s.pauseState > 0 && s.latchCancel == 0 && game.engine.Input_GetKeyState(27)) {
        s.latchCancel = 1;
        s.pauseState = 0;
    }
}

}  // namespace korvid
