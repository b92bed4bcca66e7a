#include "vtSimOptions.h"

#include <array>
#include <cstdio>
#include <span>

namespace quellix::sim {

namespace {

using TOption = TOptionRow<TSimOptions>;

constexpr uint64_t MaxCount = 1'000'000'000'000;

TPlayMode Mode(std::string_view text) {
  for (TPlayMode mode : {TPlayMode::Child, TPlayMode::Easy, TPlayMode::Normal, TPlayMode::Hard})
    if (PlayModeName(mode) == text) return mode;
  throw TUsageError("--difficulty takes child, easy, normal or hard, not \"" + std::string(text) +
                    "\"");
}

TBotKind Bot(std::string_view text) {
  for (TBotKind bot : {TBotKind::Random, TBotKind::Skilled})
    if (BotName(bot) == text) return bot;
  throw TUsageError("--bot takes random or skilled, not \"" + std::string(text) + "\"");
}

std::span<const TOption> Options() {
  static const auto options = std::to_array<TOption>({
      {"--difficulty", "MODE", "child, easy, normal (the default) or hard",
       [](TSimOptions& o, std::string_view v) { o.Mode = Mode(v); }},
      {"--bot", "BOT", "skilled (the default) or random",
       [](TSimOptions& o, std::string_view v) { o.Bot = Bot(v); }},
      {"--seed", "N", "game i (from 0) plays with seed N + i (default 1)",
       [](TSimOptions& o, std::string_view v) {
         o.Seed = OptionNumber("--seed", v, 0, UINT64_MAX - MaxCount);
       }},
      {"--games", "N", "games to play, each a fresh program start (default 1)",
       [](TSimOptions& o, std::string_view v) {
         o.Games = static_cast<int64_t>(OptionNumber("--games", v, 1, MaxCount));
       }},
      {"--max-ticks", "N", "ticks a game may last at most (default 200000)",
       [](TSimOptions& o, std::string_view v) {
         o.MaxTicks = static_cast<int64_t>(OptionNumber("--max-ticks", v, 1, MaxCount));
       }},
      {"--json", "", "one JSON object per game on stdout",
       [](TSimOptions& o, std::string_view) { o.Json = true; }},
      {"--table", "", "play --games games at every difficulty; print the difficulty page",
       [](TSimOptions& o, std::string_view) { o.Table = true; }},
      {"--jobs", "N", "games played side by side (default 1; drawing plays one)",
       [](TSimOptions& o, std::string_view v) {
         o.Jobs = static_cast<int64_t>(OptionNumber("--jobs", v, 1, 256));
       }},
      {"--draw", "", "draw every frame, as --frames does (slower)",
       [](TSimOptions& o, std::string_view) { o.Draw = true; }},
      {"--frames", "DIR", "save the screen as PNG files into DIR (it must exist)",
       [](TSimOptions& o, std::string_view v) {
         o.FramesDir = v;
         o.Draw = true;
       }},
      {"--every", "N", "with --frames: one frame every N ticks (default 25)",
       [](TSimOptions& o, std::string_view v) {
         o.FrameEvery = static_cast<int64_t>(OptionNumber("--every", v, 1, MaxCount));
       }},
      {"--data", "DIR", "the folder of the game's data (default: this build's run folder)",
       [](TSimOptions& o, std::string_view v) { o.DataDir = v; }},
      {"--record", "DIR", "record each game as DIR/gameNNN.replay (quellix --replay plays it)",
       [](TSimOptions& o, std::string_view v) { o.RecordDir = v; }},
      {"--replay", "FILE", "play a recorded session instead of the bot's games",
       [](TSimOptions& o, std::string_view v) { o.ReplayFile = v; }},
      {"--golden", "FILE", "with --replay: write what the replay comes to into FILE",
       [](TSimOptions& o, std::string_view v) { o.GoldenFile = v; }},
      {"--help", "", "show this help and exit",
       [](TSimOptions& o, std::string_view) { o.Help = true; }},
  });
  return options;
}

}  // namespace

TSimOptions ParseSimOptions(std::span<const std::string_view> args,
                            const std::string& defaultDataDir) {
  TSimOptions result;
  result.DataDir = defaultDataDir;
  ParseOptions<TSimOptions>(Options(), args, result);
  if (!result.ReplayFile.empty() && (!result.RecordDir.empty() || result.Table))
    throw TUsageError("--replay plays a recorded session: not with --record or --table");
  if (!result.GoldenFile.empty() && result.ReplayFile.empty())
    throw TUsageError("--golden needs --replay");
  return result;
}

std::string SimUsage(std::string_view program) {
  std::string text = "Usage: " + std::string(program) + " [OPTION]...\n";
  text +=
      "Plays Quellix without a window, as fast as the computer allows: a bot starts each\n"
      "game from the title screen and plays it to its end. Exit status: 0 when every game\n"
      "ran without an error in its log, 1 when one did not, 2 for a wrong option.\n\n"
      "Options:\n";
  text += OptionHelp<TSimOptions>(Options());
  return text;
}

std::string RecordPath(const TSimOptions& options, int64_t index) {
  char name[32];
  std::snprintf(name, sizeof name, "/game%03lld.replay", static_cast<long long>(index));
  return options.RecordDir + name;
}

uint64_t GameSeed(uint64_t seed, int64_t index) {
  return seed + static_cast<uint64_t>(index);
}

std::string SimCommand(const TSimOptions& options, TPlayMode mode) {
  return "quellix-sim --difficulty " + std::string(PlayModeName(mode)) + " --bot " +
         std::string(BotName(options.Bot)) + " --games " + std::to_string(options.Games) +
         " --seed " + std::to_string(options.Seed) + " --max-ticks " +
         std::to_string(options.MaxTicks);
}

}  // namespace quellix::sim
