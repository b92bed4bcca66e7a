#include "base/vtRandom.h"

#include <chrono>

namespace quellix {

void TRandom::Seed(uint64_t seed) {
  fState = 0;
  fIncrement = (seed << 1u) | 1u;
  Next();
  fState += seed;
  Next();
}

uint64_t TRandom::SeedFromClock() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count() ^
                   std::chrono::system_clock::now().time_since_epoch().count();
  const auto seed = static_cast<uint64_t>(now);
  Seed(seed);
  return seed;
}

uint32_t TRandom::Next() {
  const uint64_t old = fState;
  fState = old * 6364136223846793005ULL + fIncrement;
  const auto xorShifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const auto rot = static_cast<uint32_t>(old >> 59u);
  return (xorShifted >> rot) | (xorShifted << ((-rot) & 31u));
}

int32_t TRandom::Random(int32_t n) {
  if (n <= 0) return 0;
  const auto bound = static_cast<uint32_t>(n);
  // Lemire's multiply-and-reject: uniform without a modulo bias.
  uint64_t product = uint64_t{Next()} * bound;
  auto low = static_cast<uint32_t>(product);
  if (low < bound) {
    const uint32_t threshold = (0u - bound) % bound;
    while (low < threshold) {
      product = uint64_t{Next()} * bound;
      low = static_cast<uint32_t>(product);
    }
  }
  return static_cast<int32_t>(product >> 32u);
}

}  // namespace quellix
