// Hit sparks and the ship explosion's blast rings, score popups, shrapnel and the hole.
#include <algorithm>
#include <cmath>

#include "images/vtPainters.h"
#include "images/vtSpriteKit.h"

namespace quellix::assetgen {

namespace {

// One stage (t from 0 to 1) of a hit spark: rays, a hot core and flying sparks.
TCanvas Spark(TSize size, TColorF colour, int rays, float t, int seed) {
  TCanvas c = Canvas(size);
  const TVec centre{size.Width / 2.0f, size.Height / 2.0f};
  const float reach = std::min(size.Width, size.Height) / 2.0f - 3;
  const float outer = reach * (0.35f + 0.65f * t), inner = outer * 0.28f;
  const float fade = 1.0f - t * 0.6f;
  const TShape star = Inflate(Star(centre, rays, outer, inner, 0.3f * seed), 0.6f);
  Glow(c, star, 3.0f, colour, 0.8f * fade);
  Fill(c, star, RadialGradient(centre, outer, Lighten(colour, 0.8f), colour), fade);
  const float core = reach * 0.32f * (1.0f - t * 0.7f);
  Fill(c, Circle(centre, core), RadialGradient(centre, core, {1, 1, 1}, Lighten(colour, 0.5f)),
       fade);
  for (int i = 0; i < rays; ++i) {
    const float a = (static_cast<float>(i) + 0.5f) * 2 * Pi / rays + Hash01(i, seed, 3) * 0.5f;
    const float r = reach * (0.3f + 0.7f * t) * (0.7f + 0.3f * Hash01(i, seed, 5));
    Orb(c, centre + Polar(r, a), 1.2f + (1 - t), Lighten(colour, 0.5f), 0.5f * fade);
  }
  return c;
}

// One moment (t from 0 to 1) of the ship explosion: a fireball boiling out into smoke
// under a shock ring that races outwards and thins.
TCanvas Blast(TSize size, TColorF hot, TColorF fire, TColorF smoke, float t) {
  TCanvas c = Canvas(size);
  const TVec centre{size.Width / 2.0f, size.Height / 2.0f};
  const float reach = std::min(size.Width, size.Height) / 2.0f;
  // Streaks of burning debris flying out in the first half.
  if (t < 0.6f)
    for (int i = 0; i < 14; ++i) {
      const float a = Hash01(i, 1, 29) * 2 * Pi;
      const float speed = 0.45f + 0.5f * Hash01(i, 2, 29);
      const float r = reach * speed * (0.2f + 1.2f * t);
      const float fade = 1.0f - t / 0.6f;
      Bolt(c, centre + Polar(r * 0.7f, a), centre + Polar(r, a), 1.3f, fire, fade);
    }
  const float ball = reach * (0.28f + 0.32f * std::sqrt(t));
  for (int y = 0; y < size.Height; ++y)
    for (int x = 0; x < size.Width; ++x) {
      const TVec p{x + 0.5f, y + 0.5f};
      const float r = Length(p - centre);
      if (r > ball * 1.35f) continue;
      const float n = Fractal(p.X * 0.035f + t * 2.5f, p.Y * 0.035f - t * 1.5f, 11, 5);
      const float edge = ball * (0.75f + 0.6f * n);
      if (r > edge) continue;
      const float k = r / edge;  // 0 at the heart, 1 at the rim
      const float heat =
          std::clamp((1 - k) * 1.4f - t * 1.1f + (n - 0.5f) * 0.8f + 0.2f, 0.0f, 1.0f);
      const TColorF col =
          heat > 0.5f ? Mix(fire, hot, (heat - 0.5f) * 2) : Mix(smoke, fire, heat * 2);
      const float alpha =
          std::clamp((1 - k) * 4.0f, 0.0f, 1.0f) * (1 - t * t) * (0.7f + 0.3f * heat);
      c.Blend(x, y, col, alpha);
    }
  const float ringR = reach * (0.2f + 0.75f * t);
  const TShape ring = Ring(centre, ringR, 1.5f + 5 * (1 - t));
  Glow(c, ring, 3 + 4 * t, fire, 0.9f * (1 - t));
  Fill(c, ring, Solid(Mix(hot, fire, t)), 0.9f * (1 - t));
  return c;
}

}  // namespace

void PaintExplosions(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Explosions");
  const TSize sparkSize = sec.Size("spark_size");
  const std::vector<TColorF> colours = sec.Colours("spark_colours");
  const std::vector<int> rays = sec.Ints("spark_rays");
  const std::vector<int> alphas = sec.Ints("spark_alphas");
  const int stages = sec.Int("spark_stages"), spin = sec.Int("spark_spin");
  for (size_t v = 0; v < colours.size(); ++v) {
    const std::string scene = "exp" + std::to_string(v + 1);
    std::vector<std::string> names;
    for (int s = 0; s < stages; ++s)
      names.push_back(out.AddImage(
          ImageName("Explosions", scene, s),
          Spark(sparkSize, colours[v], rays.at(v), static_cast<float>(s) / std::max(stages - 1, 1),
                static_cast<int>(v))));
    // A spark is placed on the centre of what was hit. Turned frames are drawn with their
    // centre on the sprite's position, so every frame turns a little: the spark lands
    // centred and spins as it fades.
    std::vector<TFrameOut> frames;
    for (size_t f = 0; f < alphas.size(); ++f) {
      TFrameOut frame{names[f * names.size() / alphas.size()]};
      frame.Alpha = alphas[f];
      frame.Angle = spin * static_cast<int>(f + 1);
      frames.push_back(frame);
    }
    out.AddScene("Explosions", scene, std::move(frames));
  }

  const TSize ringSize = sec.Size("ring_size");
  const int ringFrames = sec.Int("ring_frames");
  const TColorF hot = sec.Colour("ring_hot"), fire = sec.Colour("ring_fire"),
                smoke = sec.Colour("ring_smoke");
  std::vector<TCanvas> pictures;
  for (int f = 0; f < ringFrames; ++f)
    pictures.push_back(Blast(ringSize, hot, fire, smoke, static_cast<float>(f) / ringFrames));
  out.AddLoop("Explosions", "ring1", std::move(pictures));
}

void PaintBonuses(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Bonuses");
  const std::vector<std::string> values = sec.List("values");
  const std::vector<TColorF> colours = sec.Colours("colours");
  const int height = sec.Int("height"), frames = sec.Int("frames");
  for (size_t v = 0; v < values.size(); ++v) {
    TTextLook look{Lighten(colours.at(v), 0.55f), colours.at(v), colours.at(v)};
    look.WeightRatio = 0.2f;
    look.Slant = 0.15f;
    look.Margin = 3;
    TTextStyle probe =
        FitText(values[v], 1000, height - 2 * look.Margin, look.WeightRatio, look.Slant);
    const TSize size{static_cast<int>(std::ceil(TextWidth(values[v], probe) + 2 * look.Margin + 1)),
                     height};
    const TTextSprite text(values[v], size, look);
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f)
      pictures.push_back(text.Render(look, static_cast<float>(f) / frames));
    out.AddLoop("Bonuses", values[v], std::move(pictures));
  }
}

