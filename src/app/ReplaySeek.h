// Seeking in a replay while it plays (one started with --replay or from the
// replay screen). Every few hundred frames of play the
// seeker keeps a snapshot; a jump back restores the nearest earlier one of
// the same stage and plays forward at once (nothing shown in between), a
// jump forward plays forward at once. Page Up and Page Down jump ten
// seconds back and forward; `--seek FRAME` starts the replay at a frame.
// The position (frames of play since the replay began) is shown on screen.
//
// Snapshots hold the play state only: a jump back never crosses into an
// earlier stage (its pictures are no longer loaded), it stops at the
// start of the stage on show.
#pragma once

#include <memory>
#include <vector>

#include "game/PlaySnapshot.h"

namespace korvid {

struct Game;

class ReplaySeeker {
public:
    static constexpr int kEvery = 300;         // frames between snapshots
    static constexpr int kJump = 600;          // Page Up / Page Down: ten seconds
    static constexpr int kMaxSnapshots = 120;  // about 120 MB at most

    explicit ReplaySeeker(int startAt = 0) : target_(startAt > 0 ? startAt : -1) {}

    // Before each real frame: snapshots, the jump keys, a pending seek.
    void beforeFrame(Game& game);
    // Plays to `frame` (back by a snapshot, then forward) before the next real frame.
    void seek(int frame) { target_ = frame < 0 ? 0 : frame; }
    int position() const { return position_; }
    // The position to show over the coming frame (-1: no replay in play).
    int shown() const { return shown_; }

private:
    struct Stored {
        int position = 0;
        int stage = 0;
        std::unique_ptr<PlaySnapshot> snapshot;
    };

    bool playing(const Game& game) const;
    void keep(Game& game);
    void playTo(Game& game, int frame);

    std::vector<Stored> stored_;
    int position_ = 0;  // frames of play run so far
    int target_ = -1;   // where a seek goes (-1: none)
    int shown_ = -1;
    bool pageUpHeld_ = false, pageDownHeld_ = false;
};

// Where a playing replay stands, drawn over play (app/FrameDriver.cpp calls it).
void DrawReplayPosition(Game& game);

}  // namespace korvid
