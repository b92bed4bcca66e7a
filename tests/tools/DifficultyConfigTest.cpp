// The generated configuration file: its nesting, every kind's four sections with every
// field in record order, intervals of at least 1, and a table that gets harder from
// child to hard and from level to level.
#include <gtest/gtest.h>

#include <charconv>
#include <set>

#include "DifficultyLevelPlan.h"
#include "config/vtConfigClasses.h"
#include "config/vtEnemySettings.h"

namespace quellix::testing {
namespace {

const std::vector<std::string> Sections = {"child", "easy", "medium", "hard"};

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Every kind's fields in record order, as the game's loader reads them.
std::vector<std::pair<std::string, std::vector<std::string>>> ExpectedKinds() {
  const std::vector<std::string> common = {"Initial_MaxAmount",
                                           "Initial_PercentChance",
                                           "Initial_ArmorPoints",
                                           "Initial_XSpeed",
                                           "Initial_YSpeed",
                                           "Initial_Reserves",
                                           "Inc_MaxAmount",
                                           "Inc_PercentChance",
                                           "Inc_ArmorPoints",
                                           "Inc_XSpeed",
                                           "Inc_YSpeed",
                                           "Inc_Reserves",
                                           "Inc_Reserve_Increase",
                                           "Inc_ArmorPoint_Increase",
                                           "Inc_MaxAmount_Increase",
                                           "Limit_MaxAmount",
                                           "Limit_PercentChance",
                                           "Limit_ArmorPoints",
                                           "Limit_XSpeed",
                                           "Limit_YSpeed",
                                           "Limit_Reserves",
                                           "Image",
                                           "LowImage",
                                           "HighImage",
                                           "Current_MaxAmount",
                                           "Current_PercentChance",
                                           "Current_ArmorPoints",
                                           "Current_XSpeed",
                                           "Current_YSpeed",
                                           "Current_Reserves",
                                           "Amount_Launched",
                                           "Amount_Active"};
  const std::vector<std::string> spiralShot = {"Initial_ShotChance",     "Inc_ShotChance",
                                               "Limit_ShotChance",       "Current_ShotChance",
                                               "Initial_Shot_XSpeed",    "Initial_Shot_YSpeed",
                                               "Inc_Shot_XSpeed",        "Inc_Shot_YSpeed",
                                               "Current_Shot_XSpeed",    "Current_Shot_YSpeed",
                                               "Limit_Shot_XSpeed",      "Limit_Shot_YSpeed",
                                               "Initial_Shot_MaxAmount", "Current_Shot_MaxAmount",
                                               "Limit_Shot_MaxAmount",   "Shot_Image",
                                               "Shot_LowImage",          "Shot_HighImage",
                                               "Inc_Shot_MaxAmount",     "Shots_Active"};
  const std::vector<std::string> skittish = {
      "Initial_Skittishness", "Current_Skittishness", "Inc_Skittishness",   "Limit_Skittishness",
      "Initial_BounceBack",   "inc_BounceBack",       "Current_BounceBack", "Limit_BounceBack"};
  const std::vector<std::string> shotChance = {"Initial_ShotChance", "Inc_ShotChance",
                                               "Limit_ShotChance", "Current_ShotChance"};
  const std::vector<std::string> aztekShots = {"max_shots", "Current_Shots"};
  const std::vector<std::string> final = {"active", "active_mod", "first_level_appears",
                                          "Spawn_Delay"};
  return {{"starfish", Concat({common, final})},
          {"spirals", Concat({common, spiralShot, final})},
          {"spikes", Concat({common, final})},
          {"castles", Concat({common, skittish, final})},
          {"spinners", Concat({common, final})},
          {"spikers", Concat({common, final})},
          {"flouds", Concat({common, shotChance, final})},
          {"azteks", Concat({common, shotChance, aztekShots, final})},
          {"squids", Concat({common, final})},
          {"bases", Concat({common, skittish, final})}};
}

bool IsInteger(const std::string& text) {
  int32_t v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

class DifficultyConfig : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string text = ReadText(RunDir() + "data/config.txt");
    ASSERT_FALSE(text.empty());
    Groups = ParseConfigLine(text.substr(0, text.find_first_of("\r\n")));
    for (const std::string& s : Sections) Kinds[s] = SectionNumbers(Groups, s);
  }

  int64_t Value(const std::string& section, size_t kind, const std::string& field) {
    return Kinds[section][kind].Numbers.at(field);
  }

