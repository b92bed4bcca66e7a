// The kept games over many games: after each is kept and the folder pruned, the folder
// holds exactly the newest fifty and the game of every row of the high-score table; a
// game whose row is pushed off the table goes once it is not among the newest. The list
// reads back each game's facts, newest first, and marks a game of other data.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "base/vtRandom.h"
#include "services/vtHighScore.h"
#include "shell/vtErrorLogger.h"
#include "shell/vtKeptGames.h"
#include "support/vtTempDir.h"

namespace quellix::testing {
namespace {

std::vector<TDataDigest> Digests() {
  std::vector<TDataDigest> data;
  uint64_t digest = 11;
  for (const std::string_view name : GameDataFiles) data.push_back({std::string(name), digest++});
  return data;
}

TReplay GameReplay(int64_t ticks) {
  TReplay replay;
  replay.Data = Digests();
  replay.Game = TGameStart{};
  TReplayInput activate;
  activate.Kind = TReplayInputKind::Activate;
  replay.Input.push_back(activate);
  TReplayInput tick;
  tick.Polled = true;
  tick.Repeat = static_cast<uint32_t>(ticks);
  replay.Input.push_back(tick);
  return replay;
}

// A game as the test remembers it: its row on the table carries its name.
struct TGameKept {
  std::string Path;
  std::string Name;
};

TEST(KeptGamesFolder, TheNewestFiftyAndTheGameOfEveryTableRowStay) {
  TTempDir dir;
  int64_t now = 1'700'000'000'000;
  int games = 0;
  // Some games end within the same second, one even at the same moment as the last.
  TKeptGames kept(dir.Dir() + "replays/", Digests,
                  [&] { return games % 4 == 0 ? now : now += 700; });
  TfrmErrorLog log([] { return std::string("stamp"); });
  Tvt6HighScoreEngine table(log);
  table.LoadDefaults();
  TRandom random(5);
  std::vector<TGameKept> model;
  int prunedOffTable = 0;
  for (; games < 130; ++games) {
    // Unique scores, so a row's game is never in doubt.
    const int32_t score = random.Random(1400) * 100 + games;
    const int32_t level = 1 + random.Random(20);
    const int32_t rank = table.FindRank(score);
    const std::string name = "game" + std::to_string(games);
    const std::string path =
        kept.Keep(GameReplay(games + 1), {kept.Now(), "normal", score, level, rank >= 0});
    model.push_back({path, name});
    if (rank >= 0) {
      const std::string pushedOff = table.Record(table.Count() - 1)->Name;
      table.InsertRecord(name, "Devuvov", rank, score, level);
      table.Delete(table.Count() - 1);
      const auto gone = std::find_if(model.begin(), model.end(),
                                     [&](const TGameKept& g) { return g.Name == pushedOff; });
      if (gone != model.end() &&
          model.end() - gone > static_cast<ptrdiff_t>(TKeptGames::KeepLatest))
        ++prunedOffTable;
    }
    kept.Prune(table);

    std::set<std::string> expected;
    for (size_t i = model.size() > TKeptGames::KeepLatest ? model.size() - TKeptGames::KeepLatest
                                                          : 0;
         i < model.size(); ++i)
      expected.insert(model[i].Path);
    for (int32_t row = 0; row < table.Count(); ++row)
      for (const TGameKept& g : model)
        if (g.Name == table.Record(row)->Name) expected.insert(g.Path);
    const std::vector<TKeptGame> listed = kept.List();
    std::set<std::string> actual;
    for (const TKeptGame& g : listed) actual.insert(g.Path);
    ASSERT_EQ(actual, expected) << "after game " << games;
    ASSERT_EQ(listed.front().Path, path) << "the newest first";
    ASSERT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](const auto& a, const auto& b) {
      return a.Recorded > b.Recorded;
    }));
  }
  EXPECT_GT(prunedOffTable, 0) << "some row's game was pushed off the table when it was old";

  const TKeptGame newest = kept.List().front();
  EXPECT_EQ(newest.Ticks, 130);
  EXPECT_EQ(newest.Difficulty, "normal");
  EXPECT_EQ(newest.Problem, "");
  EXPECT_EQ(
      std::filesystem::path(newest.Path).filename().string().substr(15),
      "-normal-" + std::to_string(newest.Score) + "-L" + std::to_string(newest.Level) + ".replay");

  // A game of other data is listed, marked; a file that is not a replay, too.
  TReplay other = GameReplay(3);
  other.Data[2].Digest = 99;
  const std::string otherPath = kept.Keep(other, {kept.Now(), "easy", 5, 1, false});
  std::filesystem::path damaged = dir.Path() / "replays" / "broken.replay";
  std::filesystem::copy_file(otherPath, damaged);
  std::filesystem::resize_file(damaged, 40);
  for (const TKeptGame& g : kept.List()) {
    if (g.Path == otherPath)
      EXPECT_EQ(g.Problem, otherPath + ": it was recorded with other game data: " +
                               std::string(GameDataFiles[2]) + " differs");
    if (g.Path == damaged.string()) EXPECT_NE(g.Problem.find("cut short"), std::string::npos);
  }
}

}  // namespace
}  // namespace quellix::testing
