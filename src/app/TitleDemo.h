// The title's demo play: after the main menu has sat untouched for a while
// the autopilot plays a stage practice for a minute, as arcade games do;
// any key or button hands back to the title at once. A demo leaves no
// trace: no records, no card history, no replay, and the title's
// difficulty, character and counters are as they were.
//
// Idle time is counted in frames shown on the main menu with nothing held.
#pragma once

#include <cstdint>
#include <memory>

#include "app/Autopilot.h"
#include "game/RecordBook.h"

namespace korvid {

struct Game;

class TitleDemo {
public:
    static constexpr int kIdleFrames = 1800;  // thirty seconds on the main menu
    static constexpr int kLength = 3600;      // a minute of play

    explicit TitleDemo(int idleFrames = kIdleFrames, int length = kLength)
        : idleFrames_(idleFrames), length_(length) {}

    // Before each frame, before the autopilot: starts the demo once the
    // menu has been idle long enough, ends it on `playerKey` (the player
    // holds a key or a button this frame) or when its time is up.
    void beforeFrame(Game& game, bool playerKey);
    bool running() const { return pilot_ != nullptr; }
    // The autopilot at the controls while the demo runs (else null).
    Autopilot* pilot() const { return pilot_.get(); }
    // Demos started so far.
    int count() const { return count_; }

private:
    void start(Game& game);
    void stop(Game& game);

    int idleFrames_;
    int length_;
    int idle_ = 0;
    int played_ = 0;
    int count_ = 0;
    std::unique_ptr<Autopilot> pilot_;
    // What the demo must give back as it found it.
    std::unique_ptr<RecordBook> records_;
    int difficulty_ = 0, character_ = 1, practiceMode_ = 0, panelCounter_ = 0;
    std::int64_t bestScore_ = 0;
};

// "DEMO PLAY" over the demo's field, blinking.
void DrawDemoCaption(Game& game);

}  // namespace korvid
