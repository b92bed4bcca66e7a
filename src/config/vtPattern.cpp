#include "config/vtPattern.h"

#include <stdexcept>

#include "config/vtCommaList.h"
#include "config/vtSaturate.h"
#include "config/vtStrToInt.h"
#include "config/vtTextFile.h"

namespace quellix {

namespace {

size_t CheckedIndex(int index, int count) {
  if (index < 0 || index >= count)
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return static_cast<size_t>(index);
}

}  // namespace

void Tvt6PatternPoint::ParseText(std::string_view text) {
  const TStringList items = Split(text);
  int32_t* const fields[] = {&X, &Y, &Data1, &Data2};
  for (size_t i = 0; i < std::size(fields); ++i) {
    if (i >= items.size())
      throw std::out_of_range("the point \"" + std::string(text) + "\" has fewer than 4 items");
    *fields[i] = StrToInt(items[i]);
  }
}

Tvt6PatternPoint& Tvt6Pattern::AddPoint() {
  return Points.emplace_back();
}

void Tvt6Pattern::DeletePoint(int index) {
  Points.erase(Points.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(index, Count())));
}

const Tvt6PatternPoint& Tvt6Pattern::Point(int index) const {
  return Points[CheckedIndex(index, Count())];
}

void Tvt6Pattern::OffsetTo(int32_t& x, int32_t& y, int index) const {
  const Tvt6PatternPoint& point = Point(index);
  x = SaturatedSub(x, point.X);
  y = SaturatedSub(y, point.Y);
}

void Tvt6Pattern::ParseText(std::string_view text) {
  Clear();
  const TStringList items = Split(text);
  if (items.empty()) throw std::out_of_range("a pattern text has no name");
  Name = items[0];
  for (size_t i = 1; i < items.size(); ++i) AddPoint().ParseText(items[i]);
}

Tvt6Pattern& Tvt6PatternManager::AddPattern() {
  Patterns.push_back(std::make_unique<Tvt6Pattern>());
  return *Patterns.back();
}

Tvt6Pattern& Tvt6PatternManager::Pattern(int index) const {
  return *Patterns[CheckedIndex(index, Count())];
}

void Tvt6PatternManager::DeletePattern(int index) {
  Patterns.erase(Patterns.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(index, Count())));
}

Tvt6Pattern* Tvt6PatternManager::FindPattern(std::string_view name) const {
  for (const auto& pattern : Patterns)
    if (pattern->Name == name) return pattern.get();
  return nullptr;
}

void Tvt6PatternManager::LoadFromFile(const std::string& path, const TLoadLog& log) {
  const std::string file = "Pattern file \"" + path + "\"";
  try {
    const TStringList lines = SplitLines(ReadTextFile(path));
    if (!lines.empty()) ParseText(lines[0]);
  } catch (const std::exception& e) {
    // A broken file leaves the patterns read before the fault; lookups of the rest
    // yield none.
    if (log)
      log(file + ": reading stopped: " + e.what() + "; " + std::to_string(Count()) +
          " patterns kept, the last one as far as it was read");
    return;
  }
  if (Count() == 0 && log) log(file + " holds no patterns");
}

void Tvt6PatternManager::ParseText(std::string_view text) {
  Clear();
  for (const std::string& item : Split(text)) AddPattern().ParseText(item);
}

}  // namespace quellix
