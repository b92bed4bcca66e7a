// The difficulty table: one readable table per enemy kind (data/difficulty/<group>.csv,
// one row per field in record order, one column per difficulty section) turned into the
// one-line nested configuration file "data/config.txt".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/vtEnemySettings.h"
#include "tables/vtSourceLines.h"

namespace quellix::assetgen {

struct TDifficultyTable {
  std::string Group;
  std::vector<std::string> Fields;             // record order
  std::vector<std::array<int32_t, 4>> Values;  // per field: child, easy, medium, hard
};

// Checks the table against the game's field list of the kind (every field, in order,
// once), every value an integer and every interval at least 1; raises TSourceError
// naming the line.
TDifficultyTable ParseDifficultyTable(const std::vector<TSourceLine>& lines,
                                      const TEnemyKindFields& kind, const std::string& fileName);

// The configuration file's first line: per group its four sections, the marker and the
// declared field names.
std::string ConfigLine(const std::vector<TDifficultyTable>& tables);

}  // namespace quellix::assetgen
