// The player's ships and ghost, shots, shields and bomb waves.
#include <algorithm>
#include <cmath>

#include "images/vtPainters.h"
#include "images/vtSpriteKit.h"

namespace quellix::assetgen {

namespace {

constexpr TSide Sides[] = {TSide::Left, TSide::Right, TSide::Top, TSide::Bottom};

// A delta fighter pointing up, `across` wide and `depth` deep; flicker (0..1) drives the
// engines and blink the wing-tip lights.
void DrawShip(TCanvas& c, TSide side, float across, float depth, TColorF hull, float flicker,
              bool blink) {
  const float k = depth / 39.0f, s = across / 50.0f;
  auto P = [&](float x, float y) { return TVec{x * s, y * k}; };
  auto O = [&](const TShape& shape) { return Oriented(shape, side, across, depth); };

  const TColorF flame{1.0f, 0.62f, 0.2f};
  for (float x : {13.0f, 37.0f})
    Glow(c, O(Ellipse(P(x, 38), 3.5f * s, 3 * k)), 2.5f + 2 * flicker, flame,
         0.5f + 0.6f * flicker);

  const TShape wings = O(Polygon({P(25, 8), P(48.5f, 28), P(48.5f, 35.5f), P(36, 32), P(14, 32),
                                  P(1.5f, 35.5f), P(1.5f, 28)}));
  TMaterial hullMat = Metal(hull);
  hullMat.Bevel = 3;
  FillLit(c, wings, hullMat);
  // Panel lines and a racing stripe on each wing.
  Stroke(c, O(Polygon({P(25, 14), P(43, 29.5f), P(7, 29.5f)})), 0.8f, Darken(hull, 0.45f), 0.7f);
  for (float sign : {-1.0f, 1.0f})
    Fill(c, O(Capsule(P(25 + sign * 9, 23), P(25 + sign * 19, 30.5f), 1.1f)),
         Solid(Lighten(hull, 0.6f)), 0.85f);

  TMaterial podMat = Metal({0.62f, 0.64f, 0.7f});
  podMat.Bevel = 3;
  for (float x : {13.0f, 37.0f}) {
    FillLit(c, O(RoundBox(P(x, 31), P(3.6f, 6), 2.5f * s)), podMat);
    Fill(c, O(RoundBox(P(x, 37.2f), P(2.4f, 1.2f), 1)), Solid(Lighten(flame, 0.3f * flicker)),
         0.6f + 0.4f * flicker);
  }

  const TShape body =
      O(Union(Ellipse(P(25, 20.5f), 6.8f * s, 19 * k), Capsule(P(25, 3), P(25, 30), 3.5f)));
  TMaterial bodyMat = Metal(Lighten(hull, 0.45f));
  bodyMat.Bevel = 5;
  FillLit(c, body, bodyMat);

  const TShape canopy = O(Ellipse(P(25, 15), 3.3f * s, 6.2f * k));
  TMaterial glass = Plastic({0.15f, 0.55f, 0.85f});
  glass.Paint = LinearGradient(P(25, 9), {0.55f, 0.9f, 1.0f}, P(25, 21), {0.05f, 0.15f, 0.35f});
  glass.Shine = 0.9f;
  glass.Bevel = 3;
  FillLit(c, O(Inflate(Ellipse(P(25, 15), 3.3f * s, 6.2f * k), 0.01f)), glass);
  Highlight(c, canopy, 0.6f);

  const TColorF tip = blink ? TColorF{1.0f, 1.0f, 0.7f} : Darken(hull, 0.3f);
  for (float x : {2.5f, 47.5f}) {
    const TShape light = O(Circle(P(x, 28.5f), 1.3f));
    if (blink) Glow(c, light, 1.8f, tip, 0.8f);
    Fill(c, light, Solid(tip));
  }
}

}  // namespace

void PaintPlayer(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Player");
  const TSize sideShip = sec.Size("side_ship"), edgeShip = sec.Size("edge_ship");
  const std::vector<TColorF> hulls = sec.Colours("colours");
  const int frames = sec.Int("frames");
  for (TSide side : Sides) {
    const bool vertical = side == TSide::Left || side == TSide::Right;
    const float across = vertical ? sideShip.Height : edgeShip.Width;
    const float depth = vertical ? sideShip.Width : edgeShip.Height;
    for (size_t colour = 0; colour < hulls.size(); ++colour) {
      std::vector<TCanvas> pictures;
      for (int f = 0; f < frames; ++f) {
        TCanvas c = Canvas(OrientedSize(side, across, depth));
        const float flicker = 0.55f + 0.45f * std::sin(static_cast<float>(f) * 2.4f);
        DrawShip(c, side, across, depth, hulls[colour], flicker, f < frames / 2);
        pictures.push_back(std::move(c));
      }
      out.AddLoop("Player", SideName(side) + std::to_string(colour + 1), std::move(pictures));
    }
  }

  // The ghost: a ship's outline in a warp bubble, shimmering by its frames' alpha.
  const TSize ghostSize = sec.Size("ghost_size");
  const std::vector<int> alphas = sec.Ints("ghost_alphas");
  const TColorF ghostColour = sec.Colour("ghost_colour");
  const int ghostImages = 4;
  std::vector<TFrameOut> frames2;
  std::vector<std::string> names;
  for (int i = 0; i < ghostImages; ++i) {
    TCanvas c = Canvas(ghostSize);
    const TVec centre{ghostSize.Width / 2.0f, ghostSize.Height / 2.0f};
    const float r = std::min(ghostSize.Width, ghostSize.Height) / 2.0f - 4;
    const float phase = static_cast<float>(i) / ghostImages * 2 * Pi;
    Fill(c, Circle(centre, r),
         RadialGradient(centre, r, Scale(ghostColour, 0.1f), Scale(ghostColour, 0.45f)), 0.5f);
    Glow(c, Ring(centre, r, 1.5f), 2.5f, ghostColour, 0.8f);
    for (int k = 0; k < 3; ++k) {
      const float a = phase + static_cast<float>(k) * 2 * Pi / 3;
      Fill(c, Shell(Ellipse(centre, r * (0.55f + 0.35f * std::abs(std::cos(a))), r * 0.95f), 1.0f),
           Solid(Lighten(ghostColour, 0.5f)), 0.35f);
    }
    const float sw = r * 1.1f;
    TCanvas ship(static_cast<int>(sw), static_cast<int>(sw * 0.8f));
    DrawShip(ship, TSide::Bottom, sw, sw * 0.8f, Lighten(ghostColour, 0.4f), 0.8f, false);
    c.Compose(ship, static_cast<int>(centre.X - sw / 2), static_cast<int>(centre.Y - sw * 0.4f),
              0.75f);
    names.push_back(out.AddImage(ImageName("Player", "ghost", i), std::move(c)));
  }
  for (size_t f = 0; f < alphas.size(); ++f) {
    TFrameOut frame{names[f % names.size()]};
    frame.Alpha = alphas[f];
    frames2.push_back(frame);
  }
  out.AddScene("Player", "ghost", std::move(frames2));
}

void PaintShots(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Shots");
  const std::vector<std::string> reels = sec.List("reels");
  const std::vector<int> widths = sec.Ints("widths");
  const std::vector<int> bolts = sec.Ints("bolts");
  const int length = sec.Int("length"), sideHeight = sec.Int("side_height");
  const std::vector<TColorF> colours = sec.Colours("colours");
  const int frames = sec.Int("frames");
  for (size_t r = 0; r < reels.size(); ++r) {
    const int across = widths.at(r), count = bolts.at(r);
    for (TSide side : Sides) {
      const bool vertical = side == TSide::Top || side == TSide::Bottom;
      // Across the flight the shot is as wide as its reel says going up or down; sideways
      // shots start at the same height for every power, so they keep one height.
      const float span = vertical ? static_cast<float>(across) : static_cast<float>(sideHeight);
      for (size_t colour = 0; colour < colours.size(); ++colour) {
        std::vector<TCanvas> pictures;
        for (int f = 0; f < frames; ++f) {
          const TSize size = vertical ? TSize{across, length} : TSize{length, sideHeight};
          TCanvas c = Canvas(size);
          const float pulse = 0.8f + 0.2f * std::cos(static_cast<float>(f) * 2 * Pi / frames);
          const float gap = span / static_cast<float>(count);
          const float radius = std::min(gap * 0.26f, 4.2f) * (0.9f + 0.1f * pulse);
          for (int b = 0; b < count; ++b) {
            const float offset = gap * (static_cast<float>(b) + 0.5f);
            // The middle bolt of three leads; the others trail a little.
            const float lead = (count == 3 && b != 1) ? 3.0f : 0.0f;
            const float head = 3.0f + lead, tail = static_cast<float>(length) - 3.0f;
            TVec a, z;  // a: the leading end
            switch (side) {
              case TSide::Top:
                a = {offset, tail}, z = {offset, head};
                break;
              case TSide::Bottom:
                a = {offset, head}, z = {offset, tail};
                break;
              case TSide::Left:
                a = {tail, offset}, z = {head, offset};
                break;
              case TSide::Right:
                a = {head, offset}, z = {tail, offset};
                break;
            }
            Bolt(c, z, a, radius, colours[colour], pulse);
          }
          c.FadeEdges(2.5f);
          pictures.push_back(std::move(c));
        }
        out.AddLoop(reels[r], SideName(side) + std::to_string(colour + 1), std::move(pictures));
      }
    }
  }
}

void PaintShields(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Shields");
  const TSize sideSize = sec.Size("side_size"), edgeSize = sec.Size("edge_size");
  const std::vector<TColorF> colours = sec.Colours("colours");
  const int frames = sec.Int("frames");
  struct TShieldSide {
    const char* Prefix;
    TSide Side;
  };
  const TShieldSide shieldSides[] = {{"LShield", TSide::Left},
                                     {"UShield", TSide::Top},
                                     {"RShield", TSide::Right},
                                     {"BShield", TSide::Bottom}};
  for (const TShieldSide& ss : shieldSides) {
    const bool vertical = ss.Side == TSide::Left || ss.Side == TSide::Right;
    const TSize size = vertical ? sideSize : edgeSize;
    // The dome's centre sits on the screen edge behind the middle of the ship.
    TVec centre;
    float rx, ry;
    switch (ss.Side) {
      case TSide::Left:
        centre = {0, size.Height / 2.0f};
        break;
      case TSide::Right:
        centre = {static_cast<float>(size.Width), size.Height / 2.0f};
        break;
      case TSide::Top:
        centre = {size.Width / 2.0f, 0};
        break;
      case TSide::Bottom:
        centre = {size.Width / 2.0f, static_cast<float>(size.Height)};
        break;
    }
    if (vertical)
      rx = size.Width - 3.0f, ry = size.Height / 2.0f - 3.0f;
    else
      rx = size.Width / 2.0f - 3.0f, ry = size.Height - 3.0f;
    const TShape dome = Ellipse(centre, rx, ry);
    for (size_t v = 0; v < colours.size(); ++v) {
      const TColorF col = colours[v];
      std::vector<TCanvas> pictures;
      for (int f = 0; f < frames; ++f) {
        TCanvas c = Canvas(size);
        const float phase = static_cast<float>(f) / frames;
        // Inside: a faint field with a hexagon lattice, brightest towards the rim.
        for (int y = 0; y < size.Height; ++y)
          for (int x = 0; x < size.Width; ++x) {
            const TVec p{x + 0.5f, y + 0.5f};
            const float d = dome(p);
            if (d > 0.5f) continue;
            const float cover = std::clamp(0.5f - d, 0.0f, 1.0f);
            const float depth = std::clamp(-d / 18.0f, 0.0f, 1.0f);
            // Hexagon cells: distance to the nearest line of three families of lines.
            const float hx = p.X / 7.0f, hy = p.Y / 7.0f;
            float line = 1;
            for (int k = 0; k < 3; ++k) {
              const float a = static_cast<float>(k) * Pi / 3;
              const float t = hx * std::cos(a) + hy * std::sin(a);
              line = std::min(line, std::abs(t - std::round(t)));
            }
            const float lattice = std::clamp(1.0f - line * 7.0f, 0.0f, 1.0f);
            // A bright band running round the dome.
            const float ang = std::atan2(p.Y - centre.Y, p.X - centre.X);
            const float band = 0.5f + 0.5f * std::cos(ang * 3 - phase * 2 * Pi);
            const float alpha =
                (0.1f + 0.25f * (1 - depth) + lattice * 0.22f * (0.5f + band)) * cover;
            c.Blend(x, y, Lighten(col, 0.2f + 0.3f * lattice), alpha);
          }
        Glow(c, Shell(dome, 1.0f), 2.0f, col, 0.9f);
        Fill(c, Shell(Inflate(dome, -1.5f), 2.2f), Solid(Lighten(col, 0.7f)), 0.9f);
        pictures.push_back(std::move(c));
      }
      out.AddLoop("Shields", ss.Prefix + std::to_string(v + 1), std::move(pictures));
    }
  }
}

void PaintWaves(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Wave");
  const TSize hSize = sec.Size("hwave_size"), vSize = sec.Size("vwave_size");
  const TColorF col = sec.Colour("colour");
  const int frames = sec.Int("frames");
  for (const bool horizontal : {true, false}) {
    const TSize size = horizontal ? hSize : vSize;
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f) {
      TCanvas c = Canvas(size);
      const float phase = static_cast<float>(f) / frames * 2 * Pi;
      const float half = (horizontal ? size.Height : size.Width) / 2.0f;
      for (int y = 0; y < size.Height; ++y)
        for (int x = 0; x < size.Width; ++x) {
          const float along = horizontal ? x + 0.5f : y + 0.5f;
          const float acrossPos = (horizontal ? y + 0.5f : x + 0.5f) - half;
          // Two ripples of different lengths make the crest shimmer as the frames run.
          const float crest = std::sin(along * 0.045f + phase) * half * 0.35f +
                              std::sin(along * 0.13f - phase * 2) * half * 0.15f;
          const float dist = std::abs(acrossPos - crest);
          const float core = std::exp(-dist * dist / 7.0f);
          const float halo = std::exp(-dist / (half * 0.45f)) * 0.85f;
          const float edge = std::clamp((half - std::abs(acrossPos)) / 3.0f, 0.0f, 1.0f);
          const float a = std::clamp(core + halo, 0.0f, 1.0f) * edge;
          if (a > 0.003f) c.Blend(x, y, Mix(col, {1, 1, 1}, core * 0.85f), a);
        }
      pictures.push_back(std::move(c));
    }
    out.AddLoop("Wave", horizontal ? "HWave" : "VWave", std::move(pictures));
  }

  // A drip fades out by its frames' alpha over its short life.
  const TSize dripSize = sec.Size("drip_size");
  TCanvas drip = Canvas(dripSize);
  const float w = static_cast<float>(dripSize.Width), h = static_cast<float>(dripSize.Height);
  const TShape drop = Union(Circle({w / 2, h - w / 2}, w / 2 - 0.5f),
                            Polygon({{w / 2, 0.5f}, {w - 1.0f, h - w / 2}, {1.0f, h - w / 2}}));
  Fill(drip, drop, LinearGradient({w / 2, 0}, Lighten(col, 0.2f), {w / 2, h}, {1, 1, 1}));
  const std::string& name = out.AddImage(ImageName("Wave", "Drip", 0), std::move(drip));
  std::vector<TFrameOut> frames2;
  for (const int alpha : sec.Ints("drip_alphas")) {
    TFrameOut frame{name};
    frame.Alpha = alpha;
    frames2.push_back(frame);
  }
  out.AddScene("Wave", "Drip", std::move(frames2));
}

}  // namespace quellix::assetgen
