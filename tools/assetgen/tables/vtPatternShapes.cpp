#include "tables/vtPatternShapes.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <set>

#include "config/vtCommaList.h"

namespace quellix::assetgen {

namespace {

constexpr double Pi = std::numbers::pi;

struct TVec {
  double X = 0, Y = 0;
};
TVec operator+(TVec a, TVec b) {
  return {a.X + b.X, a.Y + b.Y};
}
TVec operator-(TVec a, TVec b) {
  return {a.X - b.X, a.Y - b.Y};
}
TVec operator*(double k, TVec a) {
  return {k * a.X, k * a.Y};
}
double Length(TVec a) {
  return std::hypot(a.X, a.Y);
}

bool IsNumber(const std::string& token) {
  double v = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), v);
  return error == std::errc() && end == token.data() + token.size();
}

// A shape line's arguments: each key followed by its numbers ("centre 380 280").
class TShapeArgs {
 public:
  TShapeArgs(const TSourceLine& line, const std::set<std::string>& allowed) : fLine(line) {
    std::string key;
    for (size_t i = 1; i < line.Tokens.size(); ++i) {
      const std::string& token = line.Tokens[i];
      if (IsNumber(token)) {
        if (key.empty()) FailAt(line, "the number " + token + " belongs to no key");
        fValues[key].push_back(NumberAt(line, i));
        continue;
      }
      if (!allowed.contains(token))
        FailAt(line, "\"" + line.Tokens[0] + "\" has no key \"" + token + "\"");
      if (fValues.contains(token)) FailAt(line, "\"" + token + "\" is given twice");
      key = token;
      fValues[key];
    }
  }

  bool Has(const std::string& key) const { return fValues.contains(key); }

  std::vector<double> Get(const std::string& key, size_t count) const {
    const auto it = fValues.find(key);
    if (it == fValues.end()) FailAt(fLine, "\"" + fLine.Tokens[0] + "\" needs \"" + key + "\"");
    if (it->second.size() != count)
      FailAt(fLine, "\"" + key + "\" takes " + std::to_string(count) + " number" +
                        (count == 1 ? "" : "s"));
    return it->second;
  }

  double Positive(const std::string& key) const {
    const double v = Get(key, 1)[0];
    if (v <= 0) FailAt(fLine, "\"" + key + "\" must be above 0");
    return v;
  }

  double Optional(const std::string& key, double fallback) const {
    return Has(key) ? Get(key, 1)[0] : fallback;
  }

  TVec Pair(const std::string& key) const {
    const std::vector<double> v = Get(key, 2);
    return {v[0], v[1]};
  }

  // "points N" or "spacing S": exactly one of them.
  void Density(int32_t& points, double& spacing) const {
    if (Has("points") == Has("spacing")) FailAt(fLine, "give either \"points\" or \"spacing\"");
    points = 0;
    spacing = 0;
    if (Has("points")) {
      const double n = Get("points", 1)[0];
      if (n < 2 || n > 10000 || n != std::floor(n))
        FailAt(fLine, "\"points\" must be a whole number from 2 to 10000");
      points = static_cast<int32_t>(n);
    } else {
      spacing = Positive("spacing");
    }
  }

  const TSourceLine& Line() const { return fLine; }

 private:
  const TSourceLine& fLine;
  std::map<std::string, std::vector<double>> fValues;
};

using TCurve = std::function<TVec(double)>;  // u in 0..1

// Samples a curve at equal steps of arc length: n points, or as many as spacing gives.
// A closed curve's last point stops one step short of its first.
std::vector<TVec> SampleCurve(const TCurve& curve, bool closed, int32_t points, double spacing) {
  constexpr int dense = 20000;
  std::vector<TVec> at(dense + 1);
  std::vector<double> arc(dense + 1, 0.0);
  for (int i = 0; i <= dense; ++i) {
    at[i] = curve(static_cast<double>(i) / dense);
    if (i > 0) arc[i] = arc[i - 1] + Length(at[i] - at[i - 1]);
  }
  const double total = arc[dense];
  int32_t n = points;
  if (n == 0) {
    const auto steps = static_cast<int32_t>(std::lround(total / spacing));
    n = closed ? std::max(3, steps) : std::max(2, steps + 1);
  }
  const double step = total / (closed ? n : n - 1);
  std::vector<TVec> out;
  int j = 0;
  for (int32_t k = 0; k < n; ++k) {
    const double s = k * step;
    while (j < dense - 1 && arc[j + 1] < s) ++j;
    const double span = arc[j + 1] - arc[j];
    const double f = span > 0 ? std::clamp((s - arc[j]) / span, 0.0, 1.0) : 0.0;
    out.push_back(at[j] + f * (at[j + 1] - at[j]));
  }
  return out;
}

