#include <gtest/gtest.h>

#include <vector>

#include "stages/Timeline.h"
#include "support/TestGame.h"

namespace korvid {
namespace {

// Each cue leaves its tag and step number in the log, so order is visible.
std::vector<std::pair<int, int>>* g_log = nullptr;
void note(Game&, const CueArgs& a, int k) { g_log->emplace_back(static_cast<int>(a[0]), k); }

// A cue that moves the clock must not change which cues answer this frame.
void jump(Game& game, const CueArgs& a, int k) {
    note(game, a, k);
    game.state.stageFrame = 5000;
}

constexpr ExactCue kExact[] = {{1010, note, {1}}, {1000, note, {2}}, {1000, jump, {3}}, {1000, note, {4}}};
constexpr WindowCue kWindows[] = {{1000, 1340, 10, note, {10}}, {990, 1000, 5, note, {11}}, {1001, 1002, 1, note, {12}}};
constexpr Timeline kTimeline{kExact, kWindows};

TEST(Timeline, ExactCuesThenWindowsEachInWrittenOrder) {
    test::TestGame t;
    std::vector<std::pair<int, int>> log;
    g_log = &log;
    t.s.stageFrame = 1000;
    RunTimeline(*t.game, kTimeline);
    // Exact cues before windows, never re-sorted; the jump to 5000 by cue 3
    // does not stop cue 4 nor the windows of frame 1000.
    const std::vector<std::pair<int, int>> want{{2, 0}, {3, 0}, {4, 0}, {10, 0}, {11, 2}};
    EXPECT_EQ(log, want);
    g_log = nullptr;
}

TEST(Timeline, WindowBoundsAreInclusiveAndStepByTheirPeriod) {
    const WindowCue w{1000, 1340, 10, note};
    int fires = 0, last = -1;
    for (int f = 900; f <= 1400; ++f)
        if (WindowFires(w, f)) {
            ++fires;
            last = f;
        }
    EXPECT_EQ(fires, 35);  // 1000, 1010, ..., 1340
    EXPECT_EQ(last, 1340);
    // Truncating remainder: negative multiples count.
    const WindowCue neg{-20, -1, 4, note};
    EXPECT_TRUE(WindowFires(neg, -8));
    EXPECT_FALSE(WindowFires(neg, -6));
    EXPECT_FALSE(WindowFires(neg, 0));
}

}  // namespace
}  // namespace korvid
