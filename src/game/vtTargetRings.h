// The rings of points that castles, bases, spirals and azteks fly to from the hole: a
// band near each edge. A point is drawn by first choosing, at even odds, the side bands
// (left or right) or the row bands (top or bottom).
#pragma once

#include <cstdint>

namespace quellix {

class TRandom;

struct TRingPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

struct TTargetRing {
  int32_t RightX, RightSpread;    // right band: RightX - Random(RightSpread)
  int32_t LeftX, LeftSpread;      // left band: LeftX + Random(LeftSpread)
  int32_t BottomY, BottomSpread;  // bottom band: BottomY - Random(BottomSpread)
  int32_t TopY, TopSpread;        // top band: TopY + Random(TopSpread)
};

// Castles, bases and spirals.
inline constexpr TTargetRing RingA{680, 40, 80, 40, 460, 40, 120, 40};
// Azteks at launch, a little further in.
inline constexpr TTargetRing RingB{630, 40, 80, 60, 420, 40, 120, 60};
// Azteks moving on from a point they reached.
inline constexpr TTargetRing RingBPrime{620, 40, 80, 60, 420, 40, 120, 60};

TRingPoint RingPoint(const TTargetRing& ring, TRandom& random);

}  // namespace quellix
