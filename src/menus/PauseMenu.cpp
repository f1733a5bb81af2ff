// The pause frame: the snapshot of the field fading to dark, the emblem and
// the five entries, the side panel and HUD drawn over it, the keys.
#include "menus/PauseMenu.h"
#include "menus/RecordsScreens.h"

#include <cstdlib>

#include "engine/KeyCodes.h"
#include "game/FrameSteps.h"
#include "game/Game.h"
#include "game/Input.h"
#include "stages/StageClear.h"

namespace korvid {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF, kYellow = 0xFFFF00, kGrey = 0x9B9B9B;
constexpr int kFadeSteps = 10;

std::uint32_t argb(int alpha, std::uint32_t rgb) {
    const std::uint32_t a = static_cast<std::uint32_t>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha));
    return (a << 24) | rgb;
}

void firstFrame(Game& game) {
    GameState& s = game.state;
    game.engine.Channel_Pause(s.bgmChannel);
    s.pauseCursor = IsReplayEnd(s) ? kPauseQuit : kPauseResume;
    s.pauseTicks = 0;
    game.engine.Texture_Free(s.pauseMenuTexture);
    s.pauseMenuTexture = game.engine.Texture_Load("Graphics/menuchose.png");
}

void drawSnapshot(Game& game) {
    GameState& s = game.state;
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(s.snapshotTexture);
    ui.SetTextureRect(0, 0, 480, 480);
    ui.SetHotSpot(0, 0);
    ui.SetZ(0.9f);
    ui.SetColor(argb(255 - 15 * s.pauseFade, kWhite));
    ui.Render(0, 0);
}

void moveCursor(GameState& s, int step) { s.pauseCursor = (s.pauseCursor + step + kPauseEntries) % kPauseEntries; }

void drawEmblem(Game& game) {
    GameState& s = game.state;
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(s.pauseMenuTexture);
    ui.SetTextureRect(0, 0, 76, 200);
    ui.SetHotSpot(38, 100);
    ui.SetZ(0.7f);
    ui.SetColor(argb(25 * s.pauseFade, kWhite));
    const float sway = static_cast<float>(std::abs(s.pauseTicks % 120 - 60) - 30) / 500.0f;
    ui.RenderEx(90, 360, sway, 1.0f);
}

void drawEntries(Game& game) {
    GameState& s = game.state;
    Sprite& ui = *game.uiSprite;
    ui.SetTexture(s.pauseMenuTexture);
    ui.SetHotSpot(0, 0);
    for (int entry = 0; entry < kPauseEntries; ++entry) {
        const bool continueLabel = entry == kPauseResume && IsGameOverPrompt(s);
        ui.SetTextureRect(76, continueLabel ? 44.0f : static_cast<float>(66 + 22 * entry), 164, 22);
        int alpha = 25 * s.pauseFade;
        std::uint32_t rgb = entry == s.pauseCursor ? kYellow : kWhite;
        if (PauseEntryDisabled(s, entry)) {
            rgb = kGrey;
            if (entry == kPauseResume && IsReplayEnd(s)) alpha = 18 * s.pauseFade;
        }
        ui.SetColor(argb(alpha, rgb));
        ui.Render(125, static_cast<float>(330 + 22 * entry));
    }
    // The cursor never rests on a disabled entry: it steps on the way it went.
    for (int tries = 0; tries < kPauseEntries && PauseEntryDisabled(s, s.pauseCursor); ++tries)
        moveCursor(s, s.latchDown == 1 ? 1 : -1);
}

void drawPanelAndHud(Game& game) {
    GameState& s = game.state;
    game.uiSprite->SetZ(0.6f);
    if (!s.wideField && game.panelSprite) {
        int alpha = 255;
        if (s.stage == 7 && (s.bossPattern() == 88 || s.stageCleared)) alpha = 255 - static_cast<int>(s.bossVarArr[7]);
        game.panelSprite->SetColor(argb(alpha, kWhite));
        game.panelSprite->Render(320, 240);
    }
    DrawHud(game);
}

void choose(Game& game, int entry) {
    if (PauseEntryDisabled(game.state, entry)) return;
    switch (entry) {
    case kPauseResume: ResumeOrContinue(game); break;
    case kPauseQuit:
        if (!OfferRecordEntry(game, /*allClear=*/false, /*thenSaveScreen=*/false)) QuitToTitle(game, true);
        break;
    case kPauseSaveReplay: OpenReplaySaveScreen(game); break;
    case kPauseRetry: RetryGame(game); break;
    default: break;
    }
}

void keys(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.pauseState != 1 || !e.System_IsForeground()) return;
    const bool cancel = e.Input_GetKeyState(VK_ESCAPE) || e.Input_GetKeyState('X');
    // Neither the continue prompt nor the end of a replay can be waved away.
    if (cancel && s.latchCancel == 0 && !IsGameOverPrompt(s) && !IsReplayEnd(s)) {
        s.pauseState = 2;
        s.latchCancel = 0;
    }
    const bool confirm = e.Input_GetKeyState('Z') || e.Input_GetKeyState(VK_RETURN);
    if (confirm && s.latchConfirm == 0) {
        s.latchConfirm = 1;
        choose(game, s.pauseCursor);
    }
}

void closeWhenFaded(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.pauseState <= 0 || s.pauseFade >= 1) return;
    s.pauseFade = 0;
    s.pauseState = 0;
    e.Channel_Resume(s.bgmChannel);
    e.Texture_Free(s.pauseMenuTexture);
    e.Texture_Free(s.snapshotTexture);
    s.pauseMenuTexture = 0;
    s.snapshotTexture = 0;
}

}  // namespace

bool IsGameOverPrompt(const GameState& s) { return s.lives < 0 && s.stage != 7; }

// A replay also ends where its ship was lost: a continue is chosen in this
// menu, not with recorded keys, so nothing recorded after it can play.
bool IsReplayEnd(const GameState& s) {
    if (!s.replayPlaying || s.stage < 0 || s.stage >= kStageSlots) return false;
    return s.replayFrame > s.replayStageFrames[s.stage] || ReplayClearedLastStage(s) || IsGameOverPrompt(s);
}

bool PauseEntryDisabled(const GameState& s, int entry) {
    if (entry == kPauseResume) return IsReplayEnd(s);
    if (entry == kPauseSaveReplay) return s.replayPlaying || s.score % 10 > 0;
    return false;
}

void PauseFrame(Game& game) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (s.pauseFade == 0) firstFrame(game);
    s.pauseFade = s.pauseFade + 1 > kFadeSteps ? kFadeSteps : s.pauseFade + 1;
    s.pauseTicks += 1;
    if (s.pauseState == 2) s.pauseFade -= 2;

    e.Gfx_Clear(0xFF000000);
    if (!game.uiSprite) return;
    drawSnapshot(game);
    if (e.System_IsForeground()) {
        if (TakeLatched(s.latchDown, e.Input_GetKeyState(VK_DOWN))) moveCursor(s, 1);
        if (TakeLatched(s.latchUp, e.Input_GetKeyState(VK_UP))) moveCursor(s, -1);
    }
    drawEmblem(game);
    drawEntries(game);
    drawPanelAndHud(game);
    keys(game);
    closeWhenFaded(game);
}

}  // namespace korvid
