#include "vtAllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// The one piece of process state here: operator new has no object to report to.
std::atomic<uint64_t>& Allocations() {
  static std::atomic<uint64_t> count{0};
  return count;
}

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
  Allocations().fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace quellix::bench {

uint64_t AllocationCount() {
  return Allocations().load(std::memory_order_relaxed);
}

}  // namespace quellix::bench
