// What the replay screens keep between frames: each slot's header as the
// list shows it, read from disk once when the list opens (and again after a
// save), never every frame.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvid {

inline constexpr int kReplaySlots = 20;

struct ReplaySlotSummary {
    enum Status { Missing, Broken, Present };
    Status status = Missing;
    std::string name, player, date;  // UTF-8
    std::vector<std::string> description;
    int startStage = 0, endStage = 0;
    // The game it holds, from the numbers every replay file has: the final
    // score is the counter kept at the end of its last stage.
    int difficulty = 0, character = 1;
    int practiceMode = 0;  // as the file holds it (a spell practice: 1000 + the card)
    long long finalScore = 0;
};

struct ReplaySlotList {
    bool read = false;
    std::array<ReplaySlotSummary, kReplaySlots> slots;
};

}  // namespace korvid
