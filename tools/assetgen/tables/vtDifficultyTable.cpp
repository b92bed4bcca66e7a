#include "tables/vtDifficultyTable.h"

#include <algorithm>
#include <iterator>

#include "config/vtCommaList.h"

namespace quellix::assetgen {

namespace {

// An interval is a number of levels that the game divides by: every Inc_ value but the
// three _Increase steps, and active_mod. It must be at least 1.
bool IsIntervalField(std::string_view field) {
  return (field.starts_with("Inc_") && !field.ends_with("_Increase")) || field == "active_mod";
}

// The header names the columns; sections may stand in any order but each exactly once.
std::array<size_t, 4> ReadHeader(const TSourceLine& header) {
  if (header.Tokens.size() != 5 || header.Tokens[0] != "field")
    FailAt(header, "the first row must be: field, child, easy, medium, hard");
  std::array<size_t, 4> column{};
  for (size_t s = 0; s < 4; ++s) {
    const auto it = std::find(header.Tokens.begin() + 1, header.Tokens.end(),
                              std::string(DifficultySections[s]));
    if (it == header.Tokens.end())
      FailAt(header, "no column for the section \"" + std::string(DifficultySections[s]) + "\"");
    column[s] = static_cast<size_t>(it - header.Tokens.begin());
  }
  return column;
}

}  // namespace

TDifficultyTable ParseDifficultyTable(const std::vector<TSourceLine>& lines,
                                      const TEnemyKindFields& kind, const std::string& fileName) {
  if (lines.empty()) throw TSourceError(fileName + ": the table is empty");
  const std::array<size_t, 4> column = ReadHeader(lines[0]);
  TDifficultyTable table;
  table.Group = kind.Group;
  for (size_t row = 1; row < lines.size(); ++row) {
    const TSourceLine& line = lines[row];
    const size_t index = row - 1;
    if (index >= kind.Fields.size())
      FailAt(line, "\"" + line.Tokens[0] + "\" is one row too many: " + std::string(kind.Group) +
                       " has " + std::to_string(kind.Fields.size()) + " fields");
    const std::string_view expected = kind.Fields[index];
    if (line.Tokens[0] != expected)
      FailAt(line, "expected the field \"" + std::string(expected) + "\" here, not \"" +
                       line.Tokens[0] + "\" (the rows follow the record order)");
    if (line.Tokens.size() != 5)
      FailAt(line, "\"" + line.Tokens[0] + "\" needs one value per section, four in all");
    std::array<int32_t, 4> values{};
    for (size_t s = 0; s < 4; ++s) {
      values[s] = IntegerAt(line, column[s]);
      if (IsIntervalField(expected) && values[s] < 1)
        FailAt(line, "\"" + line.Tokens[0] +
                         "\" is an interval of levels and must be at least 1, "
                         "not " +
                         std::to_string(values[s]) + " in \"" + std::string(DifficultySections[s]) +
                         "\"");
    }
    table.Fields.emplace_back(expected);
    table.Values.push_back(values);
  }
  if (table.Fields.size() < kind.Fields.size())
    throw TSourceError(fileName + ": the field \"" + std::string(kind.Fields[table.Fields.size()]) +
                       "\" is missing");
  return table;
}

std::string ConfigLine(const std::vector<TDifficultyTable>& tables) {
  TStringList groups;
  for (const TDifficultyTable& t : tables) {
    TStringList group = {t.Group};
    for (size_t s = 0; s < 4; ++s) {
      TStringList section = {std::string(DifficultySections[s])};
      for (size_t f = 0; f < t.Fields.size(); ++f)
        section.push_back(Join({t.Fields[f], std::to_string(t.Values[f][s])}));
      group.push_back(Join(section));
    }
    group.emplace_back("<##VarNames##>");
    std::copy(t.Fields.begin(), t.Fields.end(), std::back_inserter(group));
    groups.push_back(Join(group));
  }
  return Join(groups);
}

}  // namespace quellix::assetgen
