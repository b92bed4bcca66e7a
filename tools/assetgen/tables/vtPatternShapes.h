// Flight patterns as shapes: each pattern of data/patterns/*.txt is one shape (circle,
// ellipse, Lissajous figure, rose, spiral, Catmull-Rom spline or polyline through points)
// sampled to whole-pixel points, and written as the one-line pattern file
// "data/patterns.txt".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tables/vtSourceLines.h"

namespace quellix::assetgen {

struct TPatternPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

struct TPatternShape {
  std::string Name;
  std::string Origin;
  std::vector<TPatternPoint> Points;
};

// Reads and samples every pattern; raises TSourceError naming the line of a fault.
std::vector<TPatternShape> ParsePatternShapes(const std::vector<TSourceLine>& lines);

// The pattern file's first line: per pattern its name and points "X,Y,0,0".
std::string PatternLine(const std::vector<TPatternShape>& patterns);

}  // namespace quellix::assetgen
