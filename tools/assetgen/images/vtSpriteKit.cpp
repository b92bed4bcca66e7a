#include "images/vtSpriteKit.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quellix::assetgen {

void Orb(TCanvas& canvas, TVec c, float r, TColorF colour, float glow) {
  const TShape ball = Circle(c, r);
  if (glow > 0) Glow(canvas, ball, r * 0.6f, colour, glow);
  TMaterial m = Plastic(colour);
  m.Paint = RadialGradient(c + TVec{-r * 0.35f, -r * 0.35f}, r * 1.6f, Lighten(colour, 0.35f),
                           Darken(colour, 0.35f));
  m.Bevel = r;
  m.Outline = r > 4 ? 1.0f : 0.0f;
  FillLit(canvas, ball, m);
  Highlight(canvas, ball, 0.7f);
}

void Bolt(TCanvas& canvas, TVec a, TVec b, float r, TColorF colour, float intensity) {
  const TShape body = Capsule(a, b, r);
  Glow(canvas, body, r * 0.7f, colour, 0.7f * intensity);
  Fill(canvas, body, Solid(Lighten(colour, 0.25f)), std::min(1.0f, intensity));
  Fill(canvas, Capsule(a, b, r * 0.45f), Solid(Lighten(colour, 0.85f)), std::min(1.0f, intensity));
}

void Vortex(TCanvas& canvas, TVec c, float radius, TColorF colour, int arms, float turn) {
  const int left = std::max(0, static_cast<int>(std::floor(c.X - radius - 1)));
  const int top = std::max(0, static_cast<int>(std::floor(c.Y - radius - 1)));
  const int right = std::min(canvas.Width() - 1, static_cast<int>(std::ceil(c.X + radius)));
  const int bottom = std::min(canvas.Height() - 1, static_cast<int>(std::ceil(c.Y + radius)));
  for (int y = top; y <= bottom; ++y)
    for (int x = left; x <= right; ++x) {
      const TVec p{x + 0.5f, y + 0.5f};
      const float r = Length(p - c) / radius;
      if (r > 1.0f) continue;
      const float theta = std::atan2(p.Y - c.Y, p.X - c.X);
      const float swirl =
          0.5f + 0.5f * std::cos(arms * (theta + turn) + 7.0f * std::log(r + 0.05f));
      const float ringLight = std::exp(-std::pow((r - 0.82f) / 0.12f, 2.0f));
      const float body = std::pow(r, 1.4f) * (0.35f + 0.65f * swirl);
      const float alpha = std::clamp((1.0f - r) * 10.0f, 0.0f, 1.0f);
      TColorF shade =
          Mix({0.01f, 0.0f, 0.03f}, colour, std::clamp(body + ringLight * 0.6f, 0.0f, 1.0f));
      shade = Mix(shade, {1, 1, 1}, ringLight * swirl * 0.45f);
      canvas.Blend(x, y, shade, alpha);
    }
  Glow(canvas, Ring(c, radius - 1, 1.0f), 2.0f, colour, 0.5f);
}

float Hash01(int x, int y, int seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
               static_cast<uint32_t>(seed) * 2246822519u;
  h = (h ^ (h >> 13u)) * 1274126177u;
  h ^= h >> 16u;
  return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float ValueNoise(float x, float y, int seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  float fx = x - x0, fy = y - y0;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  const float a = Hash01(x0, y0, seed), b = Hash01(x0 + 1, y0, seed);
  const float c = Hash01(x0, y0 + 1, seed), d = Hash01(x0 + 1, y0 + 1, seed);
  return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

float Fractal(float x, float y, int seed, int octaves) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += ValueNoise(x, y, seed + i * 17) * amp;
    norm += amp;
    x *= 2.03f, y *= 2.03f, amp *= 0.5f;
  }
  return sum / norm;
}

