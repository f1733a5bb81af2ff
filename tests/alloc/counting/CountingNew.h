// Heap allocations counted through the replaced global operator new (linked
// only into the allocation-test executables).
#pragma once

namespace korvid::test {

void CountAllocations(bool on);
// Allocations counted since the last call; resets the count.
long TakeAllocationCount();

}  // namespace korvid::test
