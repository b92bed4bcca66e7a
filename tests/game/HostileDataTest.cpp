// Every data file of the run folder, damaged in the ways files get damaged (emptied,
// cut short, overwritten with noise, numbers at the integer limits, a byte-order mark,
// other line ends, very long lines, a million lines), loaded by the real game on the
// headless back end and played for a few hundred ticks. The game either refuses with
// a log line that names the file, or plays on; no tick takes a second, and nothing is
// written over a data file. Under the asan preset every sanitizer report fails it.
#include <gtest/gtest.h>

#include <SDL.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "SilentHeadless.h"
#include "base/vtRandom.h"
#include "engine/vtEngine.h"
#include "graphics/vtArchive.h"
#include "media/vtHeadlessPlatform.h"
#include "shell/vtGame.h"
#include "shell/vtMainWindow.h"
#include "support/vtLinkedGameData.h"

namespace quellix::testing {
namespace {

namespace fs = std::filesystem;
using TDamage = std::function<std::string(const std::string& original)>;

constexpr int PlayTicks = 300;
// A guard against a tick that hangs, not a speed target (bench/ has those): a tick that
// takes a million-row table along is several times slower under AddressSanitizer.
#ifdef __SANITIZE_ADDRESS__
constexpr auto TickLimit = std::chrono::seconds(5);
#else
constexpr auto TickLimit = std::chrono::seconds(1);
#endif

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// ---- Damages ------------------------------------------------------------------------

std::string Noise(size_t size) {
  TRandom random(99);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random.Random(256));
  return bytes;
}

std::string EveryNumberAt(const std::string& text, const char* limit) {
  return std::regex_replace(text, std::regex("-?[0-9]+"), limit);
}

std::string LineEnds(const std::string& text, const char* end) {
  return std::regex_replace(text, std::regex("\r\n|\r|\n"), end);
}

// A first line a megabyte longer, and a line of four megabytes after it.
std::string LongLines(const std::string& text) {
  const size_t firstEnd = std::min(text.find_first_of("\r\n"), text.size());
  const std::string items = "," + std::string(1 << 20, '7');
  return text.substr(0, firstEnd) + items + "\r\n" + std::string(4 << 20, 'x') + "\r\n" +
         text.substr(firstEnd);
}

// A million more lines of the kind the file holds.
std::string MillionLines(const std::string& text, const std::string& head,
                         const std::string& line) {
  std::string out = text + "\r\n" + head;
  out.reserve(out.size() + 1000000 * (line.size() + 2));
  for (int i = 0; i < 1000000; ++i) out += line + "\r\n";
  return out;
}

// The archive rebuilt with every number of every item at the limit.
std::string ArchiveAtTheLimits(const std::string& bytes, TArchiveKind kind) {
  const TArchive archive =
      ParseArchive(std::vector<uint8_t>(bytes.begin(), bytes.end()), kind, "original");
  TArchiveWriter writer(kind);
  for (size_t i = 0; i < archive.Entries.size(); ++i) {
    TArchiveEntry entry = archive.Entries[i];
    entry.Image.PatternWidth = entry.Image.PatternHeight = INT32_MAX;
    entry.Image.SkipWidth = entry.Image.SkipHeight = INT32_MIN;
    entry.Image.TransparentColor = UINT32_MAX;
    entry.Sound.MaxPlayingCount = INT32_MAX;
    if (kind == TArchiveKind::Images)
      writer.AddImage(entry.Image, archive.Payload(i));
    else
      writer.AddSound(entry.Sound, archive.Payload(i));
  }
  const std::vector<uint8_t> out = writer.Bytes();
  return {out.begin(), out.end()};
}

// Every frame half transparent and drawn a thousand times its size: the blended, scaled
// draw must not ask for a picture of gigabytes.
std::string HugeScales(const std::string& text) {
  return std::regex_replace(text, std::regex("\n[0-9]+,0,([0-9.]+),([0-9.]+),100,100,"),
                            "\n128,0,$1,$2,100000,100000,");
}

struct TCase {
  std::string File;  // within the run folder
  std::string Name;
  TDamage Damage;
};

std::vector<TCase> TextCases(const std::string& file, const std::string& head,
                             const std::string& line) {
  return {
      {file, "Empty", [](const std::string&) { return std::string(); }},
      {file, "Truncated", [](const std::string& t) { return t.substr(0, t.size() / 2); }},
      {file, "Noise",
       [](const std::string& t) { return Noise(std::min<size_t>(t.size(), 65536)); }},
      {file, "NumbersAtMax", [](const std::string& t) { return EveryNumberAt(t, "2147483647"); }},
      {file, "NumbersAtMin", [](const std::string& t) { return EveryNumberAt(t, "-2147483648"); }},
      {file, "ByteOrderMark", [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
      {file, "CrLf", [](const std::string& t) { return LineEnds(t, "\r\n"); }},
      {file, "Lf", [](const std::string& t) { return LineEnds(t, "\n"); }},
      {file, "LongLines", &LongLines},
      {file, "MillionLines",
       [head, line](const std::string& t) { return MillionLines(t, head, line); }},
  };
}

std::vector<TCase> ArchiveCases(const std::string& file, TArchiveKind kind) {
  return {
      {file, "Empty", [](const std::string&) { return std::string(); }},
      {file, "Truncated", [](const std::string& t) { return t.substr(0, t.size() / 2); }},
      {file, "Noise", [](const std::string& t) { return Noise(t.size()); }},
      {file, "NumbersAtTheLimits",
       [kind](const std::string& t) { return ArchiveAtTheLimits(t, kind); }},
      {file, "ByteOrderMark", [](const std::string& t) { return "\xEF\xBB\xBF" + t; }},
  };
}

const std::string DefaultTable = [] {
  std::string table;
  for (int i = 0; i < 10; ++i)
    table += "\"Vez Uzodaz\"," + std::to_string(100000 - 10000 * i) + "," + std::to_string(20 - i) +
             ",\"Master Devuvov\"\r\n";
  return table;
}();

std::vector<TCase> AllCases() {
  std::vector<TCase> cases;
  auto add = [&cases](std::vector<TCase> more) {
    cases.insert(cases.end(), more.begin(), more.end());
  };
  add(ArchiveCases("sprites.vtg", TArchiveKind::Images));
  add(ArchiveCases("sounds.vtw", TArchiveKind::Sounds));
  add(TextCases("data/quellix.txt", "[REELREC]\r\nflood\r\n[SCENEREC]\r\nlines\r\n",
                "255,0,0.5,0.5,100,100,missing,1"));
  cases.push_back({"data/quellix.txt", "HugeScales", &HugeScales});
  add(TextCases("data/patterns.txt", "", "\"zig,\"\"1,2,0,0\"\"\""));
  add(TextCases("data/config.txt", "", "\"starfish,\"\"easy,\"\"\"\"Image,1\"\"\"\"\"\"\""));
  add(TextCases("highscores.txt", "", "Ann,5000,3,Devuvov"));
  return cases;
}

std::string CaseName(const ::testing::TestParamInfo<TCase>& info) {
  std::string file = info.param.File;
  file = file.substr(file.rfind('/') + 1);
  file = std::regex_replace(file, std::regex("[^A-Za-z0-9]"), "_");
  return file + "_" + info.param.Name;
}

// ---- The run ----------------------------------------------------------------------

class HostileData : public ::testing::TestWithParam<TCase> {
 protected:
  // The damaged file replaces the data file's link; the high-score file is the
  // default table unless it is the one damaged.
  void Damage() {
    const TCase& c = GetParam();
    const fs::path run(QUELLIX_RUN_DIR);
    const std::string original =
        c.File == "highscores.txt" ? DefaultTable : ReadBytes((run / c.File).string());
    damaged = c.Damage(original);
    fs::remove(data.Dir() + c.File);
    std::ofstream(data.Dir() + c.File, std::ios::binary) << damaged;
  }

  // One tick of the game, which must not take a second.
  void Tick(TfrmMain& main) {
    const auto start = std::chrono::steady_clock::now();
    main.TimerEvent(0);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_LT(took, TickLimit) << "a tick in state " << int(main.Globals.GameState);
  }

  std::string LogText(TfrmMain& main) {
    std::string text;
    for (const std::string& line : main.ErrorLog().Lines()) text += line + "\n";
    return text;
  }

  TLinkedGameData data;
  std::string damaged;
};

TEST_P(HostileData, RefusedWithALogLineOrPlayedOn) {
  Damage();
  const TCase& c = GetParam();
  media::THeadlessPlatform platform(Silent(data.Dir()));
  TfrmMain main(platform);
  auto owned = std::make_unique<TGame>(main);
  TGame& game = *owned;
  main.AdoptGame(std::move(owned));
  try {
    main.FormActivate();
  } catch (const std::exception& e) {
    main.ApplicationException(e);
  }
  main.Random().Seed(7);

  if (main.Globals.GameState == gsLoading) {
    // Refused: the reason is in the log, naming the file.
    const std::string log = LogText(main);
    EXPECT_NE(log.find("UNHANDLED EXCEPTION"), std::string::npos) << log;
    const std::string name = c.File.substr(c.File.rfind('/') + 1);
    EXPECT_NE(log.find(name), std::string::npos) << log;
    for (int i = 0; i < 10; ++i) Tick(main);
  } else {
    ASSERT_EQ(main.Globals.GameState, gsTitle);
    EXPECT_LE(platform.Messages.size(), 2u * 4u) << "a few boxes per load of the animation file";
    // Start an easy game with the mouse; bad settings keep the title, with a log line.
    platform.SetMouse(120 - game.Title.CursorX(), 290 - game.Title.CursorY(), false);
    Tick(main);
    platform.SetMouse(0, 0, true);
    Tick(main);
    platform.SetMouse(0, 0, false);
    TRandom bot(5);
    for (int t = 0; t < PlayTicks && !HasFatalFailure(); ++t) {
      platform.SetMouse(bot.Random(41) - 20, bot.Random(41) - 20, bot.Random(10) < 8);
      if (t % 100 == 50) main.FormKeyUp(VK_SPACE);
      Tick(main);
    }
  }
  main.FormClose();

  // The data files are never written; the high-score file keeps what could be read.
  const fs::path run(QUELLIX_RUN_DIR);
  for (const char* file :
       {"sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt", "data/config.txt"}) {
    if (c.File == file)
      EXPECT_EQ(ReadBytes(data.Dir() + file), damaged) << file << " was written";
    else
      EXPECT_TRUE(ReadBytes(data.Dir() + file) == ReadBytes((run / file).string()))
          << file << " was written";
  }
}

INSTANTIATE_TEST_SUITE_P(RunFolder, HostileData, ::testing::ValuesIn(AllCases()), CaseName);

// A high-score file that cannot be read (a folder stands in its way) is refused at
// start-up and never replaced.
TEST(HostileHighScores, AFileThatCannotBeReadIsNeverReplaced) {
  TLinkedGameData data;
  fs::create_directory(data.Dir() + "highscores.txt");
  media::THeadlessPlatform platform(Silent(data.Dir()));
  TfrmMain main(platform);
  main.AdoptGame(std::make_unique<TGame>(main));
  try {
    main.FormActivate();
  } catch (const std::exception& e) {
    main.ApplicationException(e);
  }
  main.FormClose();
  EXPECT_TRUE(fs::is_directory(data.Dir() + "highscores.txt"));
  EXPECT_FALSE(fs::exists(data.Dir() + "highscores.txt.new"));
}

}  // namespace
}  // namespace quellix::testing
