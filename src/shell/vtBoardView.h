// A shared high-score board as the game's screens see it: its table for a difficulty and
// the replay of one of its games, each fetched on request and asked for again on later
// ticks, so that no tick waits for the network. The board client (src/boardlink/)
// answers; the main window has none without a board in settings.txt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quellix {

// One game of the shared table.
struct TBoardRow {
  int64_t Rank = 0;
  int64_t Id = 0;
  std::string Name;
  int32_t Score = 0;
  int32_t Level = 0;
  int64_t Ticks = 0;
  bool operator==(const TBoardRow&) const = default;
};

// Where a fetch stands.
enum class TFetchState : uint8_t { None, Waiting, Done, Failed };

struct TBoardTable {
  TFetchState State = TFetchState::None;
  std::vector<TBoardRow> Rows;
  std::string Error;  // when Failed
};

struct TBoardDownload {
  TFetchState State = TFetchState::None;
  std::string Path;   // the replay file, when Done
  std::string Error;  // when Failed
};

class IBoardView {
 public:
  virtual ~IBoardView() = default;
  // The board's address, as the log names it.
  virtual const std::string& Address() const = 0;
  // Fetches the best `limit` games of a mode ("child", "easy", "normal", "hard").
  virtual void RequestTable(const std::string& mode, int limit) = 0;
  virtual TBoardTable Table(const std::string& mode) const = 0;
  // Downloads a board game's replay into a file.
  virtual void RequestReplay(int64_t id) = 0;
  virtual TBoardDownload Replay(int64_t id) const = 0;
};

}  // namespace quellix
