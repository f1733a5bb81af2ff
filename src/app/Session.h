// What the command line asks of one run beyond playing: start a replay
// without the menus, record the run to a file, check a replay against its
// stored counters, and print the state per frame or at the end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/CommandLine.h"
#include "game/GameState.h"
#include "menus/ReplayFile.h"

namespace korvid {

struct Game;

// Exit statuses of a run besides 0 (done) and 2 (refused input).
inline constexpr int kExitDesync = 1;    // a check failed, or the record could not be saved
inline constexpr int kExitGameOver = 3;  // the replay's ship was lost with recorded frames left

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
    // True once the run should stop (the replay's last frame has run, the
    // game was lost, or a check failed).
    bool finished() const { return finished_; }
    // A --from jump or a --boss entry is still to be made.
    bool startPending() const { return bossPending_ || fromPending_; }

    // At exit: the state line, the record file, the last check. Returns the
    // exit status.
    int finish(Game& game);

private:
    bool checkStage(Game& game, int stage);
    void verdict(int stage) { verdictStage_ = stage; }
    void watchReplayEnd(Game& game);
    void watchForContinue(Game& game);
    bool saveRecord(Game& game);
    // --boss: the fight comes in once the stage's fade-in has run.
    void bringInBoss(Game& game);
    void jumpClock(Game& game);

    Options options_;
    bool replaying_ = false;
    bool finished_ = false;
    bool desync_ = false;
    bool gameOver_ = false;
    int lastStage_ = -1;
    int verdictStage_ = -1;  // the last stage a verdict line was printed for
    bool bossPending_ = false;
    bool fromPending_ = false;
    // Recording: the counters while the continue prompt is open, and the
    // record as it stood there once a continue was taken (the rest of such
    // a game cannot be played back).
    std::optional<StageSnapshot> atPrompt_;
    std::optional<ReplayRecord> stoppedAtContinue_;
};

}  // namespace korvid
