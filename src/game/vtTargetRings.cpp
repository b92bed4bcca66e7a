#include "game/vtTargetRings.h"

#include "base/vtRandom.h"
#include "game/vtUnitSupport.h"

namespace quellix {

TRingPoint RingPoint(const TTargetRing& ring, TRandom& random) {
  TRingPoint point;
  if (EvenOdds(random)) {
    // Side bands: y in 0..378, two draws.
    point.Y = random.Random(80);
    point.Y += random.Random(300);
    point.X = EvenOdds(random) ? ring.RightX - random.Random(ring.RightSpread)
                               : ring.LeftX + random.Random(ring.LeftSpread);
  } else {
    point.X = 100 + random.Random(600);
    point.Y = EvenOdds(random) ? ring.BottomY - random.Random(ring.BottomSpread)
                               : ring.TopY + random.Random(ring.TopSpread);
  }
  return point;
}

}  // namespace quellix
