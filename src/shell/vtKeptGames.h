// The games kept in the replays/ folder of the user folder: each one a replay of one game
// (docs/replays.md) named by the time it ended, its difficulty, score and level. The
// newest KeepLatest are kept, and besides them every game that entered the high-score
// table for as long as its row is on the table; pruning removes the rest. Every file is
// written whole or not at all.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "shell/vtDataDigest.h"
#include "shell/vtReplayFile.h"

namespace quellix {

class Tvt6HighScoreEngine;

// What a list shows of a kept game, read from its file's head.
struct TKeptGame {
  std::string Path;
  std::string FileName;
  // When the game ended, in milliseconds since 1970; the newest game has the largest.
  int64_t Recorded = 0;
  // "easy", "normal", "hard" or "child".
  std::string Difficulty;
  int32_t Score = 0;
  int32_t Level = 0;
  int64_t Ticks = 0;
  // Whether its score entered the high-score table when it ended.
  bool EnteredTable = false;
  // Why it cannot be watched here (recorded with other data, damaged), the file named
  // first as the refusal of --replay says it; empty when it can.
  std::string Problem;
};

// What the keeper knows of a game that has just ended.
struct TGameEnd {
  int64_t Recorded = 0;
  std::string Difficulty;
  int32_t Score = 0;
  int32_t Level = 0;
  bool EnteredTable = false;
};

// "2025-01-31 14:05", local time, for a list.
std::string RecordedText(int64_t milliseconds);

class TKeptGames {
 public:
  static constexpr size_t KeepLatest = 50;
  using TClock = std::function<int64_t()>;

  // folder with its trailing separator; data: the digests of the data in use, asked for
  // the first time they are needed; clock: milliseconds since 1970 (the system's when
  // none is given).
  TKeptGames(std::string folder, std::function<std::vector<TDataDigest>()> data, TClock clock = {});

  const std::string& Folder() const { return fFolder; }
  int64_t Now() const;
  // The digests of the data in use.
  const std::vector<TDataDigest>& Data();

  // Writes the replay of a game into the folder (made when missing) with the game's
  // facts among its options; the time is made later than every kept game's, so the
  // newest is always the last written. Returns the file's path; throws
  // std::runtime_error when it cannot be written.
  std::string Keep(TReplay replay, TGameEnd end);
  // Every replay in the folder, newest first. A file whose head cannot be read is
  // listed, oldest, with what is wrong.
  std::vector<TKeptGame> List();
  // Removes each kept game that is neither among the KeepLatest newest nor the game of
  // a row of the table; answers the files removed. A file that cannot be removed stays.
  std::vector<std::string> Prune(const Tvt6HighScoreEngine& table);
  // The path of each row's game, in the table's order, empty for a row without one. A
  // row's game is the newest kept game that entered the table with the row's score and
  // level and is not the game of a row above.
  static std::vector<std::string> GamesOfRows(const std::vector<TKeptGame>& games,
                                              const Tvt6HighScoreEngine& table);

  // The file name a game is kept under (before any number that tells it from another).
  static std::string FileNameOf(const TGameEnd& end);

 private:
  std::string fFolder;
  std::function<std::vector<TDataDigest>()> fDataSource;
  std::vector<TDataDigest> fData;
  TClock fClock;
  int64_t fLatest = 0;
};

}  // namespace quellix
