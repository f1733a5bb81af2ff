#include "stages/Timeline.h"

#include "game/Game.h"

namespace korvid {

void RunTimeline(Game& game, const Timeline& timeline) {
    // A cue may move the clock (a boss entry does not, but later stages
    // jump); every cue of this call answers to the frame it started on.
    const int frame = game.state.stageFrame;
    for (const ExactCue& cue : timeline.exact)
        if (cue.frame == frame) cue.step(game, cue.args, 0);
    for (const WindowCue& cue : timeline.windows)
        if (WindowFires(cue, frame)) cue.step(game, cue.args, (frame - cue.from) / cue.every);
}

}  // namespace korvid
