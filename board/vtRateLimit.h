// How often one address may send a game: a bucket per address that holds up to
// `perMinute` sends and fills again at that rate. Addresses whose bucket is full again
// are forgotten, so the table stays as small as the addresses active in the last minute.
#pragma once

#include <chrono>
#include <mutex>
#include <string>
#include <unordered_map>

namespace quellix::board {

class TRateLimit {
 public:
  using TClock = std::chrono::steady_clock;

  explicit TRateLimit(int perMinute) : fPerMinute(perMinute) {}

  // Takes one send from the address's bucket: 0 when it may send now, else the seconds
  // until it may (and nothing is taken).
  int Take(const std::string& address, TClock::time_point now = TClock::now());

 private:
  struct TBucket {
    double Sends = 0;
    TClock::time_point Filled;
  };
  // The bucket as of now.
  double Level(const TBucket& bucket, TClock::time_point now) const;

  const int fPerMinute;
  std::mutex fMutex;
  std::unordered_map<std::string, TBucket> fBuckets;
  TClock::time_point fLastSweep;
};

}  // namespace quellix::board