  std::vector<TConfigGroup> Groups;
  std::map<std::string, std::vector<TKindNumbersOf>> Kinds;
};

TEST_F(DifficultyConfig, EveryKindHasFourSectionsWithEveryFieldInOrder) {
  const auto expected = ExpectedKinds();
  ASSERT_EQ(Groups.size(), expected.size());
  for (size_t k = 0; k < expected.size(); ++k) {
    const TConfigGroup& g = Groups[k];
    const auto& [name, fields] = expected[k];
    SCOPED_TRACE(name);
    EXPECT_EQ(g.Name, name);
    EXPECT_TRUE(g.HasMarker);
    EXPECT_EQ(g.VarNames, fields);
    ASSERT_EQ(g.Sections.size(), 4u);
    for (size_t s = 0; s < 4; ++s) {
      EXPECT_EQ(g.Sections[s].Name, Sections[s]);
      std::vector<std::string> names;
      for (const auto& [field, value] : g.Sections[s].Elements) {
        names.push_back(field);
        EXPECT_TRUE(IsInteger(value)) << field << " = \"" << value << "\"";
      }
      EXPECT_EQ(names, fields) << Sections[s];
    }
  }
}

// The game's own loader reads every section into the ten records without a fault.
TEST_F(DifficultyConfig, GameLoaderLoadsEverySection) {
  Tvt6ConfigurationMgr config;
  ASSERT_NO_THROW(config.LoadFromFile(RunDir() + "data/config.txt"));
  EXPECT_EQ(config.GroupCount(), 10);
  TEnemySettings settings;
  EXPECT_NO_THROW(config.LoadChild(settings));
  EXPECT_EQ(settings.StarfishSettings.Initial_Reserves, Value("child", 0, "Initial_Reserves"));
  EXPECT_NO_THROW(config.LoadEasy(settings));
  EXPECT_EQ(settings.SquidsSettings.Spawn_Delay, Value("easy", 8, "Spawn_Delay"));
  EXPECT_NO_THROW(config.LoadMedium(settings));
  EXPECT_EQ(settings.AzteksSettings.max_shots, Value("medium", 7, "max_shots"));
  EXPECT_NO_THROW(config.LoadHard(settings));
  EXPECT_EQ(settings.BasesSettings.Inc_Skittishness, Value("hard", 9, "Inc_Skittishness"));
  EXPECT_EQ(settings.SpiralsSettings.Shot_HighImage, 3);
}

TEST_F(DifficultyConfig, FileIsOneLineInTheNestedListFormat) {
  const std::string text = ReadText(RunDir() + "data/config.txt");
  EXPECT_EQ(text.find('\n'), text.size() - 1);
  // The same nesting as the format's worked example, for the first element of the file.
  EXPECT_EQ(text.rfind("\"starfish,\"\"child,\"\"\"\"Initial_MaxAmount,", 0), 0u);
}

TEST_F(DifficultyConfig, EveryIntervalIsAtLeastOne) {
  for (const std::string& s : Sections)
    for (const TKindNumbersOf& kind : Kinds[s])
      for (const auto& [field, value] : kind.Numbers) {
        const bool interval = (field.starts_with("Inc_") && !field.ends_with("_Increase")) ||
                              field == "active_mod" || field == "inc_BounceBack";
        if (interval) {
          EXPECT_GE(value, 1) << kind.Kind << " " << s << " " << field;
        }
      }
}

TEST_F(DifficultyConfig, ImageVariantsAreOneToThree) {
  for (const std::string& s : Sections)
    for (const TKindNumbersOf& kind : Kinds[s]) {
      EXPECT_EQ(kind.Numbers.at("LowImage"), 1) << kind.Kind;
      EXPECT_EQ(kind.Numbers.at("HighImage"), 3) << kind.Kind;
      if (kind.Kind == "spirals") {
        EXPECT_EQ(kind.Numbers.at("Shot_LowImage"), 1);
        EXPECT_EQ(kind.Numbers.at("Shot_HighImage"), 3);
      }
    }
}

TEST_F(DifficultyConfig, NumbersStayInPlayableRanges) {
  for (const std::string& s : Sections) {
    const auto plan = PlanLevels(Kinds[s], 30);
    for (size_t k = 0; k < Kinds[s].size(); ++k) {
      const TKindNumbersOf& kind = Kinds[s][k];
      SCOPED_TRACE(kind.Kind + " " + s);
      EXPECT_GE(kind.Numbers.at("Spawn_Delay"), 0);
      for (const auto& level : plan) {
        const auto& c = level[k].Current;
        EXPECT_GE(c.at("MaxAmount"), 1);
        EXPECT_GE(c.at("Reserves"), 1);
        EXPECT_GE(c.at("ArmorPoints"), 1);
        EXPECT_TRUE(c.at("PercentChance") >= 1 && c.at("PercentChance") <= 100);
        // Speeds in pixels a tick: moving, and never faster than a player's shot.
        EXPECT_TRUE(c.at("XSpeed") >= 1 && c.at("XSpeed") <= 12);
        EXPECT_TRUE(c.at("YSpeed") >= 1 && c.at("YSpeed") <= 12);
        if (c.contains("ShotChance")) {
          EXPECT_TRUE(c.at("ShotChance") >= 1 && c.at("ShotChance") <= 100);
        }
        if (c.contains("Skittishness")) {
          EXPECT_LE(c.at("Skittishness"), 100);
        }
      }
    }
  }
}

// Each harder section has at least the numbers of the easier one, on every level.
TEST_F(DifficultyConfig, HarderSectionsAreNeverEasierOnAnyLevel) {
  constexpr int32_t levels = 20;
  std::map<std::string, std::vector<std::vector<TKindOnLevel>>> plans;
  for (const std::string& s : Sections) plans[s] = PlanLevels(Kinds[s], levels);
  for (size_t s = 1; s < Sections.size(); ++s) {
    const std::string &easier = Sections[s - 1], &harder = Sections[s];
    for (int32_t level = 1; level <= levels; ++level) {
      const auto& a = plans[easier][static_cast<size_t>(level - 1)];
      const auto& b = plans[harder][static_cast<size_t>(level - 1)];
      int64_t enemiesA = 0, enemiesB = 0;
      for (size_t k = 0; k < a.size(); ++k) {
        SCOPED_TRACE(Kinds[easier][k].Kind + " level " + std::to_string(level) + " " + easier +
                     " vs " + harder);
        for (const auto& [value, current] : a[k].Current)
          EXPECT_LE(current, b[k].Current.at(value)) << value;
        if (a[k].Active) enemiesA += a[k].Current.at("Reserves");
        if (b[k].Active) enemiesB += b[k].Current.at("Reserves");
      }
      EXPECT_LE(enemiesA, enemiesB) << "enemies on level " << level;
    }
    for (size_t k = 0; k < Kinds[easier].size(); ++k) {
      EXPECT_GE(Value(easier, k, "first_level_appears"), Value(harder, k, "first_level_appears"))
          << Kinds[easier][k].Kind;
      EXPECT_GE(Value(easier, k, "Spawn_Delay"), Value(harder, k, "Spawn_Delay"))
          << Kinds[easier][k].Kind;
      if (Kinds[easier][k].Numbers.contains("max_shots")) {
        EXPECT_LE(Value(easier, k, "max_shots"), Value(harder, k, "max_shots"));
      }
    }
  }
}

int64_t EnemiesOn(const std::vector<TKindOnLevel>& level) {
  int64_t total = 0;
  for (const TKindOnLevel& k : level)
    if (k.Active) total += k.Current.at("Reserves");
  return total;
}

TEST_F(DifficultyConfig, SectionsDifferAndLevelsGrow) {
  int64_t lastFirst = 0, lastTenth = 0;
  for (const std::string& s : Sections) {
    SCOPED_TRACE(s);
    const auto plan = PlanLevels(Kinds[s], 10);
    EXPECT_GT(EnemiesOn(plan[0]), lastFirst);
    EXPECT_GT(EnemiesOn(plan[9]), lastTenth);
    lastFirst = EnemiesOn(plan[0]);
    lastTenth = EnemiesOn(plan[9]);
    EXPECT_GE(EnemiesOn(plan[9]), 2 * EnemiesOn(plan[0])) << "later levels are crowded";
  }
}

TEST_F(DifficultyConfig, FirstLevelsAreGentleAndEveryKindJoinsLater) {
  const std::set<std::string> heavy = {"castles", "azteks", "bases"};
  for (const std::string& s : Sections) {
    SCOPED_TRACE(s);
    const auto plan = PlanLevels(Kinds[s], 15);
    std::set<std::string> onLevelOne, seen;
    for (size_t k = 0; k < Kinds[s].size(); ++k) {
      if (plan[0][k].Active) onLevelOne.insert(Kinds[s][k].Kind);
      for (size_t level = 0; level < plan.size(); ++level)
        if (plan[level][k].Active) {
          seen.insert(Kinds[s][k].Kind);
          if (heavy.contains(Kinds[s][k].Kind)) {
            EXPECT_GE(level + 1, 5u) << Kinds[s][k].Kind;
          }
        }
    }
    EXPECT_TRUE(onLevelOne.contains("starfish"));
    EXPECT_LE(onLevelOne.size(), 3u);
    EXPECT_EQ(seen.size(), Kinds[s].size()) << "every kind appears by level 15";
  }
}

}  // namespace
}  // namespace quellix::testing
