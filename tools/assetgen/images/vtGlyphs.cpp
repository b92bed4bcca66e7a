#include "images/vtGlyphs.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace quellix::assetgen {

namespace {

constexpr float GridHeight = 6.0f;

struct TGlyph {
  char Code;
  float Width;       // grid units
  const char* Path;  // M x,y move; L x,y line; A cx,cy,rx,ry,from,to arc (degrees, y down);
                     // | ends the stroke
};

// clang-format off
constexpr TGlyph Glyphs[] = {
    {'A', 4, "M0,6 L2,0 L4,6 | M0.8,3.9 L3.2,3.9"},
    {'B', 4, "M0,3 L2.5,3 A2.5,1.5,1.5,1.5,90,-90 L0,0 L0,6 L2.6,6 A2.6,4.5,1.4,1.5,90,-90 L2.4,3"},
    {'C', 4, "A2.2,3,2.1,3,-40,-320"},
    {'D', 4, "M0,0 L0,6 L1.8,6 A1.8,3,2.2,3,90,-90 L0,0"},
    {'E', 3.6, "M3.6,0 L0,0 L0,6 L3.6,6 | M0,3 L2.8,3"},
    {'F', 3.6, "M3.6,0 L0,0 L0,6 | M0,3 L2.8,3"},
    {'G', 4.2, "A2.2,3,2,3,-45,-360 L2.5,3"},
    {'H', 4, "M0,0 L0,6 | M4,0 L4,6 | M0,3 L4,3"},
    {'I', 2, "M0,0 L2,0 | M1,0 L1,6 | M0,6 L2,6"},
    {'J', 4, "M4,0 L4,4.2 A2.2,4.2,1.8,1.8,0,180"},
    {'K', 4, "M0,0 L0,6 | M4,0 L0,3.6 | M1.4,2.4 L4,6"},
    {'L', 3.6, "M0,0 L0,6 L3.6,6"},
    {'M', 4.6, "M0,6 L0,0 L2.3,3.8 L4.6,0 L4.6,6"},
    {'N', 4, "M0,6 L0,0 L4,6 L4,0"},
    {'O', 4.2, "A2.1,3,2.1,3,0,360"},
    {'P', 4, "M0,6 L0,0 L2.5,0 A2.5,1.6,1.5,1.6,-90,90 L0,3.2"},
    {'Q', 4.4, "A2.1,3,2.1,3,0,360 | M2.8,4.3 L4.4,6.2"},
    {'R', 4, "M0,6 L0,0 L2.5,0 A2.5,1.6,1.5,1.6,-90,90 L0,3.2 | M2.2,3.2 L4,6"},
    {'S', 4, "A2,1.5,1.9,1.5,-20,-270 A2,4.5,2,1.5,-90,160"},
    {'T', 4, "M0,0 L4,0 | M2,0 L2,6"},
    {'U', 4, "M0,0 L0,4 A2,4,2,2,180,0 L4,0"},
    {'V', 4, "M0,0 L2,6 L4,0"},
    {'W', 5.2, "M0,0 L1.3,6 L2.6,2 L3.9,6 L5.2,0"},
    {'X', 4, "M0,0 L4,6 | M4,0 L0,6"},
    {'Y', 4, "M0,0 L2,3 L4,0 | M2,3 L2,6"},
    {'Z', 4, "M0,0 L4,0 L0,6 L4,6"},
    {'0', 4, "A2,3,2,3,0,360"},
    {'1', 3, "M0.2,1.3 L1.6,0 L1.6,6 | M0.2,6 L3,6"},
    {'2', 4, "A2,1.8,1.9,1.8,-160,0 L0,6 L4,6"},
    {'3', 4, "A2,1.5,1.8,1.5,-150,90 A2,4.5,2,1.5,-90,150"},
    {'4', 4, "M3,6 L3,0 L0,4.2 L4,4.2"},
    {'5', 4, "M3.8,0 L0.4,0 L0.2,2.8 A2,4.1,2,1.9,-125,150"},
    {'6', 4, "A2,4.1,1.9,1.9,0,360 | M0.2,3.4 L2.8,0"},
    {'7', 4, "M0,0 L4,0 L1.5,6"},
    {'8', 4, "A2,1.45,1.6,1.45,0,360 | A2,4.4,1.95,1.6,0,360"},
    {'9', 4, "A2,1.9,1.9,1.9,0,360 | M3.8,2.6 L1.2,6"},
    {'!', 1, "M0.5,0 L0.5,4 | M0.5,5.9 L0.5,6"},
    {'.', 1, "M0.5,5.9 L0.5,6"},
    {':', 1, "M0.5,1.9 L0.5,2 | M0.5,5.9 L0.5,6"},
    {'+', 4, "M0.4,3 L3.6,3 | M2,1.4 L2,4.6"},
    {'-', 3.2, "M0.2,3 L3,3"},
    {'\'', 1, "M0.5,0 L0.5,1.6"},
    {'/', 3, "M0,6 L3,0"},
    {' ', 2.2, ""},
};
// clang-format on

const TGlyph* FindGlyph(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  for (const TGlyph& g : Glyphs)
    if (g.Code == c) return &g;
  return nullptr;
}

std::vector<float> Numbers(const char*& p, int count) {
  std::vector<float> out;
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    out.push_back(std::strtof(p, &end));
    p = end;
    if (*p == ',') ++p;
  }
  return out;
}

