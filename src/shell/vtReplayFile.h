// A recorded session: what a replay file holds and how it is written and read. The
// format (docs/replays.md) is text, one item a line: a header (format version, digests
// of the data files, the random seed, the start-up options and the high-score table
// the session started with, and for the replay of one game the state that game started
// from), then the input of the session in the order the main window got it, then a
// check value over every byte before it. Reading checks every count, length and limit;
// whatever the bytes, it gives a TReplay or a TReplayError naming the file and the line.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "graphics/vtPlatform.h"
#include "services/vtHighScore.h"
#include "shell/vtDataDigest.h"
#include "shell/vtGameStart.h"

namespace quellix {

class TReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A replay of another format version: readable only by another build of the game.
class TReplayVersionError : public TReplayError {
 public:
  using TReplayError::TReplayError;
};

enum class TReplayInputKind : uint8_t {
  Activate,      // the main window's first activation (start-up)
  KeyUp,         // a key released on the main window: Key
  MouseDown,     // a mouse button pressed on the main window: Button
  MouseUp,       // ... released: Button
  ModalText,     // text typed in the modal window: Text
  ModalKeyDown,  // a key pressed in the modal window: Key
  ModalKeyUp,    // ... released: Key
  Tick,          // timer events: Polled, DX, DY, Button0, Repeat
};

// One line of a replay's input.
struct TReplayInput {
  TReplayInputKind Kind = TReplayInputKind::Tick;
  int32_t Key = 0;
  TMouseButton Button = TMouseButton::Left;
  std::string Text;
  // Whether the tick polled the mouse (a paused tick does not), and what it read.
  bool Polled = false;
  int32_t DX = 0, DY = 0;
  bool Button0 = false;
  // This many ticks in a row, all alike.
  uint32_t Repeat = 1;

  bool IsTick() const { return Kind == TReplayInputKind::Tick; }
  // Another tick that would read the same.
  bool SamePoll(const TReplayInput& other) const {
    return IsTick() && other.IsTick() && Polled == other.Polled && DX == other.DX &&
           DY == other.DY && Button0 == other.Button0;
  }
  bool operator==(const TReplayInput&) const = default;
};

struct TReplay {
  // Version 1: a session from program start. Version 2 adds the state a game started
  // from, for the replay of one game; a session is still written as version 1.
  static constexpr int32_t FirstVersion = 1;
  static constexpr int32_t LatestVersion = 2;

  // Limits, kept by writing and checked by reading.
  static constexpr size_t MaxFileBytes = size_t{256} << 20u;
  static constexpr size_t MaxLineBytes = size_t{64} << 10u;
  static constexpr size_t MaxOptions = 64;
  static constexpr size_t MaxOptionKeyBytes = 32;
  static constexpr size_t MaxOptionValueBytes = 256;
  static constexpr size_t MaxHighScores = 1000;
  static constexpr size_t MaxTextBytes = 1024;
  static constexpr size_t MaxInputLines = 10'000'000;
  static constexpr int64_t MaxTicks = INT32_MAX;

  // One per GameDataFiles, in that order.
  std::vector<TDataDigest> Data;
  uint64_t Seed = 0;
  // Start-up options as key=value, in the order written; keys are unique.
  std::vector<std::pair<std::string, std::string>> Options;
  std::vector<Tvt6HighScoreRecord> HighScores;
  // The replay of one game: start-up goes straight into that game, as it started.
  std::optional<TGameStart> Game;
  std::vector<TReplayInput> Input;

  // Timer events in Input.
  int64_t TickCount() const;
  // The version the replay is written in.
  int32_t Version() const { return Game ? LatestVersion : FirstVersion; }
  // The value of an option, empty when it has none.
  std::string Option(std::string_view key) const;
  bool operator==(const TReplay&) const = default;
};

// Throws TReplayError when the replay breaks a limit above or a rule of the format:
// one digest per data file, in order; valid options; repeats from 1, on ticks only.
void CheckReplay(const TReplay& replay);
// The file's text; throws TReplayError as CheckReplay does.
std::string WriteReplay(const TReplay& replay);
// Reads a replay's text; fileName names it in errors.
TReplay ReadReplay(std::string_view text, const std::string& fileName);
// Reads only the head of a replay: the version, the data digests, the seed and the
// options (what a list of replays shows); nothing after them is read or checked.
TReplay ReadReplayHead(std::string_view text, const std::string& fileName);

// Writes the file in one step (never half-written); throws std::runtime_error.
void SaveReplayFile(const std::string& path, const TReplay& replay);
// Throws TReplayError when the file cannot be read or is not a good replay.
TReplay LoadReplayFile(const std::string& path);
// The head of the file (ReadReplayHead); throws TReplayError.
TReplay LoadReplayHead(const std::string& path);

}  // namespace quellix
