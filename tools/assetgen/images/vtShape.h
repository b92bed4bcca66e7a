// Shapes as signed distance fields: a shape answers, for any point, its distance in
// pixels to the outline (negative inside). Edges are anti-aliased from the distance,
// bevels and glows read it too, and shapes combine, turn and scale exactly, so a
// rotated frame is drawn afresh rather than resampled. Each shape carries a box
// outside of which it is at least its margin away, so drawing only visits that box.
#pragma once

#include <functional>
#include <vector>

namespace quellix::assetgen {

struct TVec {
  float X = 0, Y = 0;
};
inline TVec operator+(TVec a, TVec b) {
  return {a.X + b.X, a.Y + b.Y};
}
inline TVec operator-(TVec a, TVec b) {
  return {a.X - b.X, a.Y - b.Y};
}
inline TVec operator*(TVec a, float k) {
  return {a.X * k, a.Y * k};
}
float Length(TVec v);
TVec Rotate(TVec v, float angle);  // clockwise on screen (y down), radians
TVec Polar(float radius, float angle);

struct TBox {
  float Left = 0, Top = 0, Right = 0, Bottom = 0;
  TBox Grown(float by) const { return {Left - by, Top - by, Right + by, Bottom + by}; }
};
TBox Union(TBox a, TBox b);
// A lower bound of the distance from p to anything inside the box.
float BoxDistance(TBox b, TVec p);

class TShape {
 public:
  using TField = std::function<float(TVec)>;
  TShape(TField field, TBox bounds) : fField(std::move(field)), fBounds(bounds) {}
  float operator()(TVec p) const { return fField(p); }
  const TBox& Bounds() const { return fBounds; }

 private:
  TField fField;
  TBox fBounds;
};

TShape Circle(TVec centre, float radius);
TShape Ellipse(TVec centre, float rx, float ry);
// An axis-aligned box of half size half around centre with corners rounded by round.
TShape RoundBox(TVec centre, TVec half, float round = 0);
// A thick line with round ends: the points within radius of the segment a-b.
TShape Capsule(TVec a, TVec b, float radius);
// A closed polygon (either winding).
TShape Polygon(std::vector<TVec> points);
// A star of n arms between the two radii, the first arm pointing at angle.
TShape Star(TVec centre, int arms, float outer, float inner, float angle);
TShape Ring(TVec centre, float radius, float thickness);

TShape Union(const TShape& a, const TShape& b);
// The union of many shapes; parts whose box is farther than the nearest part found
// are skipped, so long texts and many-armed figures stay cheap.
TShape UnionAll(std::vector<TShape> parts);
TShape Intersect(const TShape& a, const TShape& b);
TShape Subtract(const TShape& a, const TShape& b);
// Grows (positive) or shrinks the shape, rounding convex corners.
TShape Inflate(const TShape& a, float by);
// The band of the given width around the outline.
TShape Shell(const TShape& a, float width);

TShape Translate(const TShape& a, TVec by);
// Turned clockwise by angle (radians) about pivot.
TShape Rotate(const TShape& a, TVec pivot, float angle);
// Scaled by k about pivot (distances scale too, so edges stay crisp).
TShape ScaleAbout(const TShape& a, TVec pivot, float k);
// The shape's distances stored on a one-pixel grid reaching margin beyond its box and
// read back by bilinear interpolation: costly shapes (long texts) drawn many times over
// are evaluated once per pixel.
TShape Sampled(const TShape& a, float margin);
// Sheared horizontally by k about the line y = baseY (italic letters).
TShape Shear(const TShape& a, float k, float baseY);

}  // namespace quellix::assetgen
