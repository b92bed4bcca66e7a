// The generated pattern file: the patterns the game looks up, in the nested list format,
// and flight paths that start at the hole, stay on the field, loop and suit the speeds.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <map>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {
namespace {

struct TPoint {
  int32_t X = 0, Y = 0;
};

double Distance(TPoint a, TPoint b) {
  return std::hypot(a.X - b.X, a.Y - b.Y);
}
double Distance(TPoint a, double x, double y) {
  return std::hypot(a.X - x, a.Y - y);
}

int32_t ToInt(const std::string& text) {
  int32_t v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << "\"" << text << "\"";
  return v;
}

std::vector<std::pair<std::string, std::vector<TPoint>>> ReadPatterns(const std::string& line) {
  std::vector<std::pair<std::string, std::vector<TPoint>>> patterns;
  for (const std::string& patternText : Split(line)) {
    const TStringList items = Split(patternText);
    auto& [name, points] = patterns.emplace_back();
    name = items.empty() ? "" : items[0];
    for (size_t i = 1; i < items.size(); ++i) {
      const TStringList p = Split(items[i]);
      EXPECT_EQ(p.size(), 4u) << name << " point " << i;
      if (p.size() != 4) continue;
      EXPECT_EQ(ToInt(p[2]), 0);
      EXPECT_EQ(ToInt(p[3]), 0);
      points.push_back({ToInt(p[0]), ToInt(p[1])});
    }
  }
  return patterns;
}

class PatternFile : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string text = ReadText(RunDir() + "data/patterns.txt");
    ASSERT_EQ(text.find('\n'), text.size() - 1) << "one line";
    for (auto& [name, points] : ReadPatterns(text.substr(0, text.size() - 1)))
      EXPECT_TRUE(Patterns.emplace(name, points).second) << name << " twice";
  }
  std::map<std::string, std::vector<TPoint>> Patterns;
};

const std::vector<std::string> FlightPaths = {"floud1",   "floud2",   "floud3",
                                              "spinner1", "spinner2", "spinner3",
                                              "spiker1",  "spiker2",  "spiker3"};

TEST_F(PatternFile, HoldsEveryPatternTheGameLooksUp) {
  std::vector<std::string> names;
  for (const auto& [name, points] : Patterns) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"circle_50", "floud1", "floud2", "floud3", "spiker1",
                                             "spiker2", "spiker3", "spinner1", "spinner2",
                                             "spinner3", "spiral1"}));
}

TEST_F(PatternFile, FlightPathsStartAtTheHoleAndStayOnTheField) {
  for (const std::string& name : FlightPaths) {
    SCOPED_TRACE(name);
    const std::vector<TPoint>& p = Patterns[name];
    ASSERT_GE(p.size(), 60u);
    EXPECT_LE(Distance(p[0], 380, 280), 60) << "starts near the hole";
    int32_t minX = 800, maxX = 0, minY = 600, maxY = 0;
    for (const TPoint& q : p) {
      minX = std::min(minX, q.X);
      maxX = std::max(maxX, q.X);
      minY = std::min(minY, q.Y);
      maxY = std::max(maxY, q.Y);
    }
    EXPECT_GE(minX, 20);
    EXPECT_LE(maxX, 740);
    EXPECT_GE(minY, 20);
    EXPECT_LE(maxY, 500);
    // Out towards the ships: most of the field's width and height is swept.
    EXPECT_GE(maxX - minX, 500);
    EXPECT_GE(maxY - minY, 300);
  }
}

TEST_F(PatternFile, FlightPathsLoopWithEvenSteps) {
  for (const std::string& name : FlightPaths) {
    SCOPED_TRACE(name);
    const std::vector<TPoint>& p = Patterns[name];
    ASSERT_FALSE(p.empty());
    for (size_t i = 0; i < p.size(); ++i) {
      const double step = Distance(p[i], p[(i + 1) % p.size()]);  // the last step closes the loop
      EXPECT_GE(step, 6) << "at point " << i;
      EXPECT_LE(step, 16) << "at point " << i;
    }
  }
}

TEST_F(PatternFile, Circle50OrbitsAtRadius50RoundItsCentre) {
  const std::vector<TPoint>& p = Patterns["circle_50"];
  ASSERT_GE(p.size(), 24u);
  ASSERT_LE(p.size(), 36u);
  double sumX = 0, sumY = 0;
  for (const TPoint& q : p) {
    EXPECT_NEAR(Distance(q, 400, 320), 50, 1.0);
    sumX += q.X;
    sumY += q.Y;
  }
  EXPECT_NEAR(sumX / static_cast<double>(p.size()), 400, 1.0);
  EXPECT_NEAR(sumY / static_cast<double>(p.size()), 320, 1.0);
  const double step = 2 * 3.14159265 * 50 / static_cast<double>(p.size());
  for (size_t i = 0; i < p.size(); ++i)
    EXPECT_NEAR(Distance(p[i], p[(i + 1) % p.size()]), step, 1.5) << "at point " << i;
}

TEST_F(PatternFile, Spiral1OpensOutwardsAndStaysOnTheFieldWhateverTheOffset) {
  const std::vector<TPoint>& p = Patterns["spiral1"];
  ASSERT_GE(p.size(), 40u);
  EXPECT_LE(Distance(p[0], 380, 280), 5);
  // Its distance from the hole grows turn by turn: compare each quarter's farthest point.
  const size_t quarter = p.size() / 4;
  double lastReach = 0;
  for (size_t q = 0; q < 4; ++q) {
    double reach = 0;
    for (size_t i = q * quarter; i < (q + 1) * quarter; ++i)
      reach = std::max(reach, Distance(p[i], 380, 280));
    EXPECT_GT(reach, lastReach) << "quarter " << q;
    lastReach = reach;
  }
  EXPECT_GE(Distance(p.back(), 380, 280), 100);
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    // Walked at 12 pixels a tick: a point a tick, no point skipped.
    EXPECT_LE(Distance(p[i], p[i + 1]), 12);
    EXPECT_GE(Distance(p[i], p[i + 1]), 4);
  }
  // A squid's offset is up to 100 pixels either way; the spiral stays inside the field.
  for (const TPoint& q : p) {
    EXPECT_TRUE(q.X - 100 >= 20 && q.X + 100 <= 740) << q.X;
    EXPECT_TRUE(q.Y - 100 >= 20 && q.Y + 100 <= 500) << q.Y;
  }
}

}  // namespace
}  // namespace quellix::testing
