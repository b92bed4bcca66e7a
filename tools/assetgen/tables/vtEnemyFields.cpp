#include "tables/vtEnemyFields.h"

namespace quellix::assetgen {

namespace {

using TFields = std::vector<std::string_view>;

const TFields& Common() {
  static const TFields fields = {"Initial_MaxAmount",
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
  return fields;
}

TFields Kind(std::initializer_list<const TFields*> parts) {
  TFields fields = Common();
  for (const TFields* part : parts) fields.insert(fields.end(), part->begin(), part->end());
  static const TFields final = {"active", "active_mod", "first_level_appears", "Spawn_Delay"};
  fields.insert(fields.end(), final.begin(), final.end());
  return fields;
}

}  // namespace

std::vector<TEnemyKindFields> EnemyKindFields() {
  static const TFields spiralShot = {"Initial_ShotChance",     "Inc_ShotChance",
                                     "Limit_ShotChance",       "Current_ShotChance",
                                     "Initial_Shot_XSpeed",    "Initial_Shot_YSpeed",
                                     "Inc_Shot_XSpeed",        "Inc_Shot_YSpeed",
                                     "Current_Shot_XSpeed",    "Current_Shot_YSpeed",
                                     "Limit_Shot_XSpeed",      "Limit_Shot_YSpeed",
                                     "Initial_Shot_MaxAmount", "Current_Shot_MaxAmount",
                                     "Limit_Shot_MaxAmount",   "Shot_Image",
                                     "Shot_LowImage",          "Shot_HighImage",
                                     "Inc_Shot_MaxAmount",     "Shots_Active"};
  static const TFields skittishness = {
      "Initial_Skittishness", "Current_Skittishness", "Inc_Skittishness",   "Limit_Skittishness",
      "Initial_BounceBack",   "inc_BounceBack",       "Current_BounceBack", "Limit_BounceBack"};
  static const TFields shotChance = {"Initial_ShotChance", "Inc_ShotChance", "Limit_ShotChance",
                                     "Current_ShotChance"};
  static const TFields aztekShots = {"max_shots", "Current_Shots"};
  return {{"starfish", Kind({})},
          {"spirals", Kind({&spiralShot})},
          {"spikes", Kind({})},
          {"castles", Kind({&skittishness})},
          {"spinners", Kind({})},
          {"spikers", Kind({})},
          {"flouds", Kind({&shotChance})},
          {"azteks", Kind({&shotChance, &aztekShots})},
          {"squids", Kind({})},
          {"bases", Kind({&skittishness})}};
}

bool IsIntervalField(std::string_view field) {
  return (field.starts_with("Inc_") && !field.ends_with("_Increase")) || field == "active_mod";
}

}  // namespace quellix::assetgen
