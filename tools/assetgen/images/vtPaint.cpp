#include "images/vtPaint.h"

#include <algorithm>
#include <cmath>

namespace quellix::assetgen {

namespace {

// The one lamp of the whole set: up and to the left of the screen, towards the viewer.
constexpr float LightX = -0.55f, LightY = -0.65f, LightZ = 0.52f;

float Coverage(float distance) {
  return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

// Calls visit(x, y, pixelCentre) for every pixel of the canvas within the shape's box
// grown by reach.
template <typename F>
void ForBox(const TCanvas& canvas, const TShape& shape, float reach, F visit) {
  const TBox b = shape.Bounds().Grown(reach + 1.0f);
  const int x0 = std::max(0, static_cast<int>(std::floor(b.Left)));
  const int y0 = std::max(0, static_cast<int>(std::floor(b.Top)));
  const int x1 = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(b.Right)));
  const int y1 = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(b.Bottom)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) visit(x, y, TVec{x + 0.5f, y + 0.5f});
}

TColorF Clamp(TColorF c) {
  return {std::clamp(c.R, 0.0f, 1.0f), std::clamp(c.G, 0.0f, 1.0f), std::clamp(c.B, 0.0f, 1.0f)};
}

}  // namespace

TPaint Solid(TColorF c) {
  return [c](TVec) { return c; };
}

TPaint LinearGradient(TVec from, TColorF c0, TVec to, TColorF c1) {
  const TVec d = to - from;
  const float len2 = std::max(d.X * d.X + d.Y * d.Y, 1e-6f);
  return [=](TVec p) {
    const TVec q = p - from;
    return Mix(c0, c1, std::clamp((q.X * d.X + q.Y * d.Y) / len2, 0.0f, 1.0f));
  };
}

TPaint RadialGradient(TVec centre, float radius, TColorF inner, TColorF outer) {
  return [=](TVec p) {
    return Mix(inner, outer, std::clamp(Length(p - centre) / radius, 0.0f, 1.0f));
  };
}

void Fill(TCanvas& canvas, const TShape& shape, const TPaint& paint, float opacity) {
  ForBox(canvas, shape, 0.0f, [&](int x, int y, TVec p) {
    const float cover = Coverage(shape(p));
    if (cover > 0.0f) canvas.Blend(x, y, paint(p), cover * opacity);
  });
}

void Stroke(TCanvas& canvas, const TShape& shape, float width, TColorF colour, float opacity) {
  Fill(canvas, Shell(shape, width), Solid(colour), opacity);
}

void Glow(TCanvas& canvas, const TShape& shape, float radius, TColorF colour, float strength) {
  ForBox(canvas, shape, radius * 2.5f, [&](int x, int y, TVec p) {
    const float d = std::max(shape(p), 0.0f);
    const float k = std::exp(-d / radius) * strength;
    if (k > 0.004f) canvas.AddLight(x, y, colour, k);
  });
}

void DropShadow(TCanvas& canvas, const TShape& shape, TVec offset, float softness, float opacity) {
  const TShape moved = Translate(shape, offset);
  ForBox(canvas, moved, softness, [&](int x, int y, TVec p) {
    const float t = std::clamp(0.5f - moved(p) / softness, 0.0f, 1.0f);
    if (t > 0.0f) canvas.Blend(x, y, {0, 0, 0}, t * t * opacity);
  });
}

TMaterial Plastic(TColorF base) {
  TMaterial m;
  m.Paint = Solid(base);
  return m;
}

TMaterial Metal(TColorF base) {
  TMaterial m;
  m.Paint = Solid(base);
  m.Ambient = 0.45f, m.Diffuse = 0.8f, m.Shine = 0.8f, m.Gloss = 40.0f, m.Relief = 1.4f;
  return m;
}

void FillLit(TCanvas& canvas, const TShape& shape, const TMaterial& m) {
  const float lLen = std::sqrt(LightX * LightX + LightY * LightY + LightZ * LightZ);
  const float lx = LightX / lLen, ly = LightY / lLen, lz = LightZ / lLen;
  // Half vector between the lamp and the viewer straight above.
  const float hLen = std::sqrt(lx * lx + ly * ly + (lz + 1) * (lz + 1));
  const float hx = lx / hLen, hy = ly / hLen, hz = (lz + 1) / hLen;
  ForBox(canvas, shape, 0.0f, [&](int x, int y, TVec p) {
    const float d = shape(p);
    const float cover = Coverage(d);
    if (cover <= 0.0f) return;
    // The outward direction of the outline nearest to p, from the field's slope.
    const float e = 0.5f;
    float gx = shape({p.X + e, p.Y}) - shape({p.X - e, p.Y});
    float gy = shape({p.X, p.Y + e}) - shape({p.X, p.Y - e});
    const float gl = std::sqrt(gx * gx + gy * gy);
    if (gl > 1e-6f) gx /= gl, gy /= gl;
    // Within the bevel the surface tilts outwards, steepest at the rim.
    const float depth = std::max(-d, 0.0f);
    const float u = m.Bevel > 0 ? std::clamp(1.0f - depth / m.Bevel, 0.0f, 1.0f) : 0.0f;
    const float tilt = m.Relief * u * u * 1.6f;
    float nx = gx * tilt, ny = gy * tilt, nz = 1.0f;
    const float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
    nx /= nl, ny /= nl, nz /= nl;
    const float diffuse = std::max(nx * lx + ny * ly + nz * lz, 0.0f);
    const float specular = std::pow(std::max(nx * hx + ny * hy + nz * hz, 0.0f), m.Gloss) * m.Shine;
    const TColorF base = m.Paint(p);
    TColorF c = Scale(base, m.Ambient + m.Diffuse * diffuse);
    c = Clamp({c.R + specular, c.G + specular, c.B + specular});
    if (m.Outline > 0.0f) {
      const float rim = std::clamp(m.Outline + 0.5f + d, 0.0f, 1.0f);
      c = Mix(c, Darken(base, m.OutlineDark), rim);
    }
    canvas.Blend(x, y, c, cover);
  });
}

void Highlight(TCanvas& canvas, const TShape& shape, float strength) {
  const TBox b = shape.Bounds();
  const float w = b.Right - b.Left, h = b.Bottom - b.Top;
  // A soft ellipse in the upper-left quarter, clipped to the shape's inside.
  const TVec c{b.Left + w * 0.36f, b.Top + h * 0.3f};
  const float rx = w * 0.3f, ry = h * 0.2f;
  ForBox(canvas, shape, 0.0f, [&](int x, int y, TVec p) {
    const float inside = std::clamp(-shape(p) - 1.5f, 0.0f, 1.0f);
    if (inside <= 0.0f) return;
    const float qx = (p.X - c.X) / rx, qy = (p.Y - c.Y) / ry;
    const float k = std::clamp(1.0f - std::sqrt(qx * qx + qy * qy), 0.0f, 1.0f);
    if (k > 0.0f) canvas.Blend(x, y, {1, 1, 1}, inside * k * k * strength);
  });
}

}  // namespace quellix::assetgen
