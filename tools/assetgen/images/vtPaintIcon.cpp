// The game's icon for the desktop: the hole in the middle of a night sky and a ship on
// each edge firing inwards. Drawn on a 64-unit grid and scaled to each size, so every
// size is drawn afresh rather than resampled.
#include <algorithm>
#include <stdexcept>
#include <string>

#include "images/vtPainters.h"
#include "images/vtSpriteKit.h"

namespace quellix::assetgen {

namespace {

constexpr float Grid = 64.0f;
constexpr int StarCount = 14;
constexpr int MinSize = 16, MaxSize = 1024;

struct TIconLook {
  TColorF SkyInner, SkyOuter, Rim, Hole;
  std::vector<TColorF> Ships, Shots;
};

TCanvas PaintIcon(int size, const TIconLook& look) {
  TCanvas canvas(size, size);
  const float u = static_cast<float>(size) / Grid;
  auto P = [u](float x, float y) { return TVec{x * u, y * u}; };
  const TVec centre = P(32, 32);

  // The rim, at least a pixel wide, stays inside the picture at every size.
  const float rim = std::max(1.0f, 1.2f * u);
  const TShape plate = RoundBox(centre, {32 * u - rim, 32 * u - rim}, 11 * u);
  Fill(canvas, plate, RadialGradient(P(26, 24), 44 * u, look.SkyInner, look.SkyOuter));
  Stroke(canvas, plate, rim, look.Rim, 0.9f);
  // Stars only where they can be more than a speck.
  if (size >= 32)
    for (int i = 0; i < StarCount; ++i) {
      const TVec at = P(6 + 52 * Hash01(i, 1, 7), 6 + 52 * Hash01(i, 2, 7));
      Fill(canvas, Circle(at, (0.4f + 0.5f * Hash01(i, 3, 7)) * u), Solid({1, 1, 1}),
           0.4f + 0.5f * Hash01(i, 4, 7));
    }

  Vortex(canvas, centre, 13 * u, look.Hole, 3, 0.0f);

  // One ship drawn on the bottom edge pointing up, turned to each edge in turn.
  const TShape ship = Polygon({P(32, 49), P(41, 60), P(32, 56.5f), P(23, 60)});
  for (size_t side = 0; side < look.Ships.size(); ++side) {
    const float angle = static_cast<float>(side) * Pi / 2;
    TMaterial hull = Metal(look.Ships[side]);
    hull.Bevel = 2.5f * u;
    hull.Outline = std::max(0.6f, 0.9f * u);
    FillLit(canvas, Rotate(ship, centre, angle), hull);
    if (size >= 48)
      Bolt(canvas, centre + Rotate(P(0, 14), angle), centre + Rotate(P(0, 10), angle), 1.1f * u,
           look.Shots[side], 1.0f);
  }
  return canvas;
}

}  // namespace

std::vector<TIconOut> PaintIcons(const TArtSource& source) {
  const TArtSection& sec = source.Section("icon");
  const TIconLook look{sec.Colour("sky_inner"), sec.Colour("sky_outer"), sec.Colour("rim"),
                       sec.Colour("hole"),      sec.Colours("ships"),    sec.Colours("shots")};
  if (look.Ships.size() != 4 || look.Shots.size() != 4)
    throw std::runtime_error("icon: ships and shots need one colour per edge");
  std::vector<TIconOut> icons;
  for (int size : sec.Ints("sizes")) {
    if (size < MinSize || size > MaxSize)
      throw std::runtime_error("icon: size " + std::to_string(size) + " is not between " +
                               std::to_string(MinSize) + " and " + std::to_string(MaxSize));
    icons.push_back({size, PaintIcon(size, look)});
  }
  return icons;
}

}  // namespace quellix::assetgen
