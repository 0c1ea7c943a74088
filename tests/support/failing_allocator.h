// The stand-in for the allocator: the unit tests' operator new can be told to
// refuse one allocation, so that every driver's answer to a refused
// allocation (message 200) can be tested.
#pragma once

#include <cstddef>

namespace test_support {

// Refuses the first allocation of at least `size` bytes from now on, once.
void refuseAllocationOfAtLeast(std::size_t size);
// Refuses the `count`-th allocation from now on (1 = the next one), once.
void refuseAllocationNumber(long count);
// Disarms the stand-in.
void allowAllocations();

}  // namespace test_support
