// The flag store: an ordered list of flag values. Nothing in the game adds or reads a
// flag; the engine keeps the store so that its services stay complete.
#pragma once

#include <cstdint>
#include <vector>

namespace quellix {

class Tvt6FlagEngine {
 public:
  int32_t Count() const { return static_cast<int32_t>(fFlags.size()); }
  // An index outside the list is ignored.
  void Delete(int32_t index);
  void Clear() { fFlags.clear(); }

 private:
  std::vector<int32_t> fFlags;
};

}  // namespace quellix
