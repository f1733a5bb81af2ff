// A snapshot of play: everything a play frame reads and writes, without the
// settings, the resource handles and the replay record. Taking one copies
// the counters whole and of each pool only the slots play has reached since
// the stage loaded (a few microseconds), so the autopilot and replay
// seeking can look ahead and come back.
//
// Restoring a snapshot and feeding the same keys plays the same frames: the
// state hash is identical on every one of them.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>

#include "game/GameState.h"

namespace korvid {

// The part of the run's record that play moves: the screen flow, the pause
// menu, this frame's keys and the replay's stage counters.
struct PlayFlow {
    int screen = 0;
    int stage = 0;
    int startStage = 0;
    int difficulty = 0;
    int character = 0;
    std::uint8_t practiceMode = 0;
    std::uint8_t quitRequested = 0;
    float latchCancel = 0, latchConfirm = 0, latchUp = 0, latchDown = 0, latchLeft = 0, latchRight = 0;
    float menuScroll = 0;
    int pauseState = 0, pauseFade = 0, pauseTicks = 0, pauseCursor = 0;
    std::array<std::uint8_t, kGameKeyCount> frameKeys{};
    std::uint8_t replayPlaying = 0;
    int replayEndStage = 0;
    std::array<int, kStageSlots> replayStageFrames{};
    std::array<StageSnapshot, kStageSlots> snapshots{};
};

struct PlaySnapshot {
    PlayFlow flow;
    PlayRecords play;
};

static_assert(std::is_trivially_copyable_v<PlaySnapshot>);

void SavePlay(const GameState& s, PlaySnapshot& out);
void RestorePlay(const PlaySnapshot& in, GameState& s);

}  // namespace korvid
