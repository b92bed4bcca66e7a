// What the parts of the data check share: the data files by the names findings use,
// and the list the findings go to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quellix::datacheck {

struct TDataFile {
  std::string_view Name;  // within the run folder, as findings name it: "data/config.txt"
  std::string Path;       // where it is read
};

class TFindings {
 public:
  explicit TFindings(std::vector<std::string>& lines) : fLines(lines) {}

  // "<file>: <what>", on one line.
  void Add(const TDataFile& file, std::string_view what);
  // A loader's error, which often begins with the file's full path: the name stands
  // in for it.
  void AddError(const TDataFile& file, std::string_view message);

 private:
  std::vector<std::string>& fLines;
};

}  // namespace quellix::datacheck
