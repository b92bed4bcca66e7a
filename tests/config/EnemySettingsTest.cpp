#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <functional>
#include <optional>

#include "config/vtCommaList.h"
#include "config/vtConfigClasses.h"
#include "config/vtEnemySettings.h"

namespace quellix {
namespace {

// What a section gives for a field: a text, or nothing to leave the element out.
using TValueOf = std::function<std::optional<std::string>(
    std::string_view group, std::string_view section, size_t index, std::string_view name)>;

// A configuration with every kind's group and the four difficulty sections, values as
// valueOf says; declared names follow the marker of every group.
Tvt6ConfigurationMgr MakeConfig(const TValueOf& valueOf, const TStringList& declared = {}) {
  TStringList groups;
  for (const TEnemyKindFields& kind : EnemySettingsFields()) {
    TStringList group{std::string(kind.Group)};
    for (std::string_view section : DifficultySections) {
      TStringList items{std::string(section)};
      for (size_t i = 0; i < kind.Fields.size(); ++i)
        if (auto value = valueOf(kind.Group, section, i, kind.Fields[i]))
          items.push_back(Join({std::string(kind.Fields[i]), *value}));
      group.push_back(Join(items));
    }
    group.emplace_back(VarNamesMarker);
    group.insert(group.end(), declared.begin(), declared.end());
    groups.push_back(Join(group));
  }
  Tvt6ConfigurationMgr config;
  config.ParseText(Join(groups));
  return config;
}

// A record's fields in declaration order: the records hold nothing but int32 fields.
template <class R>
auto FieldsOf(const R& record) {
  return std::bit_cast<std::array<int32_t, sizeof(R) / sizeof(int32_t)>>(record);
}

size_t KindIndex(std::string_view group) {
  const auto kinds = EnemySettingsFields();
  for (size_t k = 0; k < kinds.size(); ++k)
    if (kinds[k].Group == group) return k;
  return 99;
}

int32_t DifficultyIndex(std::string_view section) {
  for (size_t d = 0; d < DifficultySections.size(); ++d)
    if (DifficultySections[d] == section) return static_cast<int32_t>(d);
  return 99;
}

// Every field a distinct number: difficulty, kind and field index.
std::optional<std::string> Numbered(std::string_view group, std::string_view section, size_t index,
                                    std::string_view) {
  return std::to_string(100000 * (DifficultyIndex(section) + 1) + 1000 * KindIndex(group) + index);
}

template <class R>
void ExpectNumbered(const R& record, std::string_view group, int32_t difficulty) {
  const auto fields = FieldsOf(record);
  for (size_t i = 0; i < fields.size(); ++i)
    EXPECT_EQ(fields[i], 100000 * (difficulty + 1) + 1000 * KindIndex(group) + i)
        << group << " field " << i;
}

void ExpectAllNumbered(const TEnemySettings& s, int32_t difficulty) {
  ExpectNumbered(s.StarfishSettings, "starfish", difficulty);
  ExpectNumbered(s.SpiralsSettings, "spirals", difficulty);
  ExpectNumbered(s.SpikesSettings, "spikes", difficulty);
  ExpectNumbered(s.CastlesSettings, "castles", difficulty);
  ExpectNumbered(s.SpinnersSettings, "spinners", difficulty);
  ExpectNumbered(s.SpikersSettings, "spikers", difficulty);
  ExpectNumbered(s.FloudsSettings, "flouds", difficulty);
  ExpectNumbered(s.AzteksSettings, "azteks", difficulty);
  ExpectNumbered(s.SquidsSettings, "squids", difficulty);
  ExpectNumbered(s.BasesSettings, "bases", difficulty);
}

TEST(EnemySettingsFields, KindsInLoadOrderWithTheirFieldLists) {
  const auto kinds = EnemySettingsFields();
  const std::vector<std::pair<std::string_view, size_t>> expected = {
      {"starfish", 36}, {"spirals", 56}, {"spikes", 36}, {"castles", 44}, {"spinners", 36},
      {"spikers", 36},  {"flouds", 40},  {"azteks", 42}, {"squids", 36},  {"bases", 44}};
  ASSERT_EQ(kinds.size(), expected.size());
  for (size_t k = 0; k < kinds.size(); ++k) {
    EXPECT_EQ(kinds[k].Group, expected[k].first);
    EXPECT_EQ(kinds[k].Fields.size(), expected[k].second) << kinds[k].Group;
    EXPECT_EQ(kinds[k].Fields.front(), "Initial_MaxAmount");
    EXPECT_EQ(kinds[k].Fields[31], "Amount_Active");
    EXPECT_EQ(kinds[k].Fields.back(), "Spawn_Delay");
  }
  EXPECT_EQ(kinds[1].Fields[32], "Initial_ShotChance");
  EXPECT_EQ(kinds[1].Fields[51], "Shots_Active");
  EXPECT_EQ(kinds[3].Fields[37], "inc_BounceBack");
  EXPECT_EQ(kinds[7].Fields[36], "max_shots");
  EXPECT_EQ(kinds[7].Fields[37], "Current_Shots");
}

TEST(EnemySettingsLoad, EveryFieldLandsInItsPlaceForEveryDifficulty) {
  const Tvt6ConfigurationMgr config = MakeConfig(Numbered);
  TEnemySettings s;
  config.LoadChild(s);
  ExpectAllNumbered(s, 0);
  config.LoadEasy(s);
  ExpectAllNumbered(s, 1);
  config.LoadMedium(s);
  ExpectAllNumbered(s, 2);
  // After easy, hard leaves no trace of it.
  config.LoadHard(s);
  ExpectAllNumbered(s, 3);
  EXPECT_EQ(s.CastlesSettings.inc_BounceBack, 403037);
  EXPECT_EQ(s.AzteksSettings.Current_Shots, 407037);
}

TEST(EnemySettingsLoad, StandardIntegerConversion) {
  const auto initialMax = [](std::string text) {
    return [text](std::string_view, std::string_view, size_t,
                  std::string_view name) -> std::optional<std::string> {
      return name == "Initial_MaxAmount" ? text : "1";
    };
  };
  TEnemySettings s;
  MakeConfig(initialMax("007")).LoadEasy(s);
  EXPECT_EQ(s.StarfishSettings.Initial_MaxAmount, 7);
  MakeConfig(initialMax("-5")).LoadEasy(s);
  EXPECT_EQ(s.BasesSettings.Initial_MaxAmount, -5);
  for (const char* bad : {"7a", "0x7", "99999999999"})
    EXPECT_THROW(MakeConfig(initialMax(bad)).LoadEasy(s), std::invalid_argument) << bad;
}

Tvt6ConfigElement* FindElement(Tvt6ConfigurationMgr& config, int32_t group, int32_t section,
                               std::string_view name) {
  Tvt6ConfigValues& values = config.Group(group).Section(section);
  for (int32_t i = 0; i < values.Count(); ++i)
    if (values.Element(i).Name == name) return &values.Element(i);
  return nullptr;
}

TEST(EnemySettingsLoad, AWrongCaseNameStopsTheLoadAndTheErrorNamesIt) {
  TEnemySettings s;
  Tvt6ConfigurationMgr config = MakeConfig(Numbered);
  config.LoadChild(s);
  // The castles' easy section spells inc_BounceBack with a capital I.
  FindElement(config, 3, 1, "inc_BounceBack")->Name = "Inc_BounceBack";
  try {
    config.LoadEasy(s);
    FAIL() << "the load did not fail";
  } catch (const std::invalid_argument& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("\"castles\""), std::string::npos) << message;
    EXPECT_NE(message.find("\"easy\""), std::string::npos) << message;
    EXPECT_NE(message.find("\"inc_BounceBack\""), std::string::npos) << message;
  }
  // Fields loaded before the failure hold their new values, the rest their old ones.
  ExpectNumbered(s.StarfishSettings, "starfish", 1);
  ExpectNumbered(s.SpikesSettings, "spikes", 1);
  EXPECT_EQ(s.CastlesSettings.Initial_BounceBack, 203036);
  EXPECT_EQ(s.CastlesSettings.inc_BounceBack, 103037);
  EXPECT_EQ(s.CastlesSettings.Current_BounceBack, 103038);
  ExpectNumbered(s.SpinnersSettings, "spinners", 0);
  ExpectNumbered(s.BasesSettings, "bases", 0);
}

TEST(EnemySettingsLoad, DeclaredButMissingLoadsZeroUndeclaredAndMissingFails) {
  const auto withoutSpawnDelay = [](std::string_view group, std::string_view section, size_t index,
                                    std::string_view name) {
    return name == "Spawn_Delay" ? std::nullopt : Numbered(group, section, index, name);
  };
  TEnemySettings s;
  MakeConfig(Numbered).LoadMedium(s);
  ASSERT_NE(s.SquidsSettings.Spawn_Delay, 0);
  MakeConfig(withoutSpawnDelay, {"Spawn_Delay"}).LoadMedium(s);
  EXPECT_EQ(s.SquidsSettings.Spawn_Delay, 0);
  EXPECT_EQ(s.SquidsSettings.first_level_appears, 308034);
  EXPECT_THROW(MakeConfig(withoutSpawnDelay).LoadMedium(s), std::invalid_argument);
}

TEST(EnemySettingsLoad, AnEmptyValueTextFails) {
  TEnemySettings s;
  Tvt6ConfigurationMgr config = MakeConfig(Numbered);
  FindElement(config, 0, 3, "Initial_MaxAmount")->SetValue("");
  EXPECT_THROW(config.LoadHard(s), std::invalid_argument);
  EXPECT_EQ(s.StarfishSettings.Initial_MaxAmount, 0);
}

}  // namespace
}  // namespace quellix
