// Play frames allocate nothing: 1,000 frames of a dense fight (1,500 enemy
// bullets, 100 enemies) counted through the global operator new. Its own
// executable, so replacing operator new disturbs no other test.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/CombatField.h"

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

TEST(CombatAllocations, ThousandDenseFramesAllocateNothing) {
    counting = true;  // the counter itself works
    ::operator delete(::operator new(16));
    counting = false;
    ASSERT_EQ(allocations.exchange(0), 1);

    test::CombatField field;
    for (int i = 0; i < 60; ++i) field.frame();  // buffers reach their working size first
    ASSERT_EQ(field.liveEnemies(), 100);
    counting = true;
    for (int i = 0; i < 1000; ++i) field.frame();
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(field.liveBullets(), 1400);
}

}  // namespace
}  // namespace korvid
