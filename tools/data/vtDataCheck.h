// The data checker: loads a run folder's data with the game's own loaders and lists
// everything the game names that the data lacks or gets wrong, one line per finding,
// each naming the file and the item.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quellix::datacheck {

struct TDataReport {
  std::vector<std::string> Findings;
  // What the loaders read.
  int32_t Scenes = 0;
  int32_t Images = 0;
  int32_t Sounds = 0;
  int32_t Patterns = 0;
  int32_t Kinds = 0;
  int32_t Sections = 0;

  bool Ok() const { return Findings.empty(); }
  // "data OK: ..." with the counts, or how many findings there are.
  std::string Summary() const;
};

// Checks "sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt" and
// "data/config.txt" in dir. A file that is missing or unreadable is a finding; only a
// failure of the media back end itself throws.
TDataReport CheckData(const std::string& dir);

}  // namespace quellix::datacheck
