// Lines of the high-score file: whatever a line holds, reading it stops cleanly at a
// bad item, and a record written back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string_view>

#include "config/vtTextFile.h"
#include "services/vt6HighScore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::string& line : SplitLines(text)) {
    Tvt6HighScoreRecord record;
    try {
      record.SetAsString(line);
    } catch (const std::exception&) {
    }
    Tvt6HighScoreRecord again;
    again.SetAsString(record.GetAsString());
    if (again.Name != record.Name || again.Score != record.Score || again.Level != record.Level ||
        again.Title != record.Title)
      std::abort();
  }
  return 0;
}