// The strokes of a glyph as polylines in grid units.
std::vector<std::vector<TVec>> Strokes(const TGlyph& glyph) {
  std::vector<std::vector<TVec>> strokes;
  const float pi = 3.14159265358979f;
  for (const char* p = glyph.Path; *p;) {
    const char op = *p++;
    if (op == 'M') {
      const auto v = Numbers(p, 2);
      strokes.push_back({{v[0], v[1]}});
    } else if (op == 'L') {
      const auto v = Numbers(p, 2);
      strokes.back().push_back({v[0], v[1]});
    } else if (op == 'A') {
      const auto v = Numbers(p, 6);
      if (strokes.empty() || strokes.back().empty()) strokes.emplace_back();
      const int steps = std::max(4, static_cast<int>(std::abs(v[5] - v[4]) / 10.0f));
      for (int i = 0; i <= steps; ++i) {
        const float a = (v[4] + (v[5] - v[4]) * static_cast<float>(i) / steps) * pi / 180.0f;
        strokes.back().push_back({v[0] + v[2] * std::cos(a), v[1] + v[3] * std::sin(a)});
      }
    } else if (op == '|') {
      strokes.emplace_back();
    }
  }
  return strokes;
}

float Advance(const TGlyph& glyph, const TTextStyle& style) {
  return (glyph.Width + style.Spacing) * style.CapHeight / GridHeight;
}

}  // namespace

float TextWidth(std::string_view text, const TTextStyle& style) {
  float width = 0;
  bool any = false;
  for (char c : text)
    if (const TGlyph* g = FindGlyph(c)) {
      width += Advance(*g, style);
      any = true;
    }
  if (!any) return 0;
  return width - style.Spacing * style.CapHeight / GridHeight + 2 * style.Weight +
         std::abs(style.Slant) * style.CapHeight;
}

TShape TextShape(std::string_view text, const TTextStyle& style, TVec origin) {
  const float unit = style.CapHeight / GridHeight;
  // The slant leans the tops right; start far enough right that the feet stay inside.
  float x = origin.X + style.Weight + std::max(-style.Slant, 0.0f) * style.CapHeight;
  const float top = origin.Y + style.Weight;
  std::vector<TShape> parts;
  for (char c : text) {
    const TGlyph* g = FindGlyph(c);
    if (!g) continue;
    for (const auto& stroke : Strokes(*g)) {
      for (size_t i = 0; i < stroke.size(); ++i) {
        const TVec a{x + stroke[i].X * unit, top + stroke[i].Y * unit};
        const TVec b = i + 1 < stroke.size()
                           ? TVec{x + stroke[i + 1].X * unit, top + stroke[i + 1].Y * unit}
                           : a;
        if (i + 1 < stroke.size() || stroke.size() == 1)
          parts.push_back(Capsule(a, b, style.Weight));
      }
    }
    x += Advance(*g, style);
  }
  if (parts.empty()) return Circle({origin.X - 1000, origin.Y - 1000}, 0);
  const TShape shape = UnionAll(std::move(parts));
  return style.Slant != 0 ? Shear(shape, style.Slant, top + style.CapHeight) : shape;
}

TTextStyle FitText(std::string_view text, float width, float height, float weightRatio,
                   float slant) {
  TTextStyle style;
  style.Slant = slant;
  // Cap height h with weight w = h * ratio takes height h + 2w.
  style.CapHeight = height / (1.0f + 2.0f * weightRatio);
  style.Weight = style.CapHeight * weightRatio;
  const float w = TextWidth(text, style);
  if (w > width) {
    const float k = width / w;
    style.CapHeight *= k;
    style.Weight *= k;
  }
  return style;
}

}  // namespace quellix::assetgen
