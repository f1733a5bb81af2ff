#include "play/StageFlow.h"

#include "game/Game.h"
#include "play/Resources.h"
#include "play/SceneList.h"

namespace korvid {

namespace {

// What a fresh record holds, built once: the records are large (the pools),
// so a reset copies from here rather than building one on the stack.
const StagePlay& freshStage() {
    static const StagePlay fresh{};
    return fresh;
}

// The stage's record as new, its pools empty.
void clearStagePlay(GameState& s) {
    static_cast<StagePlay&>(s) = freshStage();
    ClearAllPools(s);
}

}  // namespace

void ClearAllPools(GameState& s) {
    s.enemyBullets.clear();
    s.enemies.clear();
    s.effects.clear();
    s.playerShots.clear();
    s.items.clear();
    s.bgPanels.clear();
    ResetSceneObjects(s);
}

void ResetStagePlay(GameState& s) {
    clearStagePlay(s);
    // The stage's start values.
    s.stageFrame = -64;
    s.optionSpread = 32;
    s.playerX = 224;
    s.playerY = 412;
    s.deathScale = 1.0f;
}

void ResetGamePlay(GameState& s) { static_cast<GamePlay&>(s) = GamePlay{}; }

void ResetPlayRecords(GameState& s) {
    ResetGamePlay(s);
    clearStagePlay(s);
}

void StageLoadReset(GameState& s) {
    ResetStagePlay(s);
    // Every random decision of the stage follows from this seed.
    s.rng.seed(static_cast<std::uint32_t>(s.grazeCount));

    // What the stage load also clears of the run's menus: the latches and
    // the menu scroll, the menu cursor, the title's animation counters and
    // the pause menu's fade.
    s.latchCancel = s.latchConfirm = s.latchUp = s.latchDown = s.latchLeft = s.latchRight = 0;
    s.menuScroll = 0;
    s.menuCursor = 0;
    s.titleBrightness = 0;
    s.altTitleFade = 0;
    s.menuSlideIn = 0;
    s.pauseFade = 0;
}

void StageLoad(Game& game) {
    StageLoadReset(game.state);
    LoadStageSheets(game);
}

void StartRoutine(Game& game) {
    GameState& s = game.state;
    // A scene may already be open (boot leaves this one open for the first
    // frame to draw into); Gfx_BeginScene then fails and the open one is kept.
    game.engine.Gfx_BeginScene();
    game.engine.Gfx_Clear(0xFF000000);
    s.timeStop = 0;
    if (s.screen != 10) return;

    if (s.replayPlaying) {
        if (s.stage == 0) s.stage = s.startStage;
        s.grazeCount = (s.stage > s.startStage && s.stage - 1 >= 0 && s.stage - 1 < kStageSlots)
                           ? s.snapshots[s.stage - 1].grazeCount
                           : 0;
    } else {
        if (s.stage == 0) s.stage = 1;
        s.startStage = s.stage;
        s.grazeCount = 0;
    }

    StageLoad(game);

    // A new game: nothing of the last one is left (the stage-6 route, the
    // HUD's counters, the full-power time), then its start values.
    ResetGamePlay(s);
    s.bombGauge = 400;
    s.lives = (s.stage == 7) ? 5 : 2;
    if (s.practiceMode) s.lives = 8;

    if (s.replayPlaying && s.stage > s.startStage && s.stage - 1 < kStageSlots) {
        const StageSnapshot& snap = s.snapshots[s.stage - 1];
        s.bombGauge = snap.bombGauge;
        s.lives = snap.lives;
        s.grazeCount = snap.grazeCount;
        s.score = snap.score;
        s.maxPowerFrames = snap.maxPowerFrames;
    }
}

void EndOfStage(Game& game) {
    GameState& s = game.state;
    if (!s.replayPlaying && s.stage >= 1 && s.stage < kStageSlots) {
        s.replayStageFrames[s.stage] = s.replayFrame;
        s.snapshots[s.stage] = StageSnapshot{s.bombGauge, s.lives, s.grazeCount, s.score, s.maxPowerFrames};
    }
    FreeStageSheets(game);
    game.skyMesh.reset();
    game.sky = {};
    for (int entry : Game::kBossPictureEntries) {
        if (s.textures[entry]) game.engine.Texture_Free(s.textures[entry]);
        s.textures[entry] = 0;
    }
}

}  // namespace korvid