void PaintShrapnel(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("shrapnel");
  const TSize size = sec.Size("size");
  const std::vector<TColorF> colours = sec.Colours("colours");
  const int frames = sec.Int("frames");
  const TVec c{size.Width / 2.0f, size.Height / 2.0f};
  const float r = std::min(size.Width, size.Height) / 2.0f - 1.5f;
  for (size_t v = 0; v < colours.size(); ++v) {
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f) {
      TCanvas canvas = Canvas(size);
      const float a = static_cast<float>(f) * 2 * Pi / frames;
      const TColorF col = colours[v];
      // Five kinds of debris: a hull shard, an ember, a crystal, a blob and a rivet plate.
      switch (v % 5) {
        case 0:
          FillLit(canvas,
                  Rotate(Polygon({{c.X - r, c.Y + r * 0.5f},
                                  {c.X + r, c.Y - r * 0.2f},
                                  {c.X - r * 0.1f, c.Y - r}}),
                         c, a),
                  Metal(col));
          break;
        case 1:
          Glow(canvas, Circle(c, r * 0.45f), 1.5f, col, 0.9f);
          Fill(canvas, Rotate(Ellipse(c, r * 0.6f, r * 0.35f), c, a), Solid(Lighten(col, 0.6f)));
          break;
        case 2:
          FillLit(canvas,
                  Rotate(Polygon({{c.X, c.Y - r},
                                  {c.X + r * 0.45f, c.Y},
                                  {c.X, c.Y + r},
                                  {c.X - r * 0.45f, c.Y}}),
                         c, a),
                  Plastic(col));
          break;
        case 3:
          FillLit(canvas, Rotate(Ellipse(c, r * (0.7f + 0.2f * std::sin(a * 2)), r * 0.5f), c, a),
                  Plastic(col));
          break;
        default:
          FillLit(canvas, Rotate(RoundBox(c, {r * 0.8f, r * 0.45f}, 1.0f), c, a), Metal(col));
          break;
      }
      pictures.push_back(std::move(canvas));
    }
    out.AddLoop("shrapnel", "shrapnel" + std::to_string(v + 1), std::move(pictures));
  }
}

void PaintHoles(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Holes");
  const TSize size = sec.Size("size");
  const std::vector<std::string> names = sec.List("names");
  const std::vector<TColorF> colours = sec.Colours("colours");
  const int frames = sec.Int("frames"), arms = sec.Int("arms");
  const TVec c{size.Width / 2.0f, size.Height / 2.0f};
  const float radius = std::min(size.Width, size.Height) / 2.0f - 2;
  for (size_t v = 0; v < names.size(); ++v) {
    const TColorF col = colours.at(v);
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f) {
      TCanvas canvas = Canvas(size);
      // One frame turns the arms by 1/frames of the angle between two arms, so the loop
      // is seamless.
      Vortex(canvas, c, radius, col, arms, static_cast<float>(f) / frames * 2 * Pi / arms);
      pictures.push_back(std::move(canvas));
    }
    out.AddLoop("Holes", names[v], std::move(pictures));
  }
}

}  // namespace quellix::assetgen
