// A whole stage-1 boss fight allocates nothing per frame: from the boss
// music's start to the stage's end (four patterns, two cards, every pattern
// timing out, the interludes and the defeat), counted through the global
// operator new. Its own executable, so replacing operator new disturbs no
// other test.
#include <gtest/gtest.h>

#include "alloc/counting/CountingNew.h"
#include "support/BossField.h"

namespace korvid {
namespace {

TEST(BossAllocations, AWholeBossFightAllocatesNothing) {
    test::BossField field(2);
    GameState& s = field.state();
    // Up to the boss music (the stream it loads is the engine's business).
    while (s.bossTimer() <= 100) field.frame();
    int frames = 0, patternsSeen = 0, lastPattern = 0;
    test::CountAllocations(true);
    while (s.bossActive && frames < 20000) {
        field.frame();
        ++frames;
        if (s.bossPattern() != lastPattern) {
            lastPattern = s.bossPattern();
            ++patternsSeen;
        }
    }
    test::CountAllocations(false);
    EXPECT_EQ(test::TakeAllocationCount(), 0) << "over " << frames << " frames";
    EXPECT_EQ(s.stageCleared, 1);
    EXPECT_EQ(patternsSeen, 4) << "patterns 4 to 7 all ran";
    EXPECT_GT(frames, 6000);
}

}  // namespace
}  // namespace korvid
