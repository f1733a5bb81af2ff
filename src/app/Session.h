// What the command line asks of one run beyond playing: start a replay
// without the menus, record the run to a file, check a replay against its
// stored counters, and print the state per frame or at the end.
#pragma once

#include <cstdint>
#include <string>

#include "app/CommandLine.h"

namespace korvid {

struct Game;

class Session {
public:
    explicit Session(const Options& options) : options_(options) {}

    // Loads and checks the replay file (before the engine starts). False
    // with the reason in `why` when the file is refused.
    bool prepareReplay(Game& game, std::string& why);
    // After boot: starts the replay's first stage directly.
    void startReplay(Game& game);
    // After boot: starts the practice of --practice's stage directly (a
    // practice run as the menus would start it, recorded as usual).
    void startPractice(Game& game);

    // After every frame: tracing, stage-end checks and the replay's end.
    void afterFrame(Game& game);
    // True once the run should stop (the replay's last frame has run, or a
    // check failed).
    bool finished() const { return finished_; }

    // At exit: the state line, the record file, the last check. Returns the
    // exit status.
    int finish(Game& game);

private:
    bool checkStage(Game& game, int stage);
    // --boss: the fight comes in once the stage's fade-in has run.
    void bringInBoss(Game& game);

    Options options_;
    bool replaying_ = false;
    bool finished_ = false;
    bool desync_ = false;
    int lastStage_ = -1;
    bool bossPending_ = false;
};

}  // namespace korvid