// Straight segments, each cut into equal steps, so that every corner is a point.
std::vector<TVec> SamplePolyline(const std::vector<TVec>& corners, bool closed, double spacing) {
  std::vector<TVec> out;
  const size_t segments = closed ? corners.size() : corners.size() - 1;
  for (size_t i = 0; i < segments; ++i) {
    const TVec a = corners[i], b = corners[(i + 1) % corners.size()];
    const auto steps = std::max<long>(1, std::lround(Length(b - a) / spacing));
    for (long k = 0; k < steps; ++k) out.push_back(a + (static_cast<double>(k) / steps) * (b - a));
  }
  if (!closed) out.push_back(corners.back());
  return out;
}

// Centripetal Catmull-Rom through the control points: smooth, and without the loops and
// cusps that the uniform kind makes where points crowd.
TCurve CatmullRom(std::vector<TVec> p, bool closed) {
  const size_t n = p.size();
  const size_t segments = closed ? n : n - 1;
  return [p = std::move(p), closed, n, segments](double u) {
    const double x = u * static_cast<double>(segments);
    const size_t i = std::min(segments - 1, static_cast<size_t>(x));
    const double local = x - static_cast<double>(i);
    auto point = [&](long k) -> TVec {
      if (closed) return p[static_cast<size_t>((k % static_cast<long>(n) + n) % n)];
      if (k < 0) return 2.0 * p[0] - p[1];
      if (k >= static_cast<long>(n)) return 2.0 * p[n - 1] - p[n - 2];
      return p[static_cast<size_t>(k)];
    };
    const long s = static_cast<long>(i);
    const TVec p0 = point(s - 1), p1 = point(s), p2 = point(s + 1), p3 = point(s + 2);
    const double t0 = 0;
    const double t1 = t0 + std::sqrt(std::max(Length(p1 - p0), 1e-9));
    const double t2 = t1 + std::sqrt(std::max(Length(p2 - p1), 1e-9));
    const double t3 = t2 + std::sqrt(std::max(Length(p3 - p2), 1e-9));
    const double t = t1 + local * (t2 - t1);
    const TVec a1 = ((t1 - t) / (t1 - t0)) * p0 + ((t - t0) / (t1 - t0)) * p1;
    const TVec a2 = ((t2 - t) / (t2 - t1)) * p1 + ((t - t1) / (t2 - t1)) * p2;
    const TVec a3 = ((t3 - t) / (t3 - t2)) * p2 + ((t - t2) / (t3 - t2)) * p3;
    const TVec b1 = ((t2 - t) / (t2 - t0)) * a1 + ((t - t0) / (t2 - t0)) * a2;
    const TVec b2 = ((t3 - t) / (t3 - t1)) * a2 + ((t - t1) / (t3 - t1)) * a3;
    return ((t2 - t) / (t2 - t1)) * b1 + ((t - t1) / (t2 - t1)) * b2;
  };
}

double Radians(double degrees) {
  return degrees * Pi / 180;
}

// Angles in degrees: 0 points right, 90 down, so growing angles turn clockwise on screen.
std::vector<TVec> SampleEllipse(const TShapeArgs& a, TVec radius) {
  const TVec c = a.Pair("centre");
  const double start = Radians(a.Optional("start", 0));
  const double turn = a.Has("anticlockwise") ? -2 * Pi : 2 * Pi;
  int32_t points = 0;
  double spacing = 0;
  a.Density(points, spacing);
  return SampleCurve(
      [=](double u) {
        const double th = start + u * turn;
        return TVec{c.X + radius.X * std::cos(th), c.Y + radius.Y * std::sin(th)};
      },
      true, points, spacing);
}

