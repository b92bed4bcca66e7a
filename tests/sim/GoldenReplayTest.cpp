// The golden replays of tests/replays/: each recorded game, played back on the game as it
// is now, must come to what its .golden file says, checkpoint by checkpoint and screen by
// screen. A failure names the first checkpoint that differs and what differs; when a
// change of play is meant, scripts/golden.sh records them again.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vtGolden.h"

namespace quellix::sim {
namespace {

const std::string ReplayDir = std::string(QUELLIX_SOURCE_DIR) + "/tests/replays/";

#ifdef __EMSCRIPTEN__
// SDL built for WebAssembly blends with its portable C code instead of the x86 SIMD code
// of Debian's library, and rounds some blended pixels a few levels apart (at most 4 of
// 255 seen): the screens are drawn but only the game's checkpoints and its end are
// compared with the native game's.
constexpr bool CompareScreens = false;
#else
constexpr bool CompareScreens = true;
#endif

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The names of games.txt, in order.
std::vector<std::string> GoldenGames() {
  std::vector<std::string> names;
  std::istringstream lines(ReadText(ReplayDir + "games.txt"));
  std::string line, name;
  while (std::getline(lines, line))
    if (!line.starts_with("#") && std::istringstream(line) >> name) names.push_back(name);
  return names;
}

TEST(GoldenReplays, EachPlaysAsRecorded) {
  const std::vector<std::string> games = GoldenGames();
  ASSERT_GE(games.size(), 4u);
  for (const std::string& name : games) {
    SCOPED_TRACE(name);
    const TGolden expected = TGolden::Parse(ReadText(ReplayDir + name + ".golden"));
    ASSERT_FALSE(expected.Checkpoints.empty());
    std::vector<int64_t> screens;
    for (const TScreenShot& screen : expected.Screens) screens.push_back(screen.Tick);
    const TGolden actual = PlayGolden(ReplayDir + name + ".replay", QUELLIX_RUN_DIR, screens);
    TGolden wanted = expected;
    if (!CompareScreens) wanted.Screens.clear();
    const std::string difference = FirstDifference(actual, wanted);
    EXPECT_EQ(difference, "") << name << ".replay: " << difference;
  }
}

}  // namespace
}  // namespace quellix::sim
