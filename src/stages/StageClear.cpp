#include "stages/StageClear.h"

#include <algorithm>

#include "game/FrameSteps.h"
#include "game/Game.h"
#include "play/StageFlow.h"
#include "stages/StageClearHandOver.h"

namespace korvid {

namespace {

constexpr int kClearStart = 100000;

enum class ClearKind { Practice, Ending, Next, NextSilent };

ClearKind kindOf(const GameState& s) {
    if (s.practiceMode) return ClearKind::Practice;
    if (s.stage == 6 || s.stage == 7) return ClearKind::Ending;
    return s.stage == 3 ? ClearKind::NextSilent : ClearKind::Next;
}

// One row per kind: when the tile appears and how it darkens, where the
// music fades and stops, and the hand-over frame.
struct ClearTiming {
    int tileFrom;       // tile drawn while f > this
    int tileSlope;      // alpha per frame after tileFrom
    float z;
    bool wholeScreen;
    int musicEnd;       // volume (musicEnd - f), while f <= musicEnd
    int musicFreedAt;   // 0: the music stays until the hand-over
    int handOver;
};

constexpr ClearTiming kTimings[] = {
    {100160, 1, 0.02f, true, 100100, 100190, 100415},  // practice
    {100090, 1, 0.02f, true, 100190, 100190, 100415},  // stages 6, 7: the staff roll
    {100090, 5, 0.22f, false, 100190, 0, 100215},      // stages 1, 2, 4, 5
    {100090, 5, 0.22f, false, 0, 0, 100215},           // stage 3: the music stops at once
};

const ClearTiming& timingOf(const GameState& s) { return kTimings[static_cast<int>(kindOf(s))]; }

void drawFadeTile(Game& game, const ClearTiming& t, int f) {
    GameState& s = game.state;
    if (f <= t.tileFrom || !game.uiSprite) return;
    const long long alpha = std::min<long long>(255, static_cast<long long>(t.tileSlope) * (f - t.tileFrom));
    Sprite& tile = *game.uiSprite;
    tile.SetTexture(s.textures[25]);
    tile.SetTextureRect(120, 104, 8, 8);
    tile.SetHotSpot(0, 0);
    tile.SetZ(t.z);
    tile.SetColor((static_cast<std::uint32_t>(alpha) << 24) | 0x00FFFFFFu);
    tile.RenderEx(0, 0, 0.0f, t.wholeScreen ? 96.0f : 60.0f, 60.0f);
    tile.SetColor(0xFFFFFFFF);
}

// The music fades with the picture, scaled by the music volume like
// everywhere else (so a muted game stays muted).
void fadeMusic(Game& game, const ClearTiming& t, int f) {
    GameState& s = game.state;
    Engine& e = game.engine;
    if (f <= kClearStart) return;
    if (f <= t.musicEnd) {
        e.Channel_SetVolume(s.bgmChannel, std::clamp(t.musicEnd - f, 0, 100) * s.bgmVolume / 100);
    } else if (t.musicEnd == 0) {
        e.Channel_SetVolume(s.bgmChannel, 0);
    }
    if (t.musicFreedAt != 0 && f == t.musicFreedAt) {
        e.Stream_Free(s.bgmStream);
        s.bgmStream = 0;
        s.bgmChannel = 0;
    }
}

void handOver(Game& game) {
    GameState& s = game.state;
    s.playerShots.free.fill(1);
    s.bgPanels.free.fill(1);
    s.effects.free.fill(1);
    if (ReplayClearedLastStage(s)) {
        OpenReplayEndMenu(game);
        return;
    }
    switch (kindOf(s)) {
    case ClearKind::Practice: GoToReplaySave(game); break;
    case ClearKind::Ending: GoToStaffRoll(game); break;
    default: GoToNextStage(game); break;
    }
}

}  // namespace

int StageClearEndFrame(const GameState& s) { return timingOf(s).handOver; }

bool ReplayClearedLastStage(const GameState& s) {
    return s.replayPlaying && s.stageCleared && s.stage == s.replayEndStage && s.stageFrame >= StageClearEndFrame(s);
}

void StageClearDriver(Game& game) {
    GameState& s = game.state;
    if (s.dialogueActive) {
        s.stageFrame -= 1;  // the sequence waits for the conversation
        return;
    }
    const int f = s.stageFrame;
    const ClearTiming& t = timingOf(s);
    drawFadeTile(game, t, f);
    fadeMusic(game, t, f);
    if (f >= t.handOver) handOver(game);
}

}  // namespace korvid
