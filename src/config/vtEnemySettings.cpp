#include "config/vtEnemySettings.h"

#include <functional>
#include <stdexcept>
#include <string>

#include "config/vtConfigClasses.h"
#include "config/vtStrToInt.h"

namespace quellix {

namespace {

// Each part names its fields once, beside the fields themselves: the loader and the
// list of names the data checker reads both come from here.
using TFieldVisitor = std::function<void(std::string_view name, int32_t& field)>;

void VisitPart(TEnemyCommonSettings& s, const TFieldVisitor& f) {
  f("Initial_MaxAmount", s.Initial_MaxAmount);
  f("Initial_PercentChance", s.Initial_PercentChance);
  f("Initial_ArmorPoints", s.Initial_ArmorPoints);
  f("Initial_XSpeed", s.Initial_XSpeed);
  f("Initial_YSpeed", s.Initial_YSpeed);
  f("Initial_Reserves", s.Initial_Reserves);
  f("Inc_MaxAmount", s.Inc_MaxAmount);
  f("Inc_PercentChance", s.Inc_PercentChance);
  f("Inc_ArmorPoints", s.Inc_ArmorPoints);
  f("Inc_XSpeed", s.Inc_XSpeed);
  f("Inc_YSpeed", s.Inc_YSpeed);
  f("Inc_Reserves", s.Inc_Reserves);
  f("Inc_Reserve_Increase", s.Inc_Reserve_Increase);
  f("Inc_ArmorPoint_Increase", s.Inc_ArmorPoint_Increase);
  f("Inc_MaxAmount_Increase", s.Inc_MaxAmount_Increase);
  f("Limit_MaxAmount", s.Limit_MaxAmount);
  f("Limit_PercentChance", s.Limit_PercentChance);
  f("Limit_ArmorPoints", s.Limit_ArmorPoints);
  f("Limit_XSpeed", s.Limit_XSpeed);
  f("Limit_YSpeed", s.Limit_YSpeed);
  f("Limit_Reserves", s.Limit_Reserves);
  f("Image", s.Image);
  f("LowImage", s.LowImage);
  f("HighImage", s.HighImage);
  f("Current_MaxAmount", s.Current_MaxAmount);
  f("Current_PercentChance", s.Current_PercentChance);
  f("Current_ArmorPoints", s.Current_ArmorPoints);
  f("Current_XSpeed", s.Current_XSpeed);
  f("Current_YSpeed", s.Current_YSpeed);
  f("Current_Reserves", s.Current_Reserves);
  f("Amount_Launched", s.Amount_Launched);
  f("Amount_Active", s.Amount_Active);
}

void VisitPart(TSpiralShotSettings& s, const TFieldVisitor& f) {
  f("Initial_ShotChance", s.Initial_ShotChance);
  f("Inc_ShotChance", s.Inc_ShotChance);
  f("Limit_ShotChance", s.Limit_ShotChance);
  f("Current_ShotChance", s.Current_ShotChance);
  f("Initial_Shot_XSpeed", s.Initial_Shot_XSpeed);
  f("Initial_Shot_YSpeed", s.Initial_Shot_YSpeed);
  f("Inc_Shot_XSpeed", s.Inc_Shot_XSpeed);
  f("Inc_Shot_YSpeed", s.Inc_Shot_YSpeed);
  f("Current_Shot_XSpeed", s.Current_Shot_XSpeed);
  f("Current_Shot_YSpeed", s.Current_Shot_YSpeed);
  f("Limit_Shot_XSpeed", s.Limit_Shot_XSpeed);
  f("Limit_Shot_YSpeed", s.Limit_Shot_YSpeed);
  f("Initial_Shot_MaxAmount", s.Initial_Shot_MaxAmount);
  f("Current_Shot_MaxAmount", s.Current_Shot_MaxAmount);
  f("Limit_Shot_MaxAmount", s.Limit_Shot_MaxAmount);
  f("Shot_Image", s.Shot_Image);
  f("Shot_LowImage", s.Shot_LowImage);
  f("Shot_HighImage", s.Shot_HighImage);
  f("Inc_Shot_MaxAmount", s.Inc_Shot_MaxAmount);
  f("Shots_Active", s.Shots_Active);
}

void VisitPart(TSkittishnessSettings& s, const TFieldVisitor& f) {
  f("Initial_Skittishness", s.Initial_Skittishness);
  f("Current_Skittishness", s.Current_Skittishness);
  f("Inc_Skittishness", s.Inc_Skittishness);
  f("Limit_Skittishness", s.Limit_Skittishness);
  f("Initial_BounceBack", s.Initial_BounceBack);
  f("inc_BounceBack", s.inc_BounceBack);
  f("Current_BounceBack", s.Current_BounceBack);
  f("Limit_BounceBack", s.Limit_BounceBack);
}

void VisitPart(TShotChanceSettings& s, const TFieldVisitor& f) {
  f("Initial_ShotChance", s.Initial_ShotChance);
  f("Inc_ShotChance", s.Inc_ShotChance);
  f("Limit_ShotChance", s.Limit_ShotChance);
  f("Current_ShotChance", s.Current_ShotChance);
}

void VisitPart(TAztekShotSettings& s, const TFieldVisitor& f) {
  f("max_shots", s.max_shots);
  f("Current_Shots", s.Current_Shots);
}

void VisitPart(TEnemyFinalSettings& s, const TFieldVisitor& f) {
  f("active", s.active);
  f("active_mod", s.active_mod);
  f("first_level_appears", s.first_level_appears);
  f("Spawn_Delay", s.Spawn_Delay);
}

template <class... Parts>
void VisitRecord(TEnemyRecord<Parts...>& record, const TFieldVisitor& f) {
  (VisitPart(static_cast<Parts&>(record), f), ...);
}

template <auto Record>
void VisitKind(TEnemySettings& settings, const TFieldVisitor& f) {
  VisitRecord(settings.*Record, f);
}

struct TEnemyKind {
  std::string_view Group;
  void (*Visit)(TEnemySettings&, const TFieldVisitor&);
};

// The kinds in loading order with their configuration groups.
constexpr TEnemyKind EnemyKinds[] = {
    {"starfish", &VisitKind<&TEnemySettings::StarfishSettings>},
    {"spirals", &VisitKind<&TEnemySettings::SpiralsSettings>},
    {"spikes", &VisitKind<&TEnemySettings::SpikesSettings>},
    {"castles", &VisitKind<&TEnemySettings::CastlesSettings>},
    {"spinners", &VisitKind<&TEnemySettings::SpinnersSettings>},
    {"spikers", &VisitKind<&TEnemySettings::SpikersSettings>},
    {"flouds", &VisitKind<&TEnemySettings::FloudsSettings>},
    {"azteks", &VisitKind<&TEnemySettings::AzteksSettings>},
    {"squids", &VisitKind<&TEnemySettings::SquidsSettings>},
    {"bases", &VisitKind<&TEnemySettings::BasesSettings>},
};

}  // namespace

std::vector<TEnemyKindFields> EnemySettingsFields() {
  std::vector<TEnemyKindFields> kinds;
  TEnemySettings scratch;
  for (const TEnemyKind& kind : EnemyKinds) {
    TEnemyKindFields& entry = kinds.emplace_back(TEnemyKindFields{kind.Group, {}});
    kind.Visit(scratch,
               [&entry](std::string_view name, int32_t&) { entry.Fields.push_back(name); });
  }
  return kinds;
}

void LoadEnemySettings(const Tvt6ConfigurationMgr& config, std::string_view section,
                       TEnemySettings& settings) {
  for (const TEnemyKind& kind : EnemyKinds) {
    kind.Visit(settings, [&](std::string_view name, int32_t& field) {
      const std::string text = config.GetValue(kind.Group, section, name);
      try {
        field = StrToInt(text);
      } catch (const std::invalid_argument& error) {
        // Parsed values are never empty, so the empty text means the value is missing.
        const std::string why = text.empty() ? std::string("value missing or empty") : error.what();
        throw std::invalid_argument("Enemy settings of group \"" + std::string(kind.Group) +
                                    "\", section \"" + std::string(section) + "\", field \"" +
                                    std::string(name) + "\": " + why);
      }
    });
  }
}

}  // namespace quellix
