// Comma lists, the encoding of every text format: whatever a line holds, its items
// written back read back the same, one level of nesting deeper too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "config/vtCommaList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const TStringList items = Split(text);
  const std::string joined = Join(items);
  if (Split(joined) != items) std::abort();
  // As one item of an outer list, the joined text comes back whole.
  const TStringList outer = Split(Join({joined, "x"}));
  if (outer.size() != 2 || outer[0] != joined) std::abort();
  return 0;
}
