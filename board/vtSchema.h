// The board's database schema, one numbered step at a time: the files of
// board/schema/<back end>/ (NNNN-what.sql), built into the program. A store applies at
// start-up, in order and in one transaction, the steps its database has not had, noting
// each number in schema_versions; a database newer than the program is refused.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quellix::board {

struct TSchemaStep {
  int Version = 0;
  std::string_view Name;  // the file's name
  std::string_view Sql;
};

// The steps a database of a back end ("sqlite" or "postgresql") at version `current`
// lacks, in order; throws TStoreError when it is of a later version than the program's.
std::vector<TSchemaStep> MissingSchemaSteps(std::string_view backEnd, int64_t current);

}  // namespace quellix::board
