#include <gtest/gtest.h>

#include <string>

#include "engine/HandleTable.h"

namespace korvid {
namespace {

TEST(HandleTable, StaleHandleNeverFindsTheSlotsNextOccupant) {
    HandleTable<std::string> table;
    const std::uint32_t old = table.insert("old");
    ASSERT_NE(old, 0u);
    EXPECT_EQ(*table.find(old), "old");
    EXPECT_TRUE(table.erase(old));
    const std::uint32_t reused = table.insert("new");
    EXPECT_EQ(reused & 0xFFFF, old & 0xFFFF);  // same slot, another generation
    EXPECT_NE(reused, old);
    EXPECT_EQ(table.find(old), nullptr);
    EXPECT_EQ(*table.find(reused), "new");
}

TEST(HandleTable, ZeroUnknownAndDoubleErasedHandlesAreHarmless) {
    HandleTable<int> table;
    const std::uint32_t h = table.insert(7);
    EXPECT_EQ(table.find(0), nullptr);
    EXPECT_EQ(table.find(0x12345678u), nullptr);
    EXPECT_TRUE(table.erase(h));
    EXPECT_FALSE(table.erase(h));
    EXPECT_FALSE(table.erase(0));
    // The slot went back on the free list only once: two inserts get two slots.
    const std::uint32_t x = table.insert(1), y = table.insert(2);
    EXPECT_NE(x & 0xFFFF, y & 0xFFFF);
    int sum = 0;
    table.forEach([&](int v) { sum += v; });
    EXPECT_EQ(sum, 3);
}

}  // namespace
}  // namespace korvid
