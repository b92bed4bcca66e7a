#include "DifficultyLevelPlan.h"

#include <algorithm>
#include <charconv>

namespace quellix::testing {

namespace {

int64_t Get(const TKindNumbers& n, const std::string& field) {
  const auto it = n.find(field);
  return it == n.end() ? 0 : it->second;
}

// The values that grow and how: the speeds are recomputed from their start, the others step.
struct TGrowth {
  const char* Value;
  const char* Interval;
  const char* Step;  // nullptr: by 1; "=Interval": by the interval itself
  bool Recompute;
};
const TGrowth Growths[] = {
    {"XSpeed", "Inc_XSpeed", nullptr, true},
    {"YSpeed", "Inc_YSpeed", nullptr, true},
    {"MaxAmount", "Inc_MaxAmount", "Inc_MaxAmount_Increase", false},
    {"PercentChance", "Inc_PercentChance", nullptr, false},
    {"ArmorPoints", "Inc_ArmorPoints", "Inc_ArmorPoint_Increase", false},
    {"Reserves", "Inc_Reserves", "Inc_Reserve_Increase", false},
    {"ShotChance", "Inc_ShotChance", nullptr, false},
    {"Shot_XSpeed", "Inc_Shot_XSpeed", nullptr, false},
    {"Shot_YSpeed", "Inc_Shot_YSpeed", nullptr, false},
    {"Skittishness", "Inc_Skittishness", "=Interval", false},
};

bool ActiveOn(const TKindNumbers& n, int64_t level) {
  const int64_t mod = Get(n, "active_mod");
  return mod > 0 && level >= Get(n, "first_level_appears") && level % mod == 0;
}

}  // namespace

std::vector<std::vector<TKindOnLevel>> PlanLevels(const std::vector<TKindNumbersOf>& kinds,
                                                  int32_t levels) {
  std::vector<std::vector<TKindOnLevel>> plan;
  std::vector<TKindOnLevel> now(kinds.size());
  for (size_t k = 0; k < kinds.size(); ++k)
    for (const TGrowth& g : Growths)
      if (kinds[k].Numbers.contains(std::string("Initial_") + g.Value))
        now[k].Current[g.Value] = Get(kinds[k].Numbers, std::string("Initial_") + g.Value);
  for (int64_t level = 1; level <= levels; ++level) {
    for (size_t k = 0; k < kinds.size(); ++k) {
      const TKindNumbers& n = kinds[k].Numbers;
      if (level > 1) {
        for (auto& [value, current] : now[k].Current) {
          const TGrowth& g = *std::find_if(std::begin(Growths), std::end(Growths),
                                           [&](const TGrowth& x) { return value == x.Value; });
          const int64_t interval = Get(n, g.Interval);
          if (interval == 0 || level % interval != 0) continue;
          if (g.Recompute)
            current = Get(n, "Initial_" + value) + level / interval;
          else
            current += g.Step == nullptr                    ? 1
                       : std::string(g.Step) == "=Interval" ? interval
                                                            : Get(n, g.Step);
          current = std::min(current, Get(n, "Limit_" + value));
        }
      }
      now[k].Active = ActiveOn(n, level);
    }
    plan.push_back(now);
  }
  return plan;
}

std::vector<TKindNumbersOf> SectionNumbers(const std::vector<TConfigGroup>& groups,
                                           const std::string& section) {
  std::vector<TKindNumbersOf> kinds;
  for (const TConfigGroup& g : groups) {
    TKindNumbersOf& kind = kinds.emplace_back();
    kind.Kind = g.Name;
    for (const TConfigSection& s : g.Sections) {
      if (s.Name != section) continue;
      for (const auto& [name, text] : s.Elements) {
        int64_t v = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (error == std::errc() && end == text.data() + text.size()) kind.Numbers.emplace(name, v);
      }
      break;
    }
  }
  return kinds;
}

std::string LevelSummary(const std::vector<TConfigGroup>& groups, int32_t levels) {
  std::string out;
  for (const char* section : {"child", "easy", "medium", "hard"}) {
    const std::vector<TKindNumbersOf> kinds = SectionNumbers(groups, section);
    const auto plan = PlanLevels(kinds, levels);
    out += std::string("**") + section + "**\n\n| Level | Enemies | Kinds (enemies of each) |\n";
    out += "| --- | --- | --- |\n";
    for (int32_t level = 1; level <= levels; ++level) {
      int64_t total = 0;
      std::string list;
      for (size_t k = 0; k < kinds.size(); ++k) {
        const TKindOnLevel& on = plan[static_cast<size_t>(level - 1)][k];
        if (!on.Active) continue;
        const int64_t count = on.Current.at("Reserves");
        total += count;
        list += (list.empty() ? "" : ", ") + kinds[k].Kind + " " + std::to_string(count);
      }
      out += "| " + std::to_string(level) + " | " + std::to_string(total) + " | " + list + " |\n";
    }
    out += "\n";
  }
  return out;
}

}  // namespace quellix::testing
