// Heap allocations made by the program so far. Linking this in replaces the global
// operator new with one that counts, so a benchmark can report allocations per frame.
#pragma once

#include <cstdint>

namespace quellix::bench {

uint64_t AllocationCount();

}  // namespace quellix::bench
