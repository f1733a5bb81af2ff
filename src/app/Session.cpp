#include "app/Session.h"

#include <cstdio>
#include <ctime>

#include "app/StateHash.h"
#include "game/Game.h"
#include "menus/PauseMenu.h"
#include "play/Resources.h"
#include "play/StageFlow.h"
#include "bosses/FightRegistry.h"
#include "stages/StageScript.h"

namespace korvid {

namespace {

bool validStage(int stage) { return stage >= 1 && stage < kStageSlots; }

StageSnapshot countersOf(const GameState& s) {
    return StageSnapshot{s.bombGauge, s.lives, s.grazeCount, s.score, s.maxPowerFrames};
}

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

}  // namespace

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
    fromPending_ = options_.fromFrame != 0;
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
    fromPending_ = options_.fromFrame != 0;
}

// Once the stage has begun (its set-up at -62 done), its clock jumps: the
// next frame is frame F.
void Session::jumpClock(Game& game) {
    const GameState& s = game.state;
    if (!fromPending_ || s.screen != 10 || s.pauseState != 0 || s.stageFrame < -1) return;
    fromPending_ = false;
    JumpStageClock(game, options_.fromFrame);
}

// With --from the fight comes in place of the first boss the stage itself
// brings after the jump, so the stage has set its scene up by then.
void Session::bringInBoss(Game& game) {
    GameState& s = game.state;
    if (!bossPending_ || fromPending_ || s.screen != 10 || s.pauseState != 0 || s.stageFrame < -1) return;
    if (options_.fromFrame != 0) {
        if (!s.bossActive) return;
        s.enemies.free[kBossSlot] = 1;
        s.bossActive = 0;
        s.spellActive = 0;
        // The fight comes without the conversation its boss brought.
        CloseConversation(game);
    }
    bossPending_ = false;
    const bool brought = options_.fromFrame != 0 ? BringInFightAt(game, options_.bossPattern)
                                                 : BringInFightDirectly(game, options_.bossPattern);
    if (!brought)
        std::fprintf(stderr, "korvid: no fight has a pattern %d\n", options_.bossPattern);
}

bool Session::checkStage(Game& game, int stage) {
    const GameState& s = game.state;
    if (!validStage(stage)) return true;
    verdict(stage);
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
    jumpClock(game);
    bringInBoss(game);
    if (options_.trace) std::printf("%s\n", DescribeState(game.state, options_.traceHash, options_.probe).c_str());
    watchForContinue(game);
    if (replaying_ && !finished_) watchReplayEnd(game);
}

void Session::watchReplayEnd(Game& game) {
    GameState& s = game.state;
    // A stage transition happened this frame: the counters are those the
    // stage ended with.
    if (options_.verify && s.stage != lastStage_ && lastStage_ >= 1) {
        if (!checkStage(game, lastStage_)) {
            desync_ = true;
            finished_ = true;
        }
    }
    lastStage_ = s.stage;
    if (finished_ || s.screen != 10 || !validStage(s.stage)) return;
    // The stage's record is used up but the stage has not cleared: the
    // replay went out of step (or another version made it). Playback stops
    // on the end-of-replay menu rather than run on keys nobody recorded.
    if (s.pauseState > 0 && s.replayFrame > s.replayStageFrames[s.stage] && s.stage != s.replayEndStage) {
        finished_ = true;
        if (options_.verify && !desync_) {
            std::printf("stage %d: desync (the record ended at frame %d before the stage cleared)\n", s.stage,
                        s.replayStageFrames[s.stage]);
            verdict(s.stage);
            desync_ = true;
        }
        return;
    }
    const bool lastStage = s.stage == s.replayEndStage;
    if (lastStage && s.replayFrame >= s.replayStageFrames[s.stage] && s.stageFrame >= 0) {
        // A last stage that cleared plays its clear out (items still fly in
        // and pay): its counters were kept at the end of the clear, where the
        // end-of-replay menu opens.
        if (s.stageCleared && s.pauseState == 0) return;
        finished_ = true;
        if (options_.verify && !desync_ && !checkStage(game, s.stage)) desync_ = true;
        return;
    }
    // The ship was lost with recorded frames left: the record holds keys
    // for a continue nobody can choose, so playback ends here.
    if (s.pauseState > 0 && IsGameOverPrompt(s)) {
        std::printf("stage %d: game over at frame %d\n", s.stage, s.replayFrame);
        verdict(s.stage);
        gameOver_ = true;
        finished_ = true;
    }
}

// A recorded game that takes a continue cannot be played back past it (the
// continue is chosen in a menu, not with recorded keys): the record keeps
// the game up to the frame the prompt opened, with the counters shown there.
void Session::watchForContinue(Game& game) {
    const GameState& s = game.state;
    if (options_.recordFile.empty() || s.replayPlaying || stoppedAtContinue_) return;
    if (s.screen == 10 && s.pauseState > 0 && IsGameOverPrompt(s)) {
        atPrompt_ = countersOf(s);
        return;
    }
    if (!atPrompt_) return;
    const StageSnapshot prompt = *atPrompt_;
    atPrompt_.reset();
    const bool continued = s.screen == 10 && s.lives >= 0 && s.score % 10 > 0;
    if (!continued || !validStage(s.stage)) return;
    stoppedAtContinue_ = RecordFromState(s, ReplayTexts{}, localNow());
    if (!stoppedAtContinue_->stages.empty()) stoppedAtContinue_->stages.back().snapshot = prompt;
    std::fprintf(stderr,
                 "korvid: the record stops at the continue in stage %d, frame %d: a replay cannot play past a "
                 "continue\n",
                 s.stage, s.replayFrame);
}

bool Session::saveRecord(Game& game) {
    GameState& s = game.state;
    if (stoppedAtContinue_) return SaveReplayFile(options_.recordFile, *stoppedAtContinue_);
    if (!validStage(s.stage)) return false;
    // As the save screen would: the current stage up to this frame.
    s.replayStageFrames[s.stage] = s.replayFrame;
    s.snapshots[s.stage] = countersOf(s);
    return SaveReplayFile(options_.recordFile, RecordFromState(s, ReplayTexts{}, localNow()));
}

int Session::finish(Game& game) {
    GameState& s = game.state;
    // A check that never came (the run was stopped early) still gets its line.
    if (replaying_ && options_.verify && !desync_ && !gameOver_ && validStage(lastStage_) &&
        verdictStage_ != lastStage_) {
        std::printf("stage %d: not checked (stopped at frame %d of %d)\n", lastStage_, s.replayFrame,
                    s.replayStageFrames[lastStage_]);
    }
    if (options_.printState) std::printf("%s\n", DescribeState(s, true, options_.probe).c_str());
    int status = 0;
    if (!options_.recordFile.empty() && !s.replayPlaying && !saveRecord(game)) {
        std::fprintf(stderr, "korvid: could not save the record to %s\n", options_.recordFile.c_str());
        status = kExitDesync;
    }
    if (gameOver_) status = kExitGameOver;
    if (desync_) status = kExitDesync;
    std::fflush(stdout);
    return status;
}

}  // namespace korvid
