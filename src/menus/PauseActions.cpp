// What the pause menu's entries do: resume or continue, quit to the title,
// save a replay, retry from the first stage.
#include "game/Game.h"
#include "game/FrameSteps.h"
#include "game/Input.h"
#include "menus/PauseMenu.h"
#include "play/Resources.h"
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

void QuitToTitle(Game& game, bool freePauseTextures) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.screen = 0;
    s.pauseState = 0;
    s.lives = 0;
    s.enemyBullets.clear();
    s.enemies.clear();
    s.effects.clear();
    s.playerShots.clear();
    s.items.clear();
    s.bgPanels.clear();
    s.sceneObjectCount = 0;
    s.bossActive = 0;
    s.dialogueActive = 0;
    s.spellActive = 0;
    if (freePauseTextures) freeTexture(e, s.pauseMenuTexture);
    EndOfStage(game);
    s.invincibleTimer = 0;
    s.maxPowerFrames = 0;
    s.bombActive = 0;
    s.replayPlaying = 0;
    freeMusic(game);
    s.stage = 0;
    s.stageCleared = 0;
    s.bgmStream = e.Stream_Load("Music/title.mp3");
    s.bgmChannel = e.Stream_Play(s.bgmStream, true, 0);  // the title raises it
    freeTexture(e, s.titleTexture);
    s.titleTexture = e.Texture_Load("Graphics/title.jpg");
    if (game.screenSprite) {
        game.screenSprite->SetTexture(s.titleTexture);
        game.screenSprite->SetTextureRect(0, 0, 640, 480);
    }
    if (freePauseTextures) freeTexture(e, s.snapshotTexture);
    freeTexture(e, s.titleMenuTexture);
    freeTexture(e, s.cardTexture);
    s.titleMenuTexture = e.Texture_Load("Graphics/titlechose.png");
    s.cardTexture = e.Texture_Load("Graphics/chose2.png");
    if (game.uiSprite) game.uiSprite->SetTexture(s.titleMenuTexture);
    LoadCharacterSheets(game, 1);
    SetAllMenuLatches(s);
    s.menuCursor = 0;
    s.stageFrame = 300;  // past the logo and the first loading
}

void OpenReplaySave(Game& game) { OpenReplaySaveScreen(game); }

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
    // While a replay plays the loaded record stays as it was.
    EndOfStage(game);
    // A practice stage or the extra stage restarts itself; a game or a
    // replay restarts from its first stage.
    if ((!s.practiceMode && s.stage != 7) || s.replayPlaying) s.stage = 0;
    s.score = 0;
    StartRoutine(game);
}

}  // namespace korvid
