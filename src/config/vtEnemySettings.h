// The settings records of the ten enemy kinds: signed 32-bit numbers that drive each
// kind (starting values, growth intervals and steps, limits, image variants, counters
// on the current level, and when the kind appears). Each field is named after its
// configuration value, case included, and the fields stand in loading order. The
// records are filled from a difficulty's section of the configuration at every game
// start; one loader, driven by the kinds' field lists, does all ten.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quellix {

class Tvt6ConfigurationMgr;

// Every kind starts with these 32.
struct TEnemyCommonSettings {
  int32_t Initial_MaxAmount = 0;
  int32_t Initial_PercentChance = 0;
  int32_t Initial_ArmorPoints = 0;
  int32_t Initial_XSpeed = 0;
  int32_t Initial_YSpeed = 0;
  int32_t Initial_Reserves = 0;
  int32_t Inc_MaxAmount = 0;
  int32_t Inc_PercentChance = 0;
  int32_t Inc_ArmorPoints = 0;
  int32_t Inc_XSpeed = 0;
  int32_t Inc_YSpeed = 0;
  int32_t Inc_Reserves = 0;
  int32_t Inc_Reserve_Increase = 0;
  int32_t Inc_ArmorPoint_Increase = 0;
  int32_t Inc_MaxAmount_Increase = 0;
  int32_t Limit_MaxAmount = 0;
  int32_t Limit_PercentChance = 0;
  int32_t Limit_ArmorPoints = 0;
  int32_t Limit_XSpeed = 0;
  int32_t Limit_YSpeed = 0;
  int32_t Limit_Reserves = 0;
  int32_t Image = 0;
  int32_t LowImage = 0;
  int32_t HighImage = 0;
  int32_t Current_MaxAmount = 0;
  int32_t Current_PercentChance = 0;
  int32_t Current_ArmorPoints = 0;
  int32_t Current_XSpeed = 0;
  int32_t Current_YSpeed = 0;
  int32_t Current_Reserves = 0;
  int32_t Amount_Launched = 0;
  int32_t Amount_Active = 0;
};

// Spirals: their shots.
struct TSpiralShotSettings {
  int32_t Initial_ShotChance = 0;
  int32_t Inc_ShotChance = 0;
  int32_t Limit_ShotChance = 0;
  int32_t Current_ShotChance = 0;
  int32_t Initial_Shot_XSpeed = 0;
  int32_t Initial_Shot_YSpeed = 0;
  int32_t Inc_Shot_XSpeed = 0;
  int32_t Inc_Shot_YSpeed = 0;
  int32_t Current_Shot_XSpeed = 0;
  int32_t Current_Shot_YSpeed = 0;
  int32_t Limit_Shot_XSpeed = 0;
  int32_t Limit_Shot_YSpeed = 0;
  int32_t Initial_Shot_MaxAmount = 0;
  int32_t Current_Shot_MaxAmount = 0;
  int32_t Limit_Shot_MaxAmount = 0;
  int32_t Shot_Image = 0;
  int32_t Shot_LowImage = 0;
  int32_t Shot_HighImage = 0;
  int32_t Inc_Shot_MaxAmount = 0;
  int32_t Shots_Active = 0;
};

// Castles and bases: how often they shy away, and their bounce.
struct TSkittishnessSettings {
  int32_t Initial_Skittishness = 0;
  int32_t Current_Skittishness = 0;
  int32_t Inc_Skittishness = 0;
  int32_t Limit_Skittishness = 0;
  int32_t Initial_BounceBack = 0;
  int32_t inc_BounceBack = 0;  // lower-case i, as the configuration names it
  int32_t Current_BounceBack = 0;
  int32_t Limit_BounceBack = 0;
};

// Flouds and azteks: how often they fire.
struct TShotChanceSettings {
  int32_t Initial_ShotChance = 0;
  int32_t Inc_ShotChance = 0;
  int32_t Limit_ShotChance = 0;
  int32_t Current_ShotChance = 0;
};

// Azteks: their shots alive at once.
struct TAztekShotSettings {
  int32_t max_shots = 0;
  int32_t Current_Shots = 0;
};

// Every kind ends with these 4.
struct TEnemyFinalSettings {
  int32_t active = 0;
  int32_t active_mod = 0;
  int32_t first_level_appears = 0;
  int32_t Spawn_Delay = 0;
};

// A kind's record: its parts in field order, so game code reads every field by name
// and can treat any record as its TEnemyCommonSettings.
template <class... Parts>
struct TEnemyRecord : Parts... {};

using TCommonRecord = TEnemyRecord<TEnemyCommonSettings, TEnemyFinalSettings>;
using TStarfishSettings = TCommonRecord;
using TSpiralsSettings =
    TEnemyRecord<TEnemyCommonSettings, TSpiralShotSettings, TEnemyFinalSettings>;
using TSpikesSettings = TCommonRecord;
using TCastlesSettings =
    TEnemyRecord<TEnemyCommonSettings, TSkittishnessSettings, TEnemyFinalSettings>;
using TSpinnersSettings = TCommonRecord;
using TSpikersSettings = TCommonRecord;
using TFloudsSettings =
    TEnemyRecord<TEnemyCommonSettings, TShotChanceSettings, TEnemyFinalSettings>;
using TAzteksSettings = TEnemyRecord<TEnemyCommonSettings, TShotChanceSettings, TAztekShotSettings,
                                     TEnemyFinalSettings>;
using TSquidsSettings = TCommonRecord;
using TBasesSettings = TCastlesSettings;

// The ten records of one game, all zero until the first load.
struct TEnemySettings {
  TStarfishSettings StarfishSettings;
  TSpiralsSettings SpiralsSettings;
  TSpikesSettings SpikesSettings;
  TCastlesSettings CastlesSettings;
  TSpinnersSettings SpinnersSettings;
  TSpikersSettings SpikersSettings;
  TFloudsSettings FloudsSettings;
  TAzteksSettings AzteksSettings;
  TSquidsSettings SquidsSettings;
  TBasesSettings BasesSettings;
};

// The difficulty sections every kind's group holds.
inline constexpr std::array<std::string_view, 4> DifficultySections = {"child", "easy", "medium",
                                                                       "hard"};

// A kind's configuration group and the names of its record's fields in record order.
struct TEnemyKindFields {
  std::string_view Group;
  std::vector<std::string_view> Fields;
};

// Every kind in loading order: starfish, spirals, spikes, castles, spinners, spikers,
// flouds, azteks, squids, bases. This is also what the configuration must supply.
std::vector<TEnemyKindFields> EnemySettingsFields();

// Loads every field of every kind from the section, in order, with StrToInt. The first
// value that is missing or not an integer stops the load with std::invalid_argument
// naming the group, section and field; fields loaded before it keep their new values.
void LoadEnemySettings(const Tvt6ConfigurationMgr& config, std::string_view section,
                       TEnemySettings& settings);

}  // namespace quellix