std::vector<TVec> SampleCircle(const TShapeArgs& a) {
  const double r = a.Positive("radius");
  return SampleEllipse(a, {r, r});
}

// x = sin(a t + phase), y = sin(b t): with phase 0 it starts at its centre.
std::vector<TVec> SampleLissajous(const TShapeArgs& a) {
  const TVec c = a.Pair("centre"), r = a.Pair("radius"), ratio = a.Pair("ratio");
  if (ratio.X < 1 || ratio.Y < 1 || ratio.X != std::floor(ratio.X) ||
      ratio.Y != std::floor(ratio.Y))
    FailAt(a.Line(), "\"ratio\" takes two whole numbers from 1 up, so the figure closes");
  const double phase = Radians(a.Optional("phase", 0));
  int32_t points = 0;
  double spacing = 0;
  a.Density(points, spacing);
  return SampleCurve(
      [=](double u) {
        const double t = 2 * Pi * u;
        return TVec{c.X + r.X * std::sin(ratio.X * t + phase), c.Y + r.Y * std::sin(ratio.Y * t)};
      },
      true, points, spacing);
}

// A rose r = cos(k th) starting at its centre, between two petals. An odd k draws k
// petals, an even k twice as many, so "petals" must be odd or a multiple of 4.
std::vector<TVec> SampleRose(const TShapeArgs& a) {
  const TVec c = a.Pair("centre"), r = a.Pair("radius");
  const double petals = a.Positive("petals");
  const auto n = static_cast<int32_t>(petals);
  if (n != petals || (n % 2 == 0 && n % 4 != 0))
    FailAt(a.Line(), "\"petals\" must be a whole number, odd or a multiple of 4");
  const double k = n % 2 == 1 ? n : n / 2;
  const double span = n % 2 == 1 ? Pi : 2 * Pi;
  const double turn = Radians(a.Optional("turn", 0));
  int32_t points = 0;
  double spacing = 0;
  a.Density(points, spacing);
  return SampleCurve(
      [=](double u) {
        const double th = Pi / (2 * k) + u * span;
        const double rho = std::cos(k * th);
        return TVec{c.X + r.X * rho * std::cos(th + turn), c.Y + r.Y * rho * std::sin(th + turn)};
      },
      true, points, spacing);
}

// An Archimedean spiral from its centre out to the radius, open.
std::vector<TVec> SampleSpiral(const TShapeArgs& a) {
  const TVec c = a.Pair("centre"), r = a.Pair("radius");
  const double turns = a.Positive("turns");
  const double start = Radians(a.Optional("start", 0));
  const double direction = a.Has("anticlockwise") ? -1 : 1;
  int32_t points = 0;
  double spacing = 0;
  a.Density(points, spacing);
  return SampleCurve(
      [=](double u) {
        const double th = start + direction * u * turns * 2 * Pi;
        return TVec{c.X + r.X * u * std::cos(th), c.Y + r.Y * u * std::sin(th)};
      },
      false, points, spacing);
}

bool ClosedFlag(const TShapeArgs& a) {
  if (a.Has("closed") == a.Has("open")) FailAt(a.Line(), "say \"closed\" or \"open\"");
  return a.Has("closed");
}

std::vector<TVec> SampleThroughPoints(const TShapeArgs& a, const std::vector<TVec>& corners) {
  const bool closed = ClosedFlag(a);
  if (corners.size() < (closed ? 3u : 2u))
    FailAt(a.Line(), "too few \"point\" lines for \"" + a.Line().Tokens[0] + "\"");
  for (size_t i = 0; i < corners.size(); ++i)
    if (Length(corners[i] - corners[(i + 1) % corners.size()]) < 1 &&
        (closed || i + 1 < corners.size()))
      FailAt(a.Line(), "two neighbouring points are the same");
  int32_t points = 0;
  double spacing = 0;
  if (a.Line().Tokens[0] == "polyline")
    return SamplePolyline(corners, closed, a.Positive("spacing"));
  a.Density(points, spacing);
  return SampleCurve(CatmullRom(corners, closed), closed, points, spacing);
}

