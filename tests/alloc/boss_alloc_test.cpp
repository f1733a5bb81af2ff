// A whole stage-1 boss fight allocates nothing per frame: from the boss
// music's start to the stage's end (four patterns, two cards, every pattern
// timing out, the interludes and the defeat), counted through the global
// operator new. Its own executable, so replacing operator new disturbs no
// other test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/BossField.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}  // namespace

// Everything this file allocates is released with free(): the pairing is ours.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t n) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace korvid {
namespace {

TEST(BossAllocations, AWholeBossFightAllocatesNothing) {
    test::BossField field(2);
    GameState& s = field.state();
    // Up to the boss music (the stream it loads is the engine's business).
    while (s.bossTimer() <= 100) field.frame();
    int frames = 0, patternsSeen = 0, lastPattern = 0;
    counting = true;
    while (s.bossActive && frames < 20000) {
        field.frame();
        ++frames;
        if (s.bossPattern() != lastPattern) {
            lastPattern = s.bossPattern();
            ++patternsSeen;
        }
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0) << "over " << frames << " frames";
    EXPECT_EQ(s.stageCleared, 1);
    EXPECT_EQ(patternsSeen, 4) << "patterns 4 to 7 all ran";
    EXPECT_GT(frames, 6000);
}

}  // namespace
}  // namespace korvid
