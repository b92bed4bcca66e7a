// The replays screen of the title: the kept games (vtKeptGames.h), newest or best first,
// each with when it was played, its difficulty, score, level and length; taking one
// watches it (vtReplayWatch.h), and the watching comes back here. A game recorded with
// other data is listed but marked, and taking it says why it cannot be watched. It also
// marks the rows of the high-score table whose game is kept: on the table a cursor
// appears once the mouse (or a controller's stick) moves, and a click on a marked row
// watches that game. While a session is recorded or replayed no kept game is shown, so
// that the session never depends on what the user folder holds.
//
// With a board set (settings.txt: board = URL), the high-score screen's second page is
// the board's table for the difficulty last played (normal before any game), fetched by
// the board client while the page shows; a click on a row downloads that game and
// watches it as a kept game is watched, coming back to this page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "services/vtHighScore.h"
#include "shell/vtBoardView.h"
#include "shell/vtKeptGames.h"
#include "shell/vtMenuScreen.h"

namespace quellix {

class TReplayWatch;

class TReplaysScreen : public TMenuScreen, public ITableGames {
 public:
  TReplaysScreen(TfrmMain& main, TfrmTitleScreen& title, TReplayWatch& watch);

  void Enter() override;
  // Watches the replay in the file and comes back to this screen; false, with the reason
  // on the screen and in the log, when it cannot be watched.
  bool Watch(const std::string& path);

  void TableShown() override;
  void TableTick() override;
  bool ShowSharedTable() override;
  bool SharedTableShown() const override { return fSharedPage; }
  // The board games shown on the shared page, best first, and the mode they are of.
  const std::vector<TBoardRow>& SharedRows() const { return fSharedRows; }
  const std::string& SharedMode() const { return fSharedMode; }
  // The games of the shared table asked for.
  static constexpr int SharedRowCount = 10;

  const std::vector<TKeptGame>& Games() const { return fGames; }
  bool BestFirst() const { return fBestFirst; }
  // The row of each kept game is the game's place in Games() plus one: the first row
  // switches the order.
  static constexpr int32_t FirstGameRow = 1;
  // The kept game of each row of the table, empty for a row without one.
  const std::vector<std::string>& TableGames() const { return fTableGames; }

 protected:
  std::vector<TMenuRow> MakeRows() override;
  void Take(int32_t row, int32_t column) override;
  std::string Hint() const override;
  void DrawMore(IDisplay& display) override;

 private:
  // The kept games, in the order chosen; none while the session is recorded or replayed.
  void LoadGames();
  void Sort();
  void Resume();
  // The row of `table`, of its first `rows`, under the table's cursor; -1 for none.
  int32_t TableRowAt(const Tvt6HighScoreEngine& table, size_t rows) const;
  // Moves the table's cursor with the mouse and draws it once it has moved; the row of
  // `table` clicked in this tick, -1 for none.
  int32_t ClickedRow(const Tvt6HighScoreEngine& table, size_t rows);
  void SharedTableTick(IBoardView& board);
  // The word below the shared table: how the fetch or the download stands.
  std::string SharedWord(const IBoardView& board, const TBoardTable& table) const;

  TReplayWatch& fWatch;
  std::vector<TKeptGame> fGames;
  bool fBestFirst = false;
  std::vector<std::string> fTableGames;
  bool fTableCursorShown = false;
  int32_t fTableX = 0, fTableY = 0;
  int32_t fMarkImage = -1, fCursorImage = -1;
  // The shared page: the board's table drawn as the player's is, the board game being
  // downloaded (0: none), and what became of the last download.
  bool fSharedPage = false;
  std::string fSharedMode;
  std::vector<TBoardRow> fSharedRows;
  Tvt6HighScoreEngine fSharedTable;
  int64_t fDownloading = 0;
  std::string fDownloadWord;
};

}  // namespace quellix
