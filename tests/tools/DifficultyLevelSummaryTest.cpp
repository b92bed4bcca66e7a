// The level plan (the game's reset and advance rules applied to a section) and the
// level-by-level summary in the data documentation, which must match the table.
#include <gtest/gtest.h>

#include <filesystem>

#include "DifficultyLevelPlan.h"

namespace quellix::testing {
namespace {

TKindNumbers Kind(TKindNumbers overrides) {
  TKindNumbers n = {{"Initial_MaxAmount", 2},      {"Initial_PercentChance", 5},
                    {"Initial_ArmorPoints", 1},    {"Initial_XSpeed", 2},
                    {"Initial_YSpeed", 2},         {"Initial_Reserves", 4},
                    {"Inc_MaxAmount", 100},        {"Inc_PercentChance", 100},
                    {"Inc_ArmorPoints", 100},      {"Inc_XSpeed", 100},
                    {"Inc_YSpeed", 100},           {"Inc_Reserves", 100},
                    {"Inc_Reserve_Increase", 1},   {"Inc_ArmorPoint_Increase", 1},
                    {"Inc_MaxAmount_Increase", 1}, {"Limit_MaxAmount", 99},
                    {"Limit_PercentChance", 99},   {"Limit_ArmorPoints", 99},
                    {"Limit_XSpeed", 99},          {"Limit_YSpeed", 99},
                    {"Limit_Reserves", 99},        {"active_mod", 1},
                    {"first_level_appears", 1}};
  for (const auto& [k, v] : overrides) n[k] = v;
  return n;
}

std::vector<int64_t> Track(const TKindNumbers& n, const std::string& value, int32_t levels) {
  std::vector<int64_t> out;
  for (const auto& level : PlanLevels({{"k", n}}, levels))
    out.push_back(level[0].Current.at(value));
  return out;
}

TEST(DifficultyLevelPlan, SpeedsAreRecomputedOnMultiplesOfTheirInterval) {
  // Inc_XSpeed 3 from 2: level 3 gives 2 + 1, level 6 gives 2 + 2; levels between keep it.
  EXPECT_EQ(Track(Kind({{"Inc_XSpeed", 3}}), "XSpeed", 7),
            (std::vector<int64_t>{2, 2, 3, 3, 3, 4, 4}));
  EXPECT_EQ(Track(Kind({{"Inc_YSpeed", 1}, {"Limit_YSpeed", 4}}), "YSpeed", 4),
            (std::vector<int64_t>{2, 4, 4, 4}));
}

TEST(DifficultyLevelPlan, StepsGrowToTheirLimits) {
  EXPECT_EQ(Track(Kind({{"Inc_Reserves", 2}, {"Inc_Reserve_Increase", 3}, {"Limit_Reserves", 12}}),
                  "Reserves", 8),
            (std::vector<int64_t>{4, 7, 7, 10, 10, 12, 12, 12}));
  EXPECT_EQ(Track(Kind({{"Inc_PercentChance", 1}, {"Limit_PercentChance", 7}}), "PercentChance", 4),
            (std::vector<int64_t>{5, 6, 7, 7}));
  // A start above the limit stays until the first increase brings it down to the limit.
  EXPECT_EQ(Track(Kind({{"Inc_ArmorPoints", 3}, {"Limit_ArmorPoints", 0}}), "ArmorPoints", 3),
            (std::vector<int64_t>{1, 1, 0}));
  // Skittishness steps by its own interval.
  TKindNumbers skittish =
      Kind({{"Initial_Skittishness", 1}, {"Inc_Skittishness", 3}, {"Limit_Skittishness", 8}});
  EXPECT_EQ(Track(skittish, "Skittishness", 9), (std::vector<int64_t>{1, 1, 4, 4, 4, 7, 7, 7, 8}));
}

TEST(DifficultyLevelPlan, KindsAppearFromTheirFirstLevelOnMultiplesOfActiveMod) {
  const auto plan = PlanLevels({{"k", Kind({{"active_mod", 2}, {"first_level_appears", 3}})},
                                {"never", Kind({{"active_mod", 0}})}},
                               9);
  std::vector<int32_t> active;
  for (int32_t level = 1; level <= 9; ++level) {
    if (plan[static_cast<size_t>(level - 1)][0].Active) active.push_back(level);
    EXPECT_FALSE(plan[static_cast<size_t>(level - 1)][1].Active);
  }
  EXPECT_EQ(active, (std::vector<int32_t>{4, 6, 8}));
}

std::string GroupText(const std::string& name, const TKindNumbers& numbers) {
  TStringList section = {"child"};
  for (const auto& [field, value] : numbers)
    section.push_back(Join({field, std::to_string(value)}));
  return Join({name, Join(section), "<##VarNames##>"});
}

TEST(DifficultyLevelPlan, SummaryCountsOnlyTheKindsOnEachLevel) {
  const std::string line = Join(
      {GroupText("a",
                 Kind({{"Initial_Reserves", 3}, {"Inc_Reserves", 1}, {"Inc_Reserve_Increase", 2}})),
       GroupText("b", Kind({{"Initial_Reserves", 5}, {"active_mod", 2}}))});
  const std::string summary = LevelSummary(ParseConfigLine(line), 2);
  EXPECT_NE(summary.find("| 1 | 3 | a 3 |"), std::string::npos) << summary;
  EXPECT_NE(summary.find("| 2 | 10 | a 5, b 5 |"), std::string::npos) << summary;
}

// The documentation's summary is generated from the table; when the table changes, the
// test writes the new summary beside itself for pasting into the document.
TEST(DifficultyLevelSummary, DocumentationMatchesTheTable) {
  const std::string expected =
      LevelSummary(ParseConfigLine(FirstLine(RunDir() + "data/config.txt")), 10);
  const std::string doc =
      ReadText(std::string(QUELLIX_SOURCE_DIR) + "/docs/data-sounds-patterns-difficulty.md");
  const std::string begin = "<!-- level-summary:begin -->\n", end = "<!-- level-summary:end -->";
  const size_t from = doc.find(begin), to = doc.find(end);
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);
  const std::string actual = doc.substr(from + begin.size(), to - from - begin.size());
  if (actual != expected) {
    const std::string fresh = std::filesystem::absolute("level-summary.md").string();
    WriteText(fresh, expected);
    FAIL() << "the level summary in docs/data-sounds-patterns-difficulty.md is out of date; "
              "the current one is in "
           << fresh;
  }
}

}  // namespace
}  // namespace quellix::testing
