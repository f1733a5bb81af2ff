#include "app/Session.h"

#include <cstdio>
#include <ctime>

#include "game/Game.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "app/StateHash.h"
#include "bosses/FightRegistry.h"
#include "menus/ReplayFile.h"

namespace korvid {

bool Session::prepareReplay(Game& game, std::string& why) {
    if (options_.replayFile.empty()) return true;
    std::optional<ReplayRecord> record = LoadReplayFile(options_.replayFile, why);
    if (!record) return false;
    if (!ApplyReplayToState(*record, game.state)) {
        why = "the replay does not fit the game";
        return false;
    }
    replaying_ = true;
    return true;
}

void Session::startReplay(Game& game) {
    if (!replaying_) return;
    GameState& s = game.state;
    // The title's first visit would load these at its frame 200.
    LoadSharedResources(game);
    s.stageFrame = 300;
    LoadCharacterSheets(game, s.character);
    s.replayPlaying = 1;
    s.screen = 10;
    s.stage = s.startStage;
    s.maxPowerFrames = 0;
    StartRoutine(game);
    lastStage_ = s.stage;
    bossPending_ = options_.bossPattern != 0;
}

void Session::startPractice(Game& game) {
    if (options_.practiceStage == 0) return;
    GameState& s = game.state;
    LoadSharedResources(game);
    s.stageFrame = 300;
    s.character = options_.character;
    s.difficulty = options_.practiceStage == 7 ? 3 : options_.difficulty;
    LoadCharacterSheets(game, s.character);
    s.practiceMode = 1;
    s.replayPlaying = 0;
    s.screen = 10;
    s.stage = options_.practiceStage;
    s.maxPowerFrames = 0;
    StartRoutine(game);
    lastStage_ = s.stage;
    bossPending_ = options_.bossPattern != 0;
}

void Session::bringInBoss(Game& game) {
    const GameState& s = game.state;
    if (!bossPending_ || s.screen != 10 || s.pauseState != 0 || s.stageFrame < -1) return;
    bossPending_ = false;
    if (!BringInFightAt(game, options_.bossPattern))
        std::fprintf(stderr, "korvid: no fight has a pattern %d\n", options_.bossPattern);
}

bool Session::checkStage(Game& game, int stage) {
    const GameState& s = game.state;
    if (stage < 1 || stage >= kStageSlots) return true;
    const StageSnapshot& want = s.snapshots[stage];
    struct Field {
        const char* name;
        long long recorded, played;
    };
    const Field fields[] = {{"bombGauge", want.bombGauge, s.bombGauge},
                            {"lives", want.lives, s.lives},
                            {"grazeCount", want.grazeCount, s.grazeCount},
                            {"score", static_cast<long long>(want.score), static_cast<long long>(s.score)},
                            {"maxPowerFrames", want.maxPowerFrames, s.maxPowerFrames}};
    for (const Field& f : fields) {
        if (f.recorded != f.played) {
            std::printf("stage %d: desync (%s recorded %lld, played %lld)\n", stage, f.name, f.recorded, f.played);
            return false;
        }
    }
    std::printf("stage %d: ok\n", stage);
    return true;
}

void Session::afterFrame(Game& game) {
    GameState& s = game.state;
    bringInBoss(game);
    if (options_.trace) std::printf("%s\n", DescribeState(s, options_.traceHash, options_.probe).c_str());
    if (!replaying_ || finished_) return;
    // A stage transition happened this frame: the counters are those the
    // stage ended with.
    if (options_.verify && s.stage != lastStage_ && lastStage_ >= 1) {
        if (!checkStage(game, lastStage_)) {
            desync_ = true;
            finished_ = true;
        }
    }
    lastStage_ = s.stage;
    // The stage's record is used up but the stage has not cleared: the
    // replay went out of step (or another version made it). Playback stops
    // on the end-of-replay menu rather than run on keys nobody recorded.
    if (s.screen == 10 && s.pauseState > 0 && s.stage >= 1 && s.stage < kStageSlots &&
        s.replayFrame > s.replayStageFrames[s.stage] && s.stage != s.replayEndStage) {
        finished_ = true;
        if (options_.verify && !desync_) {
            std::printf("stage %d: desync (the record ended at frame %d before the stage cleared)\n", s.stage,
                        s.replayStageFrames[s.stage]);
            desync_ = true;
        }
        return;
    }
    const bool lastStage = s.stage == s.replayEndStage;
    if (s.screen == 10 && lastStage && s.stage >= 1 && s.stage < kStageSlots &&
        s.replayFrame >= s.replayStageFrames[s.stage] && s.stageFrame >= 0) {
        // A last stage that cleared plays its clear out (items still fly in
        // and pay): its counters were kept at the end of the clear, where the
        // end-of-replay menu opens.
        if (s.stageCleared && s.pauseState == 0) return;
        finished_ = true;
        if (options_.verify && !desync_ && !checkStage(game, s.stage)) desync_ = true;
    }
}

int Session::finish(Game& game) {
    GameState& s = game.state;
    if (options_.printState) std::printf("%s\n", DescribeState(s, true, options_.probe).c_str());
    int status = 0;
    if (!options_.recordFile.empty() && !s.replayPlaying) {
        // As the save screen would: the current stage up to this frame.
        if (s.stage >= 1 && s.stage < kStageSlots) {
            s.replayStageFrames[s.stage] = s.replayFrame;
            s.snapshots[s.stage] = StageSnapshot{s.bombGauge, s.lives, s.grazeCount, s.score, s.maxPowerFrames};
        }
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        if (s.stage < 1 || !SaveReplayFile(options_.recordFile, RecordFromState(s, ReplayTexts{}, local))) {
            std::fprintf(stderr, "korvid: could not save the record to %s\n", options_.recordFile.c_str());
            status = 1;
        }
    }
    if (desync_) status = 1;
    std::fflush(stdout);
    return status;
}

}  // namespace korvid
