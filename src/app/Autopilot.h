// The autopilot: plays the game from the current screen by looking ahead.
// Every few frames it takes a snapshot of play, tries each candidate key set
// (a direction or none, focused or not, always shooting) for a short
// horizon, comes back, and keeps the set that survives and scores best; the
// bomb is tried only when none survives. Its choices depend on the play
// state alone, so a run is an ordinary recorded replay.
//
// Each chosen set was already played once from the snapshot: when it is
// then played for real, every frame must hash as it did in the look-ahead.
// A difference is a snapshot fault and is reported.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "game/GameState.h"
#include "game/PlaySnapshot.h"

namespace korvid {

struct Game;

class Autopilot {
public:
    // Before each real frame: decides the keys the frame will see.
    void beforeFrame(Game& game);
    // Whether game key `key` is held this frame.
    bool holds(int key) const { return (keys_ >> key) & 1; }
    // Frames whose real hash differed from the look-ahead's (0 when sound).
    int mismatches() const { return mismatches_; }
    int decisions() const { return decisions_; }

private:
    static constexpr int kHorizon = 20;   // frames looked ahead
    static constexpr int kInterval = 8;   // frames a choice is kept

    struct Outcome {
        bool survived = false;
        std::int64_t value = 0;
        std::array<std::uint64_t, kInterval> hashes{};
    };

    void decide(Game& game);
    Outcome tryKeys(Game& game, std::uint32_t keys);
    bool inPlay(const GameState& s) const;

    std::unique_ptr<PlaySnapshot> snapshot_ = std::make_unique<PlaySnapshot>();
    std::uint32_t keys_ = 0;
    int framesLeft_ = 0;  // frames the current choice still runs
    int played_ = 0;      // frames of the current choice played so far
    bool checking_ = false;
    std::array<std::uint64_t, kInterval> expected_{};
    int mismatches_ = 0;
    int decisions_ = 0;
    int dialogueTick_ = 0;
};

}  // namespace korvid
