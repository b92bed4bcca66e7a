#include "vtRateLimit.h"

#include <algorithm>
#include <cmath>

namespace quellix::board {

double TRateLimit::Level(const TBucket& bucket, TClock::time_point now) const {
  const std::chrono::duration<double> since = now - bucket.Filled;
  return std::min<double>(fPerMinute, bucket.Sends + since.count() * fPerMinute / 60.0);
}

int TRateLimit::Take(const std::string& address, TClock::time_point now) {
  const std::lock_guard lock(fMutex);
  if (now - fLastSweep > std::chrono::minutes(1)) {
    std::erase_if(fBuckets,
                  [&](const auto& entry) { return Level(entry.second, now) >= fPerMinute; });
    fLastSweep = now;
  }
  const auto [found, added] = fBuckets.try_emplace(address, TBucket{double(fPerMinute), now});
  TBucket& bucket = found->second;
  const double level = Level(bucket, now);
  if (level < 1.0)
    return std::max(1, static_cast<int>(std::ceil((1.0 - level) * 60.0 / fPerMinute)));
  bucket.Sends = level - 1.0;
  bucket.Filled = now;
  return 0;
}

}  // namespace quellix::board
