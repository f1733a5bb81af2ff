#include "play/StageFlow.h"

#include "game/Game.h"
#include "play/Resources.h"

namespace korvid {

void ClearAllPools(GameState& s) {
    s.enemyBullets.clear();
    s.enemies.clear();
    s.effects.clear();
    s.playerShots.clear();
    s.items.clear();
    s.bgPanels.clear();
    for (int i = 0; i < kSceneObjectCapacity; ++i) {
        SceneObject& o = s.sceneObjects[i];
        o = SceneObject{};
        sprite::Reset(o.sprite);
        sprite::SetZ(o.sprite, static_cast<float>(0.899 + i * 0.00001));
    }
    s.sceneObjectCount = 0;
}

void StageLoadReset(GameState& s) {
    // Every random decision of the stage follows from this seed.
    s.rng.seed(static_cast<std::uint32_t>(s.grazeCount));

    // The block of values cleared with the menu latches: the six latches,
    // the menu scroll, and the laser-near flag.
    s.latchCancel = s.latchConfirm = s.latchUp = s.latchDown = s.latchLeft = s.latchRight = 0;
    s.menuScroll = 0;
    s.laserNear = 0;

    s.bombActive = 0;
    s.timeStop = 0;
    s.gameFinished = 0;
    s.stage5Work = 0;
    s.menuCursor = 0;
    s.focusLevel = 0;
    s.titleBrightness = 0;
    s.altTitleFade = 0;
    s.menuSlideIn = 0;
    s.optionSpread = 32;
    s.optionLift = 0;
    s.playerX = 224;
    s.playerY = 412;
    s.power = 0;
    s.backgroundShake = 0;
    s.framesSinceShot = 0;
    s.shotTimer = 0;
    s.scrollSpeed = 0;
    s.enemies.slot[kBossSlot].auxC = 0;
    s.bossPattern() = 0;
    s.replayFrame = 0;
    s.wideField = 0;
    s.stageFrame = -64;
    s.deathScale = 1.0f;
    s.invincibleTimer = 0;
    s.tilt = 0;
    s.hitPending = 0;
    s.playerDying = 0;
    s.playerRespawning = 0;
    s.spellBonusLost = 0;
    s.bossTimeLeft = 0;
    s.spellTimeLimit = 0;
    // Not cleared by the original reset, but a new stage must not inherit them.
    s.moveDirection = 0;
    s.laserFrames = 0;
    s.laserFramesB = 0;
    s.soundRequests.fill(0);
    // Boss state: a retry during a fight must not leave a boss due (the next
    // ordinary spawn would become one) or the patterns' work values behind.
    s.bossActive = 0;
    s.spellActive = 0;
    s.stageCleared = 0;
    s.bossTimedOut = 0;
    s.bossRotation = 0;
    s.bossVar.fill(0);
    s.bossVarX = 0;
    s.bossVarArr.fill(0);

    ClearAllPools(s);
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

    s.score = 0;
    s.bestScore = 0;
    // The stage-6 route is earned within one game.
    s.wideFieldFightStarted = 0;
    s.hudWork = 0;
    s.focusLevel = 0;
    s.deathScale = 1.0f;
    s.bombGauge = 400;
    s.lives = (s.stage == 7) ? 5 : 2;
    if (s.practiceMode) s.lives = 8;
    s.grazeCount = 0;
    s.invincibleTimer = 0;
    s.hitPending = 0;
    s.playerDying = 0;
    s.playerRespawning = 0;

    ClearAllPools(s);
    s.pauseFade = 0;

    if (s.replayPlaying) {
        // The replay path would otherwise keep the full-power time of
        // whatever game ran before.
        s.maxPowerFrames = 0;
        if (s.stage > s.startStage && s.stage - 1 < kStageSlots) {
            const StageSnapshot& snap = s.snapshots[s.stage - 1];
            s.bombGauge = snap.bombGauge;
            s.lives = snap.lives;
            s.grazeCount = snap.grazeCount;
            s.score = snap.score;
            s.maxPowerFrames = snap.maxPowerFrames;
        }
    }
}

void EndOfStage(Game& game) {
    GameState& s = game.state;
    if (!s.replayPlaying && s.stage >= 1 && s.stage < kStageSlots) {
        s.replayStageFrames[s.stage] = s.replayFrame;
        s.snapshots[s.stage] = StageSnapshot{s.bombGauge, s.lives, s.grazeCount, s.score, s.maxPowerFrames};
    }
    FreeStageSheets(game);
}

}  // namespace korvid
