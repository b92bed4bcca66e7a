// What the difficulty table means level by level: the game's new-game reset and level
// advance applied to one section's numbers, giving each kind's values on every level and
// whether it appears. Used to check the table's design and to write its summary.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {

using TKindNumbers = std::map<std::string, int64_t>;  // field name -> value

struct TKindNumbersOf {
  std::string Kind;
  TKindNumbers Numbers;
};

struct TKindOnLevel {
  bool Active = false;
  // The Current_ values of the level (the "Current_" prefix left out), e.g. "Reserves".
  std::map<std::string, int64_t> Current;
};

// Levels 1..levels; result[level - 1][k] belongs to kinds[k].
std::vector<std::vector<TKindOnLevel>> PlanLevels(const std::vector<TKindNumbersOf>& kinds,
                                                  int32_t levels);

// One section's numbers of every kind, in the file's group order; fields that are not
// integers are left out.
std::vector<TKindNumbersOf> SectionNumbers(const std::vector<TConfigGroup>& groups,
                                           const std::string& section);

// A Markdown table per section: the kinds on each level with their enemy counts.
std::string LevelSummary(const std::vector<TConfigGroup>& groups, int32_t levels);

}  // namespace quellix::testing
