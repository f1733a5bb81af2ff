// Leaving a game for the title: the pause menu's quit, and the save screen
// cancelled after the game has ended.
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/RecordsFile.h"
#include "menus/SaveFailure.h"
#include "play/Resources.h"
#include "play/StageFlow.h"

namespace korvid {

void QuitToTitle(Game& game, bool freePauseTextures) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.screen = 0;
    s.pauseState = 0;
    s.lives = 0;
    ClearAllPools(s);
    s.bossActive = 0;
    s.dialogueActive = 0;
    s.spellActive = 0;
    if (freePauseTextures) {
        e.Texture_Free(s.pauseMenuTexture);
        s.pauseMenuTexture = 0;
    }
    EndOfStage(game);
    s.invincibleTimer = 0;
    s.maxPowerFrames = 0;
    s.bombActive = 0;
    s.replayPlaying = 0;
    s.spellPracticeCard = 0;
    s.spellPracticePhase = 0;
    // The cards met in the game just left are kept.
    if (!SaveGameRecords(game)) ReportSaveFailure(game, kRecordsScreen, kRecordsFileName);
    e.Stream_Free(s.bgmStream);
    s.stage = 0;
    s.stageCleared = 0;
    s.bgmStream = e.Stream_Load("Music/title.mp3");
    s.bgmChannel = e.Stream_Play(s.bgmStream, true, 0);
    e.Texture_Free(s.titleTexture);
    s.titleTexture = e.Texture_Load("Graphics/title.jpg");
    if (game.screenSprite) {
        game.screenSprite->SetTexture(s.titleTexture);
        game.screenSprite->SetTextureRect(0, 0, 640, 480);
    }
    if (freePauseTextures) {
        e.Texture_Free(s.snapshotTexture);
        s.snapshotTexture = 0;
    }
    for (HTEXTURE* t : {&s.titleMenuTexture, &s.cardTexture, &s.subMenuTexture}) {
        e.Texture_Free(*t);
        *t = 0;
    }
    s.titleMenuTexture = e.Texture_Load("Graphics/titlechose.png");
    s.cardTexture = e.Texture_Load("Graphics/chose2.png");
    if (game.uiSprite) game.uiSprite->SetTexture(s.titleMenuTexture);
    LoadCharacterSheets(game, 1);
    SetAllMenuLatches(s);
    s.menuCursor = 0;
    s.stageFrame = 300;
}

}  // namespace korvid
