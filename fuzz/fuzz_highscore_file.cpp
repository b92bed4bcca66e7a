// The whole high-score file: read as the table reads it (every line a record, a bad
// line logged), written back and read again to the same table, a score entered at its
// rank and the table drawn. Nothing reads out of bounds, and a table survives its own
// save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "graphics/vtFontHandler.h"
#include "services/vtHighScore.h"
#include "vtFuzzSupport.h"

namespace {

bool Same(quellix::Tvt6HighScoreEngine& a, quellix::Tvt6HighScoreEngine& b) {
  if (a.Count() != b.Count()) return false;
  for (int32_t i = 0; i < a.Count(); ++i) {
    const auto &x = *a.Record(i), &y = *b.Record(i);
    if (x.Name != y.Name || x.Score != y.Score || x.Level != y.Level || x.Title != y.Title)
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  quellix::fuzz::TFuzzContext fuzz;
  Tvt6HighScoreEngine table(fuzz.Log);
  table.LoadFromText(text, "fuzz.txt");
  Tvt6HighScoreEngine again(fuzz.Log);
  again.LoadFromText(table.AsText(), "saved.txt");
  if (!Same(table, again)) std::abort();

  const int32_t score = table.Count() > 0 ? table.Record(0)->Score : 1;
  const int32_t rank = table.FindRank(score);
  if (rank >= 0) {
    table.InsertRecord("Tester", "Devuvov", rank, score, 1);
    table.Delete(table.Count() - 1);
  }
  quellix::fuzz::TNullDisplay display;
  Tvt6FontItem font;
  table.SetDisplay(&display);
  table.SetFont(&font);
  table.DrawTable();
  return 0;
}
