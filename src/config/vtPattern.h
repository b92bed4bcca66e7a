// Point patterns: named lists of points that sprites follow (enemy flight paths, the
// orbit of a shot). All come from the first line of the pattern file, a comma list of
// pattern texts, each a comma list of the name and point texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/vtTextFile.h"

namespace quellix {

class Tvt6PatternPoint {
 public:
  int32_t Y = 0;
  int32_t Data1 = 0;  // kept, read by no movement
  int32_t Data2 = 0;  // kept, read by no movement
  int32_t X = 0;

  // Reads X, Y, Data1, Data2 from items 0 to 3, storing each as it is read; later items
  // are ignored. Throws on a missing item or one that is no integer.
  void ParseText(std::string_view text);
};

class Tvt6Pattern {
 public:
  std::string Name;

  // Appends a point with every field 0.
  Tvt6PatternPoint& AddPoint();
  void Clear() { Points.clear(); }
  int Count() const { return static_cast<int>(Points.size()); }
  void DeletePoint(int index);
  // Throws std::out_of_range outside 0 .. Count - 1.
  const Tvt6PatternPoint& Point(int index) const;
  // Turns a position into the offset that would bring point index onto it.
  void OffsetTo(int32_t& x, int32_t& y, int index) const;
  // Replaces the points: item 0 the name, every further item a point text. A bad point
  // ends the reading, keeping the points before it and the bad one as far as it went.
  void ParseText(std::string_view text);
  void SetName(std::string name) { Name = std::move(name); }

 private:
  std::vector<Tvt6PatternPoint> Points;
};

class Tvt6PatternManager {
 public:
  // Appends a new, empty pattern.
  Tvt6Pattern& AddPattern();
  void Clear() { Patterns.clear(); }
  int Count() const { return static_cast<int>(Patterns.size()); }
  // Throws std::out_of_range outside 0 .. Count - 1.
  Tvt6Pattern& Pattern(int index) const;
  void DeletePattern(int index);
  // The first pattern of exactly that name, or none.
  Tvt6Pattern* FindPattern(std::string_view name) const;

  // Reads the first line of the file. An error ends the load, and what was read up to
  // it stays; the error, or a file without patterns, is told to log.
  void LoadFromFile(const std::string& path, const TLoadLog& log = {});
  // Replaces all patterns with those of the text (which may throw part way).
  void ParseText(std::string_view text);

 private:
  // Patterns stay where they are: movements keep pointers to them.
  std::vector<std::unique_ptr<Tvt6Pattern>> Patterns;
};

}  // namespace quellix
