// Reading a game sent to the board, before anything is played: the replay of one game
// (docs/replays.md, format version 2) within the board's limits, recorded on the board's
// own data. Whatever the bytes, the answer is a submission or a refusal whose message
// says what is wrong, in words for the player.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "shell/vtDataDigest.h"
#include "shell/vtReplayFile.h"

namespace quellix::board {

struct TBoardLimits {
  // The largest replay file taken.
  size_t MaxBytes = size_t{4} << 20u;
  // The longest game taken, in ticks (25 a second): checking one game takes at most as
  // long as playing this many ticks.
  int64_t MaxTicks = 200'000;
};

// A game the board does not take; Status is the HTTP status that says so.
class TRefusal : public std::runtime_error {
 public:
  TRefusal(int status, const std::string& message) : std::runtime_error(message), fStatus(status) {}
  int Status() const { return fStatus; }

 private:
  int fStatus;
};

struct TSubmission {
  TReplay Replay;
  // Of the session itself (GameDigest): the same game sent twice has the same digest.
  uint64_t Digest = 0;
};

// Throws TRefusal: 413 over the size limit, 400 not a replay (cut short, damaged, of
// another format version), 422 a session rather than one game, recorded on other data,
// needing an option the board's game lacks, or over the tick limit.
TSubmission ReadSubmission(std::string_view body, const TBoardLimits& limits,
                           const std::vector<TDataDigest>& boardData);

// FNV-1a of the replay as written without its start-up options, which do not change
// play: the data, the seed, the starting table and every input.
uint64_t GameDigest(const TReplay& replay);

}  // namespace quellix::board
