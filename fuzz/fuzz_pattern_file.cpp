// The pattern file's first line, read as the pattern manager reads it, then every
// pattern flown by the two pattern movements with steps, offsets and an anchor taken
// from the data, so that numbers at the integer limits reach the arithmetic.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>

#include "config/vtPattern.h"
#include "config/vtTextFile.h"
#include "engine/vtSprite.h"
#include "movement/vtMoveOffsetFromSpritePattern.h"
#include "movement/vtMoveOffsetPattern.h"
#include "vtFuzzSupport.h"

namespace {

constexpr int MaxPatterns = 8;
constexpr int Runs = 24;

// A value of the data: the point's own, so extreme numbers meet each other.
int32_t DataValue(const quellix::Tvt6Pattern& pattern, int which) {
  if (pattern.Count() == 0) return which;
  const quellix::Tvt6PatternPoint& p = pattern.Point(which % pattern.Count());
  return which % 2 ? p.Data1 : p.Data2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace quellix;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Tvt6PatternManager patterns;
  try {
    const TStringList lines = SplitLines(text);
    if (!lines.empty()) patterns.ParseText(lines.front());
  } catch (const std::exception&) {
    // What was read before the fault stays, as in the game.
  }
  fuzz::TFuzzContext fuzz;
  for (int i = 0; i < patterns.Count() && i < MaxPatterns; ++i) {
    const Tvt6Pattern& pattern = patterns.Pattern(i);
    if (pattern.Count() == 0) continue;
    Tvt6Sprite anchor(fuzz.Context);
    anchor.X = DataValue(pattern, 0);
    anchor.Y = DataValue(pattern, 1);
    Tvt6Sprite flier(fuzz.Context);
    flier.AddBehavior(std::make_unique<Tvt6Move_OffsetPattern>())
        .Init(&pattern, 0, DataValue(pattern, 2), DataValue(pattern, 3), DataValue(pattern, 4),
              DataValue(pattern, 5), i % 2 == 0, true, false);
    Tvt6Sprite orbiter(fuzz.Context);
    orbiter.AddBehavior(std::make_unique<Tvt6Move_OffsetFromSpritePattern>())
        .Init(TSpriteRef(anchor), &pattern, 0, DataValue(pattern, 6), DataValue(pattern, 7),
              i % 2 != 0, true, false);
    for (int run = 0; run < Runs; ++run) {
      flier.Update();
      orbiter.Update();
    }
    int32_t x = anchor.X, y = anchor.Y;
    pattern.OffsetTo(x, y, pattern.Count() - 1);
  }
  return 0;
}
