// The game's one random generator. Every random draw of the game goes through it, so a
// seed plus the input replays a game exactly. The algorithm (PCG32 with an unbiased
// bounded draw) is ours, not the standard library's, so a seed gives the same sequence
// with every compiler.
#pragma once

#include <cstdint>

namespace quellix {

// Where the generator stands in its sequence: it goes on from a state as it went on
// from the one it was taken from.
struct TRandomState {
  uint64_t State = 0;
  uint64_t Increment = 1;  // odd
  bool operator==(const TRandomState&) const = default;
};

class TRandom {
 public:
  explicit TRandom(uint64_t seed = 0) { Seed(seed); }

  void Seed(uint64_t seed);
  // Seeds from the clock; returns the seed so a run can be replayed.
  uint64_t SeedFromClock();

  // A uniform integer in 0..n-1; Random(0) and negative n give 0.
  int32_t Random(int32_t n);
  int32_t operator()(int32_t n) { return Random(n); }

  TRandomState SaveState() const { return {fState, fIncrement}; }
  void RestoreState(const TRandomState& state) {
    fState = state.State;
    fIncrement = state.Increment | 1u;
  }

 private:
  uint32_t Next();

  uint64_t fState = 0;
  uint64_t fIncrement = 0;
};

}  // namespace quellix
