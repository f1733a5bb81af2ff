#include "stages/StageClearHandOver.h"

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/StageFlow.h"

namespace korvid {

namespace {

void freeMusic(Game& game) {
    GameState& s = game.state;
    game.engine.Stream_Free(s.bgmStream);
    s.bgmStream = 0;
    s.bgmChannel = 0;
}

void loadInto(Game& game, int index, const char* file) {
    HTEXTURE& slot = game.state.textures[index];
    game.engine.Texture_Free(slot);
    slot = game.engine.Texture_Load(file);
}

// The recorded game's counters at the end of the stage: a replay must go on
// from exactly these, whatever the fade did (a bomb in the fade is not in
// the record).
void restoreRecordedCounters(GameState& s) {
    if (!s.replayPlaying || s.stage < 1 || s.stage >= kStageSlots) return;
    const StageSnapshot& snap = s.snapshots[s.stage];
    s.bombGauge = snap.bombGauge;
    s.lives = snap.lives;
    s.grazeCount = snap.grazeCount;
    s.score = snap.score;
    s.maxPowerFrames = snap.maxPowerFrames;
}

void leaveStage(Game& game) {
    GameState& s = game.state;
    EndOfStage(game);
    s.stageFrame = 0;
    s.sceneObjectCount = 0;
    s.stageCleared = 0;
    s.backgroundShake = 0;
}

}  // namespace

void GoToNextStage(Game& game) {
    GameState& s = game.state;
    EndOfStage(game);
    restoreRecordedCounters(s);
    s.stage += 1;
    freeMusic(game);
    s.stageCleared = 0;
    StageLoad(game);  // seeds the generator with grazeCount; stageFrame -64
}

void GoToStaffRoll(Game& game) {
    GameState& s = game.state;
    leaveStage(game);
    loadInto(game, 34, "Graphics/staff.jpg");
    loadInto(game, 35, "Graphics/staff2.png");
    s.screen = 11;
}

void GoToReplaySave(Game& game) {
    GameState& s = game.state;
    leaveStage(game);
    s.gameFinished = 1;
    OpenReplaySaveScreen(game);  // screen 12, cursor 0
    game.engine.Texture_Free(s.subMenuTexture);
    s.subMenuTexture = game.engine.Texture_Load("Graphics/stagechose.png");
    s.pauseState = 0;
}

void OpenReplayEndMenu(Game& game) {
    GameState& s = game.state;
    s.latchCancel = 1;
    s.latchConfirm = 1;
    s.pauseCursor = 1;
    OpenPauseMenu(game);
}

}  // namespace korvid
