// The replays screen of the title: the kept games (vtKeptGames.h), newest or best first,
// each with when it was played, its difficulty, score, level and length; taking one
// watches it (vtReplayWatch.h), and the watching comes back here. A game recorded with
// other data is listed but marked, and taking it says why it cannot be watched. It also
// marks the rows of the high-score table whose game is kept: on the table a cursor
// appears once the mouse (or a controller's stick) moves, and a click on a marked row
// watches that game. While a session is recorded or replayed no kept game is shown, so
// that the session never depends on what the user folder holds.
#pragma once

#include <string>
#include <vector>

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
  // The table row under the table's cursor, -1 for none.
  int32_t TableRowAt(int32_t x, int32_t y) const;

  TReplayWatch& fWatch;
  std::vector<TKeptGame> fGames;
  bool fBestFirst = false;
  std::vector<std::string> fTableGames;
  bool fTableCursorShown = false;
  int32_t fTableX = 0, fTableY = 0;
  int32_t fMarkImage = -1, fCursorImage = -1;
};

}  // namespace quellix
