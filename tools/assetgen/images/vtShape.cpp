#include "images/vtShape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace quellix::assetgen {

namespace {

// A box surely holding the points within `margin` of every shape's outline that we
// ever draw (glows reach this far at most).
constexpr float BoundsMargin = 48.0f;

TBox CornersBox(const std::vector<TVec>& pts) {
  TBox b{pts[0].X, pts[0].Y, pts[0].X, pts[0].Y};
  for (TVec p : pts) {
    b.Left = std::min(b.Left, p.X), b.Top = std::min(b.Top, p.Y);
    b.Right = std::max(b.Right, p.X), b.Bottom = std::max(b.Bottom, p.Y);
  }
  return b;
}

float SegmentDistance(TVec p, TVec a, TVec b) {
  const TVec pa = p - a, ba = b - a;
  const float len2 = ba.X * ba.X + ba.Y * ba.Y;
  const float h = len2 > 0 ? std::clamp((pa.X * ba.X + pa.Y * ba.Y) / len2, 0.0f, 1.0f) : 0.0f;
  return Length(pa - ba * h);
}

TBox TransformedBox(TBox b, const std::function<TVec(TVec)>& map) {
  const std::vector<TVec> corners = {map({b.Left, b.Top}), map({b.Right, b.Top}),
                                     map({b.Left, b.Bottom}), map({b.Right, b.Bottom})};
  return CornersBox(corners);
}

}  // namespace

float Length(TVec v) {
  return std::sqrt(v.X * v.X + v.Y * v.Y);
}
TVec Rotate(TVec v, float angle) {
  const float c = std::cos(angle), s = std::sin(angle);
  return {v.X * c - v.Y * s, v.X * s + v.Y * c};
}
TVec Polar(float radius, float angle) {
  return {radius * std::cos(angle), radius * std::sin(angle)};
}

TBox Union(TBox a, TBox b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

float BoxDistance(TBox b, TVec p) {
  const float dx = std::max({b.Left - p.X, 0.0f, p.X - b.Right});
  const float dy = std::max({b.Top - p.Y, 0.0f, p.Y - b.Bottom});
  return std::sqrt(dx * dx + dy * dy);
}

TShape Circle(TVec c, float r) {
  return {[c, r](TVec p) { return Length(p - c) - r; }, TBox{c.X - r, c.Y - r, c.X + r, c.Y + r}};
}

TShape Ellipse(TVec c, float rx, float ry) {
  // Distance of the scaled circle, corrected by the gradient length: close to the true
  // distance near the outline, which is all that edges and bevels need.
  return {[c, rx, ry](TVec p) {
            const float x = (p.X - c.X) / rx, y = (p.Y - c.Y) / ry;
            const float k0 = std::sqrt(x * x + y * y);
            const float gx = x / rx, gy = y / ry;
            const float k1 = std::sqrt(gx * gx + gy * gy);
            if (k1 < 1e-6f) return -std::min(rx, ry);
            return k0 * (k0 - 1.0f) / k1;
          },
          TBox{c.X - rx, c.Y - ry, c.X + rx, c.Y + ry}};
}

TShape RoundBox(TVec c, TVec half, float round) {
  return {[c, half, round](TVec p) {
            const float qx = std::abs(p.X - c.X) - half.X + round;
            const float qy = std::abs(p.Y - c.Y) - half.Y + round;
            const float outside = Length({std::max(qx, 0.0f), std::max(qy, 0.0f)});
            return outside + std::min(std::max(qx, qy), 0.0f) - round;
          },
          TBox{c.X - half.X, c.Y - half.Y, c.X + half.X, c.Y + half.Y}};
}

TShape Capsule(TVec a, TVec b, float r) {
  return {[a, b, r](TVec p) { return SegmentDistance(p, a, b) - r; },
          TBox{std::min(a.X, b.X) - r, std::min(a.Y, b.Y) - r, std::max(a.X, b.X) + r,
               std::max(a.Y, b.Y) + r}};
}

TShape Polygon(std::vector<TVec> pts) {
  const TBox box = CornersBox(pts);
  return {[pts = std::move(pts)](TVec p) {
            float d = std::numeric_limits<float>::max();
            bool inside = false;
            for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
              d = std::min(d, SegmentDistance(p, pts[j], pts[i]));
              const TVec a = pts[i], b = pts[j];
              if ((a.Y > p.Y) != (b.Y > p.Y) && p.X < (b.X - a.X) * (p.Y - a.Y) / (b.Y - a.Y) + a.X)
                inside = !inside;
            }
            return inside ? -d : d;
          },
          box};
}

TShape Star(TVec c, int arms, float outer, float inner, float angle) {
  std::vector<TVec> pts;
  const float pi = 3.14159265358979f;
  for (int i = 0; i < arms * 2; ++i) {
    const float a = angle + pi * static_cast<float>(i) / static_cast<float>(arms);
    pts.push_back(c + Polar(i % 2 == 0 ? outer : inner, a));
  }
  return Polygon(std::move(pts));
}

