// A stage's timeline: exact-frame cues and window cues (from, to, every),
// kept as constant tables and run by one small interpreter. On any frame the
// exact cues fire first, then the windows, each list in its written order,
// never re-sorted by frame.
#pragma once

#include <array>
#include <span>

namespace korvid {

struct Game;

// A cue's numbers (positions, rows, speeds...), read by its step.
using CueArgs = std::array<float, 6>;
// One named piece of stage work. Window cues pass their step number
// k = (stageFrame - from) / every; exact cues pass 0.
using CueStep = void (*)(Game& game, const CueArgs& args, int k);

struct ExactCue {
    int frame;
    CueStep step;
    CueArgs args{};
};

// Fires on every frame from..to (both included) whose truncating remainder
// by `every` is 0.
struct WindowCue {
    int from, to, every;
    CueStep step;
    CueArgs args{};
};

struct Timeline {
    std::span<const ExactCue> exact;
    std::span<const WindowCue> windows;
};

constexpr bool WindowFires(const WindowCue& w, int frame) {
    return frame >= w.from && frame <= w.to && w.every > 0 && frame % w.every == 0;
}

// Runs every cue of `timeline` that falls on the current stageFrame.
void RunTimeline(Game& game, const Timeline& timeline);

}  // namespace korvid
