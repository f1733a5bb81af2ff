#include "game/PlaySnapshot.h"

namespace korvid {

namespace {

// One list of the flow fields, walked both ways.
template <typename From, typename To>
void copyFlow(const From& a, To& b) {
    b.screen = a.screen;
    b.stage = a.stage;
    b.startStage = a.startStage;
    b.difficulty = a.difficulty;
    b.character = a.character;
    b.practiceMode = a.practiceMode;
    b.quitRequested = a.quitRequested;
    b.latchCancel = a.latchCancel;
    b.latchConfirm = a.latchConfirm;
    b.latchUp = a.latchUp;
    b.latchDown = a.latchDown;
    b.latchLeft = a.latchLeft;
    b.latchRight = a.latchRight;
    b.menuScroll = a.menuScroll;
    b.pauseState = a.pauseState;
    b.pauseFade = a.pauseFade;
    b.pauseTicks = a.pauseTicks;
    b.pauseCursor = a.pauseCursor;
    b.frameKeys = a.frameKeys;
    b.replayPlaying = a.replayPlaying;
    b.replayEndStage = a.replayEndStage;
    b.replayStageFrames = a.replayStageFrames;
    b.snapshots = a.snapshots;
}

}  // namespace

void SavePlay(const GameState& s, PlaySnapshot& out) {
    copyFlow(s, out.flow);
    out.play = static_cast<const PlayRecords&>(s);
}

void RestorePlay(const PlaySnapshot& in, GameState& s) {
    copyFlow(in.flow, s);
    static_cast<PlayRecords&>(s) = in.play;
}

}  // namespace korvid
