// Every game kept: a game of the skilled bot is kept in the user folder, listed on the
// replays screen and watched from the list to the very line a replay of it ends with on
// its own; watched faster, skipped level by level or stepped while paused, it comes to
// the same end, and the player's high-score table is never touched.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "engine/vtEngine.h"
#include "services/vtHighScore.h"
#include "shell/vtGame.h"
#include "shell/vtGameKeeper.h"
#include "shell/vtMainWindow.h"
#include "shell/vtReplayPlayer.h"
#include "vtCheckpoint.h"
#include "vtSimGame.h"

namespace quellix::sim {
namespace {

TGameSetup HardGame() {
  TGameSetup setup;
  setup.DataDir = QUELLIX_RUN_DIR;
  setup.Mode = TPlayMode::Hard;
  setup.Seed = 14;
  return setup;
}

// What a watching came to: the replay's closing line and the watched game's state at
// its end.
struct TWatched {
  std::string Line;
  TCheckpoint End;
  bool operator==(const TWatched&) const = default;
};

std::string LastLineStartingWith(TfrmMain& main, const std::string& prefix) {
  const auto& lines = main.ErrorLog().Lines();
  for (auto line = lines.rbegin(); line != lines.rend(); ++line)
    if (line->starts_with(prefix)) return *line;
  return "";
}

// Watches what the replays screen has started, steering it each tick, until the
// watching is over and the screen is back.
TWatched WatchToTheEnd(TfrmMain& main, const std::function<void(TReplayWatch&)>& steer = {}) {
  TReplayWatch& watch = main.Game()->Watch;
  TWatched watched;
  for (int64_t tick = 0; main.Globals.GameState == gsWatchReplay; ++tick) {
    if (tick > 100000) {
      ADD_FAILURE() << "the watching does not end";
      break;
    }
    if (steer && watch.Watching() && !watch.Player()->Done()) steer(watch);
    main.TimerEvent(0);
    if (watch.Watching() && watch.Player()->Done() && watched.End.Tick == 0)
      watched.End = TakeCheckpoint(*watch.Watched(), *watch.Watched()->Game(), watch.Tick());
  }
  watched.Line = LastLineStartingWith(main, "Replay finished: ");
  return watched;
}

TEST(KeptGames, ABotsGameIsKeptListedAndWatchedToTheEndItsReplayComesTo) {
  TSimGame game(HardGame());
  const TGameOutcome outcome = game.Play();
  ASSERT_EQ(outcome.End, TGameEnd::GameOver);
  TfrmMain& main = game.Main();
  ASSERT_NE(main.Keeper(), nullptr);
  const std::vector<TKeptGame> kept = main.Keeper()->Games().List();
  ASSERT_EQ(kept.size(), 1u);
  const TKeptGame& played = kept.front();
  EXPECT_EQ(played.Score, outcome.Score);
  EXPECT_EQ(played.Level, outcome.Level);
  EXPECT_EQ(played.Difficulty, "hard");
  EXPECT_TRUE(played.EnteredTable);
  EXPECT_EQ(played.Problem, "");
  // Play, the level texts and the game over; none of the title before or the name after.
  EXPECT_GT(played.Ticks, outcome.Stats.PlayTicks);
  EXPECT_LT(played.Ticks, outcome.Stats.Ticks);

  // Played on its own, as quellix --replay plays it.
  TGameSetup alone = HardGame();
  alone.ReplayFile = played.Path;
  const TGameOutcome replayed = TSimGame(alone).Play();
  EXPECT_EQ(replayed.End, TGameEnd::ReplayFinished);
  EXPECT_EQ(replayed.Score, outcome.Score);
  EXPECT_EQ(replayed.Level, outcome.Level);
  EXPECT_EQ(replayed.Stats.Ticks, played.Ticks);
  const std::string finished = "Replay finished: score " + std::to_string(outcome.Score) +
                               ", level " + std::to_string(outcome.Level) + ", tick " +
                               std::to_string(played.Ticks);

  // The title's replays zone lists it; Enter watches the newest.
  ASSERT_EQ(main.Globals.GameState, gsTitle);
  const Tvt6HighScoreEngine& table = *main.MainEngine()->HighScoreEngine();
  const std::string tableBefore = table.AsText();
  TfrmTitleScreen& title = main.Game()->Title;
  game.Platform().SetMouse(515 - title.CursorX(), 475 - title.CursorY(), true);
  main.TimerEvent(0);
  game.Platform().SetMouse(0, 0, false);
  main.TimerEvent(0);
  ASSERT_EQ(main.Globals.GameState, gsReplays);
  TReplaysScreen& screen = main.Game()->Replays;
  ASSERT_EQ(screen.Games().size(), 1u);
  main.FormKeyUp(VK_RETURN);
  ASSERT_EQ(main.Globals.GameState, gsWatchReplay);
  const TWatched normal = WatchToTheEnd(main);
  EXPECT_EQ(normal.Line, finished);
  EXPECT_EQ(main.Globals.GameState, gsReplays) << "back where it was started from";
  EXPECT_NE(LastLineStartingWith(main, "Watching "), "");

  // Faster, level by level, and a step at a time: the same end.
  const std::vector<std::pair<std::string, std::function<void(TReplayWatch&)>>> ways = {
      {"8x", [](TReplayWatch& w) { w.SetSpeed(8); }},
      {"2x and 4x", [](TReplayWatch& w) { w.SetSpeed(w.Tick() % 7 < 3 ? 2 : 4); }},
      {"every level skipped", [](TReplayWatch& w) { w.SkipLevel(); }},
      {"paused and stepped", [](TReplayWatch& w) {
         if (w.Tick() == 500 && !w.Paused()) w.TogglePause();
         if (w.Paused()) w.Step();
         if (w.Tick() == 560 && w.Paused()) w.TogglePause();
       }}};
  for (const auto& [name, steer] : ways) {
    ASSERT_TRUE(screen.Watch(played.Path)) << name;
    EXPECT_EQ(WatchToTheEnd(main, steer), normal) << name;
  }
  EXPECT_EQ(table.AsText(), tableBefore) << "watching never touches the table";
  EXPECT_EQ(main.Keeper()->Games().List().size(), 1u) << "and keeps no game of its own";

  // On the table, its row carries the mark, and a click on it watches the game.
  main.ShowHighScores();
  const std::vector<std::string>& rows = screen.TableGames();
  const auto row = std::find(rows.begin(), rows.end(), played.Path);
  ASSERT_NE(row, rows.end());
  main.TimerEvent(0);
  const int32_t rowTop = table.RowTop(static_cast<int32_t>(row - rows.begin()));
  game.Platform().SetMouse(200 - ScreenWidth / 2, rowTop + 5 - ScreenHeight / 2, true);
  main.TimerEvent(0);
  game.Platform().SetMouse(0, 0, false);
  main.TimerEvent(0);
  ASSERT_EQ(main.Globals.GameState, gsWatchReplay);
  EXPECT_EQ(WatchToTheEnd(main), normal);
  EXPECT_EQ(main.Globals.GameState, gsShowHighScores);
}

}  // namespace
}  // namespace quellix::sim
