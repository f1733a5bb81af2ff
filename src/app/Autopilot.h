// The autopilot: plays the game from the current screen by looking ahead.
// Every few frames it takes a snapshot of play, tries each candidate key set
// (a direction or none, focused or not, always shooting) for a short
// horizon, comes back, and keeps the set that survives and scores best; the
// bomb is tried only when none survives. When only a few sets survive the
// short horizon, danger is near: those few are played again further ahead,
// so a way that merely postpones a hit loses to one that gets clear. Its
// choices depend on the play state alone, so a run is an ordinary recorded
// replay.
//
// Each chosen set was already played once from the snapshot: when it is
// then played for real, every frame must hash as it did in the look-ahead.
// A difference is a snapshot fault and is reported.
//
// The look-ahead for a choice is not left to the frame the choice is due:
// once a set is chosen, the state it leads to in the frames it is kept is
// played ahead of time, and the candidates for the next choice are tried
// from there a few at a time on each of those frames, so a window's demo
// keeps its pace. When the choice falls due the real state is checked
// against the one foreseen (their hashes), and whatever is left is tried
// then; the choices are those of looking only at the frame they are due.
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
    // Before each real frame: decides the keys the frame will see. While
    // `settling` (a --from jump or a --boss entry is still to come) it does
    // not look ahead: the look-ahead could not foresee either.
    void beforeFrame(Game& game, bool settling = false);
    // Whether game key `key` is held this frame.
    bool holds(int key) const { return (keys_ >> key) & 1; }
    // Frames whose real hash differed from the look-ahead's (0 when sound).
    int mismatches() const { return mismatches_; }
    int decisions() const { return decisions_; }
    // Lives lost and bombs chosen, by the boss pattern on at the time (slot
    // 0: no boss on, the stage's waves).
    static constexpr int kTallySlots = 100;
    const std::array<int, kTallySlots>& livesLost() const { return livesLost_; }
    const std::array<int, kTallySlots>& bombs() const { return bombs_; }
    bool seen(int slot) const { return seen_[slot] != 0; }
    // The play it was given is over: the stage handed over to another
    // screen (a practice's end) or the game stopped on its continue menu
    // (the autopilot never pauses). The run can end there.
    bool over() const { return over_; }
    bool stageCleared() const { return cleared_; }

private:
    static constexpr int kHorizon = 20;      // frames looked ahead
    static constexpr int kLongHorizon = 48;  // ... when few sets survive
    static constexpr int kFewSurvivors = 6;  // of the 18 without the bomb
    static constexpr int kInterval = 8;      // frames a choice is kept
    static constexpr int kSliceFrames = 96;  // look-ahead frames played per real frame ahead of a choice
    static constexpr int kSets = 18;         // candidates without the bomb

    struct Outcome {
        bool survived = false;
        std::int64_t value = 0;
        std::array<std::uint64_t, kInterval> hashes{};
    };

    // A choice being made: its candidates are tried one at a time from the
    // snapshot `root_`, so the work can be spread over the frames before the
    // choice falls due.
    struct Plan {
        bool open = false;       // being made ahead of its frame
        bool rootReady = false;  // root_ holds the state the choice is for
        bool complete = false;   // every candidate tried
        std::uint64_t rootHash = 0;
        int next = 0;      // the next short look: sets 0..17 without the bomb, 18..35 with it
        int longNext = 0;  // the next long look among the survivors
        bool any = false;
        std::uint32_t bestKeys = 0;
        Outcome best;
        std::array<std::uint32_t, kSets> survivors{};
        int survived = 0;
    };

    void decide(Game& game);
    int planStep(Game& game);
    void prepareAhead(Game& game);
    Outcome tryKeys(Game& game, std::uint32_t keys, int horizon);
    bool inPlay(const GameState& s) const;

    std::unique_ptr<PlaySnapshot> root_ = std::make_unique<PlaySnapshot>();
    std::unique_ptr<PlaySnapshot> chosenAt_ = std::make_unique<PlaySnapshot>();  // the state the last choice was made at
    std::unique_ptr<PlaySnapshot> real_ = std::make_unique<PlaySnapshot>();
    Plan plan_;
    std::uint32_t chosen_ = 0;  // the keys of the last choice
    std::uint32_t keys_ = 0;
    int framesLeft_ = 0;  // frames the current choice still runs
    int played_ = 0;      // frames of the current choice played so far
    bool checking_ = false;
    std::array<std::uint64_t, kInterval> expected_{};
    int mismatches_ = 0;
    int decisions_ = 0;
    int dialogueTick_ = 0;
    int lastLives_ = -1;
    bool playedOnce_ = false;
    bool over_ = false;
    bool cleared_ = false;
    std::array<int, kTallySlots> livesLost_{};
    std::array<int, kTallySlots> bombs_{};
    std::array<std::uint8_t, kTallySlots> seen_{};

    void tally(const GameState& s);
    int tallySlot(const GameState& s) const;
};

// Prints the tally, one line: for the waves and each pattern met, in
// order, "name lives/bombs", e.g. `autopilot: lost waves 0/0 p9 1/0 total 1/0`.
void PrintAutopilotTally(const Autopilot& pilot);

}  // namespace korvid