const char* SideName(TSide side) {
  switch (side) {
    case TSide::Left:
      return "Left";
    case TSide::Right:
      return "Right";
    case TSide::Top:
      return "Top";
    case TSide::Bottom:
      return "Bottom";
  }
  return "";
}

TShape Oriented(const TShape& design, TSide side, float across, float depth) {
  switch (side) {
    case TSide::Bottom:
      return design;
    case TSide::Top:
      return Rotate(design, {across / 2, depth / 2}, Pi);
    case TSide::Left:
      return Translate(Rotate(design, {0, 0}, Pi / 2), {depth, 0});
    case TSide::Right:
      return Translate(Rotate(design, {0, 0}, -Pi / 2), {0, across});
  }
  return design;
}

TSize OrientedSize(TSide side, float across, float depth) {
  const int a = static_cast<int>(across), d = static_cast<int>(depth);
  return (side == TSide::Left || side == TSide::Right) ? TSize{d, a} : TSize{a, d};
}

namespace {

TTextStyle LayoutStyle(std::string_view text, TSize size, const TTextLook& layout) {
  return FitText(text, size.Width - 2 * layout.Margin, size.Height - 2 * layout.Margin,
                 layout.WeightRatio, layout.Slant);
}

TVec LayoutOrigin(std::string_view text, TSize size, const TTextStyle& style) {
  const float tw = TextWidth(text, style), th = style.CapHeight + 2 * style.Weight;
  return {(size.Width - tw) / 2, (size.Height - th) / 2};
}

}  // namespace

TTextSprite::TTextSprite(std::string_view text, TSize size, const TTextLook& layout)
    : fSize(size),
      fStyle(LayoutStyle(text, size, layout)),
      fTop(LayoutOrigin(text, size, fStyle).Y),
      fHeight(fStyle.CapHeight + 2 * fStyle.Weight),
      fShape(Sampled(TextShape(text, fStyle, LayoutOrigin(text, size, fStyle)),
                     std::max(8.0f, fStyle.Weight * 3.5f))) {}

TCanvas TTextSprite::Render(const TTextLook& look, float sweep) const {
  TCanvas canvas = Canvas(fSize);
  if (look.GlowStrength > 0)
    Glow(canvas, fShape, std::max(2.0f, fStyle.Weight * 1.2f), look.Glow, look.GlowStrength);
  TMaterial m = Metal(look.Top);
  m.Paint = LinearGradient({0, fTop}, look.Top, {0, fTop + fHeight}, look.Bottom);
  m.Bevel = fStyle.Weight * 0.9f;
  m.Outline = std::max(1.0f, fStyle.Weight * 0.3f);
  m.OutlineDark = 0.8f;
  FillLit(canvas, fShape, m);
  canvas.FadeEdges(3.0f);
  if (sweep < 0) return canvas;
  // A bright diagonal band sliding across the letters, for a shimmer.
  const float bandX = -0.2f * fSize.Width + sweep * 1.4f * fSize.Width;
  const TBox box = fShape.Bounds();
  const int x0 = std::max(0, static_cast<int>(box.Left)),
            y0 = std::max(0, static_cast<int>(box.Top));
  const int x1 = std::min(fSize.Width, static_cast<int>(box.Right) + 2);
  const int y1 = std::min(fSize.Height, static_cast<int>(box.Bottom) + 2);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const TVec p{x + 0.5f, y + 0.5f};
      const float d = fShape(p);
      if (d > 0.5f) continue;
      const float band = std::abs((p.X + p.Y * 0.6f) - bandX);
      const float k = std::clamp(1.0f - band / (fSize.Height * 0.35f), 0.0f, 1.0f);
      if (k > 0) canvas.Blend(x, y, {1, 1, 1}, k * 0.6f * std::clamp(0.5f - d, 0.0f, 1.0f));
    }
  return canvas;
}

TCanvas LitText(std::string_view text, TSize size, const TTextLook& look, float sweep) {
  return TTextSprite(text, size, look).Render(look, sweep);
}

}  // namespace quellix::assetgen
