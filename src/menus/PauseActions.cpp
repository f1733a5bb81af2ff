// What the pause menu's entries do: resume or continue, retry from the
// first stage. Quitting to the title and the replay save screen belong to
// the menus (QuitToTitle, OpenReplaySaveScreen).
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/PauseMenu.h"
#include "play/StageFlow.h"

namespace korvid {

namespace {

void freeTexture(Engine& e, HTEXTURE& t) {
    e.Texture_Free(t);
    t = 0;
}

void freeMusic(Game& game) {
    GameState& s = game.state;
    game.engine.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
}

}  // namespace

void ResumeOrContinue(Game& game) {
    GameState& s = game.state;
    s.pauseState = 2;
    if (!IsGameOverPrompt(s)) return;
    s.lives = 2;
    s.bombGauge = 400;
    s.invincibleTimer = 200;
    s.grazeCount = 0;
    s.bombActive = 0;
    s.power = 0;
    s.maxPowerFrames = 0;
    // The units digit counts the continues used, up to 9; the rest of the
    // score is gone.
    if (s.score % 10 < 9) s.score += 1;
    s.score %= 10;
}

void RetryGame(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    freeTexture(e, s.pauseMenuTexture);
    freeMusic(game);
    freeTexture(e, s.snapshotTexture);
    s.pauseState = 0;
    s.stageCleared = 0;
    SetAllMenuLatches(s);
    s.enemies.free[kBossSlot] = 1;
    s.bossActive = 0;
    s.dialogueActive = 0;
    s.spellActive = 0;
    s.menuCursor = 0;
    s.invincibleTimer = 0;
    s.maxPowerFrames = 0;
    s.bombActive = 0;
    s.stageFrame = -63;
    s.spellPracticePhase = 0;  // a spell practice brings its card in again
    // Nothing else of the last game is listed here: the start routine
    // resets the game's and the stage's records whole, so a replay of the
    // new game starts from the state a fresh start gives.
    // While a replay plays the loaded record stays as it was.
    EndOfStage(game);
    // A practice stage or the extra stage restarts itself; a game or a
    // replay restarts from its first stage.
    if ((!s.practiceMode && s.stage != 7) || s.replayPlaying) s.stage = 0;
    s.score = 0;
    StartRoutine(game);
}

}  // namespace korvid
