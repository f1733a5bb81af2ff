#include "app/FrameDriver.h"

#include "app/FieldClip.h"
#include "app/ReplaySeek.h"
#include "app/TitleDemo.h"

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "menus/Title.h"

namespace korvid {

namespace {

constexpr std::uint32_t kBlack = 0xFF000000;
constexpr std::uint32_t kStage1Sky = 0xFF258585;

// Recorded frames are those of the stage proper.
bool isRecordedFrame(int stageFrame) { return stageFrame >= 0 && stageFrame < kReplayFramesPerStage; }

bool validRecordCell(const GameState& s) {
    return s.stage >= 0 && s.stage < kStageSlots && s.replayFrame >= 0 && s.replayFrame < kReplayFramesPerStage;
}

void loadRecordedKeys(GameState& s) {
    s.frameKeys.fill(0);
    if (!s.replayPlaying) return;
    // Cells past the stage's recorded count hold nothing of this record.
    const bool inRecord = validRecordCell(s) && s.replayFrame <= s.replayStageFrames[s.stage];
    const std::int32_t mask = inRecord ? s.replayInputs[s.stage][s.replayFrame] : 0;
    for (int bit = 7; bit >= 0; --bit) s.frameKeys[bit] = (mask >> bit) & 1;
}

void storeRecordedKeys(GameState& s) {
    if (!validRecordCell(s)) return;  // past frame 99999 nothing more is kept
    std::int32_t mask = 0;
    for (int i = 0; i < kGameKeyCount; ++i) mask += s.frameKeys[i] ? (1 << i) : 0;
    s.replayInputs[s.stage][s.replayFrame] = mask;
}

void drawStageFade(Game& game) {
    GameState& s = game.state;
    if (s.stageCleared || s.stageFrame >= 0 || !game.uiSprite) return;
    Sprite& tile = *game.uiSprite;
    const std::uint32_t alpha = static_cast<std::uint32_t>(-4 * s.stageFrame) & 0xFF;
    tile.SetTexture(s.textures[5]);
    tile.SetTextureRect(120, 104, 8, 8);
    tile.SetHotSpot(0, 0);
    tile.SetZ(0.22f);
    tile.SetColor((alpha << 24) | 0x00FFFFFFu);
    tile.RenderEx(0, 0, 0, 60);
}

void drawSidePanel(Game& game) {
    GameState& s = game.state;
    if (!game.panelSprite) return;
    Sprite& panel = *game.panelSprite;
    if (s.backgroundShake > 4450) return;
    if (s.backgroundShake > 0) {
        panel.SetColor(0xFFFFFFFF);
        panel.RenderEx(320, 240, 0, s.backgroundShake / 1500 + 1);
        return;
    }
    std::uint32_t alpha = 255;
    if (s.stage == 7 && (s.bossPattern() == 88 || s.stageCleared)) {
        const int a = 255 - static_cast<int>(s.bossVarArr[7]);
        alpha = static_cast<std::uint32_t>(a < 0 ? 0 : (a > 255 ? 255 : a));
    }
    panel.SetColor((alpha << 24) | 0x00FFFFFFu);
    panel.Render(320, 240);
}

// The paused field behind the save and name screens.
void drawDimmedSnapshot(Game& game) {
    if (!game.uiSprite) return;
    Sprite& snap = *game.uiSprite;
    snap.SetTexture(game.state.snapshotTexture);
    snap.SetTextureRect(0, 0, 480, 480);
    snap.SetHotSpot(0, 0);
    snap.SetZ(0.9f);
    snap.SetColor(0x69FFFFFF);
    snap.Render(0, 0);
}

}  // namespace

int ChooseFrameRate(const GameState& s, bool ctrlHeld) {
    const bool bossSpecial = s.bossActive && s.bossPattern() == 49 && s.bossTimer() >= 140 &&
                             s.invincibleTimer <= 20 && s.difficulty > 0;
    if (ctrlHeld && s.replayPlaying) return bossSpecial ? 120 : 240;
    if (bossSpecial) return 30;
    if (s.bossActive && s.bossPattern() == 61 && s.bossTimer() < 0) return 30;
    return 60;
}

void OpenPauseMenu(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    s.latchCancel = 1;
    // The picture drawn so far this frame, kept as a texture (no file).
    e.Texture_Free(s.snapshotTexture);
    s.snapshotTexture = e.Gfx_SnapshotTexture();
    s.pauseState = 1;
}

void PlayFrame(Game& game) {
    Engine& e = game.engine;
    GameState& s = game.state;

    e.Gfx_Clear(s.stage == 1 ? kStage1Sky : kBlack);
    if (s.hitPending > 0) s.hitPending -= 1;
    DeathHandOff(game);
    s.stageFrame += 1;

    // Decided once: the boss-kill frame moves stageFrame to 100000 later in
    // this frame, and that frame still belongs to the record.
    const bool recorded = isRecordedFrame(s.stageFrame);
    if (recorded) {
        s.replayFrame += 1;
        if (!s.replayPlaying && s.stage >= 0 && s.stage < kStageSlots) s.replayStageFrames[s.stage] = s.replayFrame;
    }

    ClipToPanelWindow(game);
    RunStageScript(game);
    if (s.bossActive) DrawBossBackdrops(game);
    if (recorded) loadRecordedKeys(s);
    UpdateAndDrawPlay(game);
    drawStageFade(game);
    e.Gfx_SetClipping();
    drawSidePanel(game);
    DrawHud(game);
    if (s.dialogueActive == 1) RunDialogue(game);
    if (recorded && !s.replayPlaying) storeRecordedKeys(s);

    const bool escape = e.Input_GetKeyState(VK_ESCAPE);
    if (escape && s.latchCancel == 0) {
        if (!s.wideField) {
            OpenPauseMenu(game);
        } else {
            s.latchCancel = 1;
            s.soundRequests[34] = 1;
        }
    }
    // Losing focus pauses as Escape does; the stage-clear driver still runs
    // so the exact transition frame is never missed.
    // Unplugging the controller pauses as well.
    const bool lostInput = !e.System_IsForeground() || e.Input_ControllerRemoved();
    if (lostInput && s.screen == 10 && s.pauseState == 0 && !s.wideField) OpenPauseMenu(game);
    if (s.stageCleared == 1) StageClearDriver(game);
    SpellPracticeStep(game);
}

void RenderFunc(Game& game, PlayCaption caption) {
    Engine& e = game.engine;
    GameState& s = game.state;

    e.System_SetStateInt(HGE_FPS, ChooseFrameRate(s, e.Input_GetKeyState(VK_CONTROL)));
    e.Gfx_BeginScene();
    ReleaseMenuLatches(game);

    if ((s.screen >= 0 && s.screen <= 9) || s.screen == kRecordsScreen) {
        e.Gfx_Clear(kBlack);
        RunTitle(game);
    } else if (s.screen == 11) {
        e.Gfx_Clear(kBlack);
        StaffRollFrame(game);
    } else if (s.screen == 12 || s.screen == 13) {
        e.Gfx_Clear(kBlack);
        if (!s.gameFinished) drawDimmedSnapshot(game);
        ReplaySaveFrame(game);
        if (game.panelSprite) game.panelSprite->Render(320, 240);
        DrawHud(game);
    } else if (s.screen == kNameEntryScreen) {
        e.Gfx_Clear(kBlack);
        if (!s.gameFinished) drawDimmedSnapshot(game);
        NameEntryFrame(game);
    } else if (s.screen == 10 && s.pauseState > 0) {
        PauseFrame(game);
    } else if (s.screen == 10) {
        PlayFrame(game);
        if (caption == PlayCaption::ReplayPosition) DrawReplayPosition(game);
        if (caption == PlayCaption::Demo) DrawDemoCaption(game);
    }
    e.Gfx_EndScene();
}

}  // namespace korvid
