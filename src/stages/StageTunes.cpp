#include "stages/StageTunes.h"

#include "game/Game.h"
#include "stages/StageScript.h"

namespace korvid {

namespace {

struct StageTune {
    int stage;
    const char* file;
    bool loop;
    int cue;    // the frame the stage starts it
    int until;  // the last frame it is the stage's (its boss's entry)
};

// The extra stage sets its own up (it starts late and changes scene).
constexpr StageTune kStageTunes[] = {
    {1, "Music/music1.ogg", true, 2, 7000},  {2, "Music/music2.mp3", true, 2, 5000},
    {3, "Music/music3.mp3", false, 2, 9100}, {4, "Music/music4.mp3", true, 2, 12700},
    {5, "Music/music5.mp3", true, 540, 12200}, {6, "Music/music6.mp3", true, 2, 6800},
};

const StageTune* tuneOf(int stage) {
    for (const StageTune& t : kStageTunes)
        if (t.stage == stage) return &t;
    return nullptr;
}

}  // namespace

void StartStageTune(Game& game) {
    if (const StageTune* t = tuneOf(game.state.stage)) StartStageMusic(game, t->file, t->loop);
}

void StartStageTuneAt(Game& game, int frame) {
    const StageTune* t = tuneOf(game.state.stage);
    if (t && frame > t->cue && frame <= t->until) StartStageMusic(game, t->file, t->loop);
}

}  // namespace korvid
