#include "app/ReplaySeek.h"

#include <algorithm>
#include <cstdio>

#include "app/FrameDriver.h"
#include "engine/EngineHooks.h"
#include "game/Game.h"

namespace korvid {

namespace {

constexpr int kPageUp = 33, kPageDown = 34;

}  // namespace

bool ReplaySeeker::playing(const Game& game) const {
    const GameState& s = game.state;
    return s.replayPlaying && s.screen == 10 && s.pauseState == 0;
}

// A snapshot at every kEvery-th frame of play, once.
void ReplaySeeker::keep(Game& game) {
    if (position_ % kEvery != 0) return;
    if (!stored_.empty() && stored_.back().position >= position_) return;
    if (static_cast<int>(stored_.size()) >= kMaxSnapshots) return;
    Stored s{position_, game.state.stage, std::make_unique<PlaySnapshot>()};
    SavePlay(game.state, *s.snapshot);
    stored_.push_back(std::move(s));
}

void ReplaySeeker::playTo(Game& game, int frame) {
    if (frame < position_) {
        // The latest snapshot at or before the frame, of the stage on show.
        const Stored* from = nullptr;
        for (const Stored& s : stored_)
            if (s.stage == game.state.stage && s.position <= frame) from = &s;
        if (!from) {
            for (const Stored& s : stored_)
                if (s.stage == game.state.stage) {
                    from = &s;
                    break;
                }
        }
        if (!from) return;
        RestorePlay(*from->snapshot, game.state);
        position_ = from->position;
        // Later snapshots stay: the replay plays them again identically.
    }
    // Forward, no further than the stage's record reaches: its end plays out
    // in real frames, where the replay's end is watched.
    // The frames passed over are not shown: they play without pictures.
    const GameState& st = game.state;
    SetUnseenFrames(game.engine, true);
    while (position_ < frame && playing(game) && st.replayFrame < st.replayStageFrames[st.stage]) {
        keep(game);
        RenderFunc(game);
        ++position_;
    }
    SetUnseenFrames(game.engine, false);
}

void ReplaySeeker::beforeFrame(Game& game) {
    shown_ = -1;
    // Back on the title: the next replay watched starts afresh.
    if (!game.state.replayPlaying && (position_ != 0 || !stored_.empty())) {
        stored_.clear();
        position_ = 0;
        target_ = -1;
    }
    if (!playing(game)) return;
    Engine& e = game.engine;
    const bool up = e.Input_GetKeyState(kPageUp), down = e.Input_GetKeyState(kPageDown);
    if (up && !pageUpHeld_) target_ = position_ > kJump ? position_ - kJump : 0;
    if (down && !pageDownHeld_) target_ = position_ + kJump;
    pageUpHeld_ = up;
    pageDownHeld_ = down;
    if (target_ != position_ && target_ >= 0) {
        playTo(game, target_);
        target_ = -1;
    }
    if (!playing(game)) return;
    keep(game);
    shown_ = position_;
    ++position_;  // the real frame about to run
}

namespace {

// Recorded frames of the stages from the first to `upTo` (not included).
int recordedBefore(const GameState& s, int upTo) {
    int n = 0;
    for (int st = std::max(s.startStage, 0); st < upTo && st < kStageSlots; ++st) n += s.replayStageFrames[st];
    return n;
}

void appendClock(char* out, std::size_t size, int frames) {
    std::snprintf(out, size, "%d:%02d", frames / 3600, frames / 60 % 60);
}

void drawBar(Engine& e, float x, float y, float w, float h, std::uint32_t color) {
    Quad q{};
    const float xs[4] = {x, x + w, x + w, x}, ys[4] = {y, y, y + h, y + h};
    for (int i = 0; i < 4; ++i) q.v[i] = Vertex{xs[i], ys[i], 0.1f, color, 0.0f, 0.0f};
    q.tex = 0;
    q.blend = BLEND_DEFAULT;
    e.Gfx_RenderQuad(&q);
}

}  // namespace

// Where the replay stands in its record (all its stages): the time played
// of the whole, a bar, and the keys that move it.
void DrawReplayPosition(Game& game) {
    const GameState& s = game.state;
    if (!game.menuFont || s.stage < 0 || s.stage >= kStageSlots) return;
    const int last = std::clamp(s.replayEndStage, s.stage, kStageSlots - 1);
    const int total = std::max(recordedBefore(s, last + 1), 1);
    const int done = std::clamp(recordedBefore(s, s.stage) + s.replayFrame, 0, total);
    char now[16], all[16], line[64];
    appendClock(now, sizeof now, done);
    appendClock(all, sizeof all, total);
    std::snprintf(line, sizeof line, "REPLAY %s / %s   PGUP PGDN", now, all);
    game.menuFont->Render(36, 444, line);
    constexpr float kX = 36, kY = 466, kW = 380, kH = 4;
    drawBar(game.engine, kX, kY, kW, kH, 0x80404040u);
    drawBar(game.engine, kX, kY, kW * static_cast<float>(done) / static_cast<float>(total), kH, 0xE0FFFFFFu);
}

}  // namespace korvid
