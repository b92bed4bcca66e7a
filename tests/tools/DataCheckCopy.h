// A scratch copy of the generated data in the run folder, with the edits the data
// checker's tests make to it: a scene cut from the animation file, an archive item
// dropped or spoilt, a pattern removed or emptied, a configuration value changed or
// removed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SoundTablesTestSupport.h"
#include "graphics/vtArchive.h"

namespace quellix::testing {

class TDataCopy {
 public:
  TDataCopy();  // copies the five data files of the run folder

  std::string Dir() const { return fScratch.Dir(); }
  std::string PathOf(std::string_view file) const { return Dir() + std::string(file); }

  // Cuts the scene block whose header names the scene.
  void RemoveScene(std::string_view scene);
  // Puts a line right after the first line that equals after.
  void InsertLineAfter(std::string_view after, std::string_view line);

  // Rebuilds an archive from its items: edit may change an item's payload, and drops
  // the item by returning false.
  using TItemEdit = std::function<bool(const TArchiveEntry&, std::vector<uint8_t>& payload)>;
  void RewriteArchive(std::string_view file, TArchiveKind kind, const TItemEdit& edit);

  // Drops the pattern, or with keepName, keeps only its name (a pattern with no points).
  void EditPattern(std::string_view name, bool keepName);

  // Sets the value of a field in one section of a group; with no value, removes the
  // field from the section and from the group's declared names.
  void EditConfig(std::string_view group, std::string_view section, std::string_view field,
                  const std::optional<std::string>& value);

 private:
  TTempDir fScratch;
};

}  // namespace quellix::testing
