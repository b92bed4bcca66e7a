// quellix-board-load: a bounded load on a board, for the tests and the benchmarks: a
// fixed number of readers and senders for a fixed time, then a line of figures. Exit
// status 1 when a request failed, 2 on a wrong option. With --make-games it makes the
// games to send instead.
#include <array>
#include <cstdio>
#include <exception>
#include <span>
#include <string>
#include <vector>

#include "shell/vtOptionTable.h"
#include "vtBoardGames.h"
#include "vtBoardLoad.h"

#ifndef QUELLIX_RUN_DIR
#define QUELLIX_RUN_DIR "."
#endif

namespace {

using quellix::OptionNumber;
using quellix::TOptionRow;
using quellix::TUsageError;
using quellix::board::TLoadPlan;

struct TLoadOptions {
  bool Help = false;
  TLoadPlan Plan;
  int MakeGames = 0;
  quellix::sim::TPlayMode Mode = quellix::sim::TPlayMode::Hard;
  std::string DataDir = QUELLIX_RUN_DIR "/";
};

quellix::sim::TPlayMode Mode(std::string_view text) {
  using quellix::sim::TPlayMode;
  for (TPlayMode mode : {TPlayMode::Child, TPlayMode::Easy, TPlayMode::Normal, TPlayMode::Hard})
    if (quellix::sim::PlayModeName(mode) == text) return mode;
  throw TUsageError("--difficulty takes child, easy, normal or hard");
}

// One game of the skilled bot, and the same game with other names typed: N games the
// board tells apart, each as costly to check as the first.
int MakeGames(const TLoadOptions& options) {
  quellix::TBoardOutbox games(options.Plan.GamesDir);
  const quellix::TBoardGame first =
      quellix::board::RecordBoardGame(options.DataDir, options.Mode, 1);
  games.Put(first);
  for (int i = 2; i <= options.MakeGames; ++i) {
    std::string name = "Skilled ";
    games.Put(quellix::board::WithTypedName(first, name += std::to_string(i)));
  }
  std::printf("%d games of score %d, level %d, in %s\n", options.MakeGames, first.Score,
              first.Level, options.Plan.GamesDir.c_str());
  return 0;
}

std::span<const TOptionRow<TLoadOptions>> Options() {
  static const auto options = std::to_array<TOptionRow<TLoadOptions>>({
      {"--help", "", "show this help and exit",
       [](TLoadOptions& o, std::string_view) { o.Help = true; }},
      {"--port", "N", "the board's port on 127.0.0.1 (default 8080)",
       [](TLoadOptions& o, std::string_view v) {
         o.Plan.Port = static_cast<int>(OptionNumber("--port", v, 1, 65535));
       }},
      {"--readers", "N", "clients reading the tables (default 8)",
       [](TLoadOptions& o, std::string_view v) {
         o.Plan.Readers = static_cast<int>(OptionNumber("--readers", v, 0, 1000));
       }},
      {"--senders", "N", "clients sending games from --games (default 1)",
       [](TLoadOptions& o, std::string_view v) {
         o.Plan.Senders = static_cast<int>(OptionNumber("--senders", v, 0, 1000));
       }},
      {"--seconds", "N", "how long the load lasts (default 10)",
       [](TLoadOptions& o, std::string_view v) {
         o.Plan.Duration = std::chrono::seconds(OptionNumber("--seconds", v, 1, 3600));
       }},
      {"--games", "DIR", "the games to send: files game-SCORE-LEVEL-DIGEST.replay",
       [](TLoadOptions& o, std::string_view v) {
         o.Plan.GamesDir = v;
         if (!o.Plan.GamesDir.ends_with('/')) o.Plan.GamesDir += '/';
       }},
      {"--make-games", "N", "record N games into --games instead (one bot game, N names)",
       [](TLoadOptions& o, std::string_view v) {
         o.MakeGames = static_cast<int>(OptionNumber("--make-games", v, 1, 999));
       }},
      {"--difficulty", "MODE", "with --make-games: child, easy, normal or hard (default)",
       [](TLoadOptions& o, std::string_view v) { o.Mode = Mode(v); }},
      {"--data", "DIR", "with --make-games: the game's data (default: the build's)",
       [](TLoadOptions& o, std::string_view v) {
         o.DataDir = v;
         if (!o.DataDir.ends_with('/')) o.DataDir += '/';
       }},
  });
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  TLoadOptions options;
  try {
    const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    quellix::ParseOptions<TLoadOptions>(Options(), args, options);
  } catch (const TUsageError& e) {
    std::fprintf(stderr, "quellix-board-load: %s\nUsage: quellix-board-load [OPTION]...\n%s",
                 e.what(), quellix::OptionHelp<TLoadOptions>(Options()).c_str());
    return 2;
  }
  if (options.Help) {
    std::printf(
        "Usage: quellix-board-load [OPTION]...\nA bounded load on a board on this machine.\n\n%s",
        quellix::OptionHelp<TLoadOptions>(Options()).c_str());
    return 0;
  }
  try {
    if (options.MakeGames > 0) return MakeGames(options);
    const quellix::board::TLoadResult result = quellix::board::RunLoad(options.Plan);
    std::printf("%s\n", result.Summary().c_str());
    return result.Failures == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quellix-board-load: %s\n", e.what());
    return 1;
  }
}
