#include "app/ReplaySeek.h"

#include <cstdio>

#include "app/FrameDriver.h"
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
    const GameState& st = game.state;
    while (position_ < frame && playing(game) && st.replayFrame < st.replayStageFrames[st.stage]) {
        keep(game);
        RenderFunc(game);
        ++position_;
    }
}

void ReplaySeeker::beforeFrame(Game& game) {
    shown_ = -1;
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

void DrawReplayPosition(Game& game, int f) {
    if (f < 0 || !game.menuFont) return;
    char line[48];
    std::snprintf(line, sizeof line, "REPLAY %d:%02d.%02d  %d", f / 3600, f / 60 % 60, f % 60 * 100 / 60, f);
    game.menuFont->Render(16, 452, line);
}

}  // namespace korvid
