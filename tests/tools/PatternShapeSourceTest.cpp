// The pattern sources: shapes sample to the points they describe, and a faulty source
// stops the generator with a message naming the file and line.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {
namespace {

using TPoints = std::vector<std::pair<int, int>>;

std::map<std::string, TPoints> Generate(const std::string& shapes, TCommandRun* run = nullptr) {
  TTempDir dir;
  CopyDataSources(dir.Dir());
  WriteText(dir.Dir() + "data/patterns/patterns.txt", shapes);
  const TCommandRun result = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
  if (run != nullptr) *run = result;
  std::map<std::string, TPoints> patterns;
  if (result.ExitCode != 0) return patterns;
  for (const std::string& text : Split(FirstLine(dir.Dir() + "out/data/patterns.txt"))) {
    const TStringList items = Split(text);
    TPoints& points = patterns[items.at(0)];
    for (size_t i = 1; i < items.size(); ++i) {
      const TStringList p = Split(items[i]);
      points.emplace_back(std::stoi(p.at(0)), std::stoi(p.at(1)));
    }
  }
  return patterns;
}

TEST(PatternShapeSource, ShapesSampleToTheirPoints) {
  TCommandRun run;
  auto p = Generate(
      "pattern square  # a closed polyline keeps its corners\n"
      "  polyline closed spacing 10\n"
      "  point 100 100\n  point 120 100\n  point 120 120\n  point 100 120\n"
      "pattern quad\n"
      "  circle centre 400 300 radius 100 points 4\n"
      "pattern line\n"
      "  polyline open spacing 5\n  point 10 10\n  point 30 10\n"
      "pattern backwards\n"
      "  circle centre 400 300 radius 100 points 4 start 90 anticlockwise\n"
      "pattern flower\n"
      "  rose centre 380 280 radius 100 100 petals 4 spacing 10\n"
      "pattern eight\n"
      "  lissajous centre 380 280 radius 200 100 ratio 1 2 points 40\n"
      "pattern curl\n"
      "  spiral centre 380 280 radius 100 100 turns 2 spacing 10\n"
      "pattern loop\n"
      "  spline closed spacing 8\n  point 300 200\n  point 400 250\n  point 300 300\n"
      "  point 200 250\n",
      &run);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(p["square"], (TPoints{{100, 100},
                                  {110, 100},
                                  {120, 100},
                                  {120, 110},
                                  {120, 120},
                                  {110, 120},
                                  {100, 120},
                                  {100, 110}}));
  EXPECT_EQ(p["quad"], (TPoints{{500, 300}, {400, 400}, {300, 300}, {400, 200}}));
  EXPECT_EQ(p["line"], (TPoints{{10, 10}, {15, 10}, {20, 10}, {25, 10}, {30, 10}}));
  EXPECT_EQ(p["backwards"], (TPoints{{400, 400}, {500, 300}, {400, 200}, {300, 300}}));
  EXPECT_EQ(p["flower"].front(), std::make_pair(380, 280)) << "a rose starts at its centre";
  EXPECT_EQ(p["eight"].size(), 40u);
  EXPECT_EQ(p["eight"].front(), std::make_pair(380, 280));
  EXPECT_EQ(p["curl"].front(), std::make_pair(380, 280));
  EXPECT_NEAR(std::hypot(p["curl"].back().first - 380, p["curl"].back().second - 280), 100, 1.5);
  ASSERT_FALSE(p["loop"].empty());
  EXPECT_EQ(p["loop"].front(), std::make_pair(300, 200)) << "a spline runs through its points";
  for (const auto& [x, y] : p["loop"]) {
    EXPECT_TRUE(x >= 190 && x <= 410) << x;
    EXPECT_TRUE(y >= 190 && y <= 310) << y;
  }
}

struct TBadShape {
  const char* Source;
  const char* Line;     // the file position the message must name
  const char* Message;  // and a part of its text
};

TEST(PatternShapeSource, FaultsStopTheGeneratorNamingTheLine) {
  const TBadShape cases[] = {
      {"pattern a\n  square centre 1 1\n", "patterns.txt:2:", "unknown shape \"square\""},
      {"pattern a\n  circle centre 400 300 radius 50\n",
       "patterns.txt:2:", "\"points\" or \"spacing\""},
      {"pattern a\n  circle centre 400 300 radius 50 points 8 spacing 4\n",
       "patterns.txt:2:", "\"points\" or \"spacing\""},
      {"pattern a\n  circle centre 400 radius 50 points 8\n",
       "patterns.txt:2:", "\"centre\" takes 2 numbers"},
      {"pattern a\n  circle centre 400 300 radius 50 points 8 wobble 3\n",
       "patterns.txt:2:", "no key \"wobble\""},
      {"pattern a\n  rose centre 380 280 radius 100 100 petals 6 spacing 10\n",
       "patterns.txt:2:", "\"petals\""},
      {"pattern a\n  circle centre 780 300 radius 50 points 8\n",
       "patterns.txt:2:", "leaves the screen"},
      {"pattern a\n  polyline closed spacing 10\n  point 10 10\n  point x 20\n",
       "patterns.txt:4:", "\"x\" is not a number"},
      {"pattern a\n  polyline spacing 10\n  point 10 10\n  point 20 20\n",
       "patterns.txt:2:", "\"closed\" or \"open\""},
      {"pattern a\n  point 10 10\n", "patterns.txt:2:", "before the pattern's shape"},
      {"pattern a\npattern b\n  circle centre 400 300 radius 50 points 8\n",
       "patterns.txt:1:", "has no shape"},
      {"pattern a\n  circle centre 400 300 radius 50 points 8\n"
       "pattern a\n  circle centre 400 300 radius 50 points 8\n",
       "patterns.txt:3:", "already defined"},
  };
  for (const TBadShape& c : cases) {
    SCOPED_TRACE(c.Source);
    TCommandRun run;
    Generate(c.Source, &run);
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Output.find(c.Line), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find(c.Message), std::string::npos) << run.Output;
  }
}

}  // namespace
}  // namespace quellix::testing