const std::map<std::string, std::set<std::string>>& ShapeKeys() {
  static const std::map<std::string, std::set<std::string>> keys = {
      {"circle", {"centre", "radius", "points", "spacing", "start", "anticlockwise"}},
      {"ellipse", {"centre", "radius", "points", "spacing", "start", "anticlockwise"}},
      {"lissajous", {"centre", "radius", "ratio", "phase", "points", "spacing"}},
      {"rose", {"centre", "radius", "petals", "turn", "points", "spacing"}},
      {"spiral", {"centre", "radius", "turns", "start", "anticlockwise", "points", "spacing"}},
      {"spline", {"closed", "open", "points", "spacing"}},
      {"polyline", {"closed", "open", "spacing"}}};
  return keys;
}

std::vector<TVec> SampleShape(const TShapeArgs& a, const std::vector<TVec>& corners) {
  const std::string& shape = a.Line().Tokens[0];
  if (shape != "spline" && shape != "polyline" && !corners.empty())
    FailAt(a.Line(), "only \"spline\" and \"polyline\" take \"point\" lines");
  if (shape == "circle") return SampleCircle(a);
  if (shape == "ellipse") return SampleEllipse(a, a.Pair("radius"));
  if (shape == "lissajous") return SampleLissajous(a);
  if (shape == "rose") return SampleRose(a);
  if (shape == "spiral") return SampleSpiral(a);
  return SampleThroughPoints(a, corners);
}

// Whole pixels; a point that rounds onto the one before adds no step and is dropped.
std::vector<TPatternPoint> ToPixels(const std::vector<TVec>& samples, const TSourceLine& line) {
  std::vector<TPatternPoint> out;
  for (const TVec& v : samples) {
    const TPatternPoint p{static_cast<int32_t>(std::lround(v.X)),
                          static_cast<int32_t>(std::lround(v.Y))};
    if (p.X < 0 || p.X > 799 || p.Y < 0 || p.Y > 599)
      FailAt(line, "the shape leaves the screen at (" + std::to_string(p.X) + ", " +
                       std::to_string(p.Y) + ")");
    if (!out.empty() && out.back().X == p.X && out.back().Y == p.Y) continue;
    out.push_back(p);
  }
  return out;
}

struct TPendingPattern {
  const TSourceLine* Header = nullptr;
  const TSourceLine* Shape = nullptr;
  std::vector<TVec> Corners;
};

TPatternShape Finish(const TPendingPattern& p) {
  if (p.Shape == nullptr) FailAt(*p.Header, "pattern \"" + p.Header->Tokens[1] + "\" has no shape");
  const TShapeArgs args(*p.Shape, ShapeKeys().at(p.Shape->Tokens[0]));
  return {p.Header->Tokens[1], p.Header->Origin, ToPixels(SampleShape(args, p.Corners), *p.Shape)};
}

}  // namespace

std::vector<TPatternShape> ParsePatternShapes(const std::vector<TSourceLine>& lines) {
  std::vector<TPendingPattern> pending;
  for (const TSourceLine& line : lines) {
    const std::string& key = line.Tokens[0];
    if (key == "pattern") {
      ExpectArguments(line, 1);
      pending.push_back({&line, nullptr, {}});
      continue;
    }
    if (pending.empty()) FailAt(line, "\"" + key + "\" before the first \"pattern\"");
    TPendingPattern& p = pending.back();
    if (key == "point") {
      ExpectArguments(line, 2);
      if (p.Shape == nullptr) FailAt(line, "\"point\" before the pattern's shape");
      p.Corners.push_back({NumberAt(line, 1), NumberAt(line, 2)});
    } else if (ShapeKeys().contains(key)) {
      if (p.Shape != nullptr) FailAt(line, "a pattern has one shape only");
      p.Shape = &line;
    } else {
      FailAt(line, "unknown shape \"" + key + "\"");
    }
  }
  std::vector<TPatternShape> patterns;
  for (const TPendingPattern& p : pending) patterns.push_back(Finish(p));
  return patterns;
}

std::string PatternLine(const std::vector<TPatternShape>& patterns) {
  TStringList items;
  for (const TPatternShape& p : patterns) {
    TStringList pattern = {p.Name};
    for (const TPatternPoint& pt : p.Points)
      pattern.push_back(Join({std::to_string(pt.X), std::to_string(pt.Y), "0", "0"}));
    items.push_back(Join(pattern));
  }
  return Join(items);
}

}  // namespace quellix::assetgen