TShape Ring(TVec c, float radius, float thickness) {
  return Shell(Circle(c, radius), thickness);
}

TShape Union(const TShape& a, const TShape& b) {
  return {[a, b](TVec p) { return std::min(a(p), b(p)); }, Union(a.Bounds(), b.Bounds())};
}

TShape UnionAll(std::vector<TShape> parts) {
  TBox box = parts.empty() ? TBox{} : parts[0].Bounds();
  for (const TShape& s : parts) box = Union(box, s.Bounds());
  return {[parts = std::move(parts)](TVec p) {
            float best = std::numeric_limits<float>::max();
            // A part can only matter if it may come nearer than the best so far; inside
            // the union every part whose box holds p may lie deeper.
            for (const TShape& s : parts) {
              const float lower = BoxDistance(s.Bounds(), p);
              if (lower < best || lower == 0.0f) best = std::min(best, s(p));
            }
            return best == std::numeric_limits<float>::max() ? BoundsMargin : best;
          },
          box};
}

TShape Intersect(const TShape& a, const TShape& b) {
  const TBox ab = a.Bounds(), bb = b.Bounds();
  return {[a, b](TVec p) { return std::max(a(p), b(p)); },
          TBox{std::max(ab.Left, bb.Left), std::max(ab.Top, bb.Top), std::min(ab.Right, bb.Right),
               std::min(ab.Bottom, bb.Bottom)}};
}

TShape Subtract(const TShape& a, const TShape& b) {
  return {[a, b](TVec p) { return std::max(a(p), -b(p)); }, a.Bounds()};
}

TShape Inflate(const TShape& a, float by) {
  return {[a, by](TVec p) { return a(p) - by; }, a.Bounds().Grown(std::max(by, 0.0f))};
}

TShape Shell(const TShape& a, float width) {
  return {[a, width](TVec p) { return std::abs(a(p)) - width * 0.5f; },
          a.Bounds().Grown(width * 0.5f)};
}

TShape Translate(const TShape& a, TVec by) {
  const TBox b = a.Bounds();
  return {[a, by](TVec p) { return a(p - by); },
          TBox{b.Left + by.X, b.Top + by.Y, b.Right + by.X, b.Bottom + by.Y}};
}

TShape Rotate(const TShape& a, TVec pivot, float angle) {
  return {[a, pivot, angle](TVec p) { return a(pivot + Rotate(p - pivot, -angle)); },
          TransformedBox(a.Bounds(), [&](TVec v) { return pivot + Rotate(v - pivot, angle); })};
}

TShape ScaleAbout(const TShape& a, TVec pivot, float k) {
  return {[a, pivot, k](TVec p) { return a(pivot + (p - pivot) * (1.0f / k)) * k; },
          TransformedBox(a.Bounds(), [&](TVec v) { return pivot + (v - pivot) * k; })};
}

TShape Sampled(const TShape& a, float margin) {
  const TBox b = a.Bounds().Grown(margin);
  const int w = static_cast<int>(std::ceil(b.Right - b.Left)) + 2;
  const int h = static_cast<int>(std::ceil(b.Bottom - b.Top)) + 2;
  auto grid = std::make_shared<std::vector<float>>(static_cast<size_t>(w) * h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      (*grid)[static_cast<size_t>(j) * w + i] = a({b.Left + i, b.Top + j});
  return {[grid, b, w, h](TVec p) {
            const float gx = p.X - b.Left, gy = p.Y - b.Top;
            // Beyond the grid: the edge value plus the way still to go, a fair estimate
            // for points that only glows and bounds ever ask about.
            const float cx = std::clamp(gx, 0.0f, static_cast<float>(w - 1));
            const float cy = std::clamp(gy, 0.0f, static_cast<float>(h - 1));
            const float beyond = Length({gx - cx, gy - cy});
            const int x0 = std::min(static_cast<int>(cx), w - 2),
                      y0 = std::min(static_cast<int>(cy), h - 2);
            const float fx = cx - x0, fy = cy - y0;
            const float* row0 = grid->data() + static_cast<size_t>(y0) * w;
            const float* row1 = row0 + w;
            const float top = row0[x0] + (row0[x0 + 1] - row0[x0]) * fx;
            const float bottom = row1[x0] + (row1[x0 + 1] - row1[x0]) * fx;
            return top + (bottom - top) * fy + beyond;
          },
          a.Bounds()};
}

TShape Shear(const TShape& a, float k, float baseY) {
  // Shearing stretches distances a little; for italic slants of 0.2 the error is small.
  return {[a, k, baseY](TVec p) {
            return a({p.X + (p.Y - baseY) * k, p.Y});
          },
          TransformedBox(a.Bounds(), [&](TVec v) {
            return TVec{v.X - (v.Y - baseY) * k, v.Y};
          })};
}

}  // namespace quellix::assetgen
