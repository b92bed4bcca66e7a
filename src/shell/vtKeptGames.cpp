#include "shell/vtKeptGames.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/vtFileSystem.h"
#include "services/vtHighScore.h"
#include "shell/vtReplayPlayer.h"

namespace quellix {

namespace {

constexpr std::string_view Extension = ".replay";

int64_t SystemNow() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::tm LocalTime(int64_t milliseconds) {
  const auto seconds = static_cast<std::time_t>(milliseconds / 1000);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  return local;
}

template <class T>
T NumberOf(const std::string& text) {
  T value{};
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The kept game as the file's head tells it.
TKeptGame Described(const std::filesystem::path& path, const std::vector<TDataDigest>& data) {
  TKeptGame game;
  game.Path = TextOf(path);
  game.FileName = TextOf(path.filename());
  try {
    const TReplay head = LoadReplayHead(game.Path);
    game.Recorded = NumberOf<int64_t>(head.Option("recorded"));
    game.Difficulty = head.Option("difficulty");
    game.Score = NumberOf<int32_t>(head.Option("score"));
    game.Level = NumberOf<int32_t>(head.Option("level"));
    game.Ticks = NumberOf<int64_t>(head.Option("ticks"));
    game.EnteredTable = head.Option("table") == "1";
    const std::string mismatch = ReplayMismatch(head, data);
    if (!mismatch.empty()) game.Problem = game.Path + ": " + mismatch;
  } catch (const TReplayError& e) {
    game.Problem = e.what();
  }
  return game;
}

}  // namespace

std::string RecordedText(int64_t milliseconds) {
  const std::tm local = LocalTime(milliseconds);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

TKeptGames::TKeptGames(std::string folder, std::function<std::vector<TDataDigest>()> data,
                       TClock clock)
    : fFolder(std::move(folder)), fDataSource(std::move(data)), fClock(std::move(clock)) {}

int64_t TKeptGames::Now() const {
  return fClock ? fClock() : SystemNow();
}

const std::vector<TDataDigest>& TKeptGames::Data() {
  if (fData.empty() && fDataSource) fData = fDataSource();
  return fData;
}

std::string TKeptGames::FileNameOf(const TGameEnd& end) {
  const std::tm local = LocalTime(end.Recorded);
  char stamp[32] = {};
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  return std::string(stamp) + "-" + end.Difficulty + "-" + std::to_string(end.Score) + "-L" +
         std::to_string(end.Level);
}

std::string TKeptGames::Keep(TReplay replay, TGameEnd end) {
  if (fLatest == 0)
    for (const TKeptGame& game : List()) fLatest = std::max(fLatest, game.Recorded);
  end.Recorded = std::max(end.Recorded, fLatest + 1);
  fLatest = end.Recorded;
  const std::vector<std::pair<std::string, std::string>> facts = {
      {"recorded", std::to_string(end.Recorded)},    {"difficulty", end.Difficulty},
      {"score", std::to_string(end.Score)},          {"level", std::to_string(end.Level)},
      {"ticks", std::to_string(replay.TickCount())}, {"table", end.EnteredTable ? "1" : "0"}};
  replay.Options.insert(replay.Options.end(), facts.begin(), facts.end());

  std::error_code error;
  std::filesystem::create_directories(PathOf(fFolder), error);
  const std::string base = fFolder + FileNameOf(end);
  std::string path = base + std::string(Extension);
  for (int n = 2; std::filesystem::exists(PathOf(path), error); ++n)
    path = base + "-" + std::to_string(n) + std::string(Extension);
  SaveReplayFile(path, replay);
  return path;
}

std::vector<TKeptGame> TKeptGames::List() {
  std::vector<TKeptGame> games;
  std::error_code error;
  std::filesystem::directory_iterator it(PathOf(fFolder), error);
  if (error) return games;
  const std::vector<TDataDigest>& data = Data();
  for (const std::filesystem::directory_entry& entry : it) {
    if (!entry.is_regular_file(error) || entry.path().extension() != Extension) continue;
    games.push_back(Described(entry.path(), data));
  }
  std::sort(games.begin(), games.end(), [](const TKeptGame& a, const TKeptGame& b) {
    return a.Recorded != b.Recorded ? a.Recorded > b.Recorded : a.FileName > b.FileName;
  });
  return games;
}

std::vector<std::string> TKeptGames::GamesOfRows(const std::vector<TKeptGame>& games,
                                                 const Tvt6HighScoreEngine& table) {
  std::vector<std::string> rows;
  std::vector<bool> claimed(games.size(), false);
  for (int32_t i = 0; i < table.Count(); ++i) {
    const Tvt6HighScoreRecord& record = *table.Record(i);
    std::string& path = rows.emplace_back();
    for (size_t g = 0; g < games.size(); ++g) {
      const TKeptGame& game = games[g];
      if (claimed[g] || !game.EnteredTable || game.Score != record.Score ||
          game.Level != record.Level)
        continue;
      claimed[g] = true;
      path = game.Path;
      break;
    }
  }
  return rows;
}

std::vector<std::string> TKeptGames::Prune(const Tvt6HighScoreEngine& table) {
  const std::vector<TKeptGame> games = List();
  const std::vector<std::string> rowGames = GamesOfRows(games, table);
  std::vector<std::string> removed;
  for (size_t i = KeepLatest; i < games.size(); ++i) {
    const std::string& path = games[i].Path;
    if (std::find(rowGames.begin(), rowGames.end(), path) != rowGames.end()) continue;
    if (RemoveFile(path)) removed.push_back(path);
  }
  return removed;
}

}  // namespace quellix
