// The ten enemy kinds, each in colour variants, and the shots of the three that shoot.
// Every body has its own silhouette so that a kind is known at a glance: a five-armed
// starfish, a turreted castle, a spiked mine, a swirl, a stepped mask, a squid, a jelly
// cloud, a rotor, a crystal caltrop and an armoured station.
#include <algorithm>
#include <cmath>
#include <functional>

#include "game/vtAssetNames.h"
#include "images/vtPainters.h"
#include "images/vtSpriteKit.h"

namespace quellix::assetgen {

namespace {

// Draws one frame: canvas, variant colour, phase of the loop (0..1).
using TBodyPainter = std::function<void(TCanvas&, TColorF, float)>;

TVec Mid(const TCanvas& c) {
  return {c.Width() / 2.0f, c.Height() / 2.0f};
}
float Half(const TCanvas& c) {
  return std::min(c.Width(), c.Height()) / 2.0f;
}

void Starfish(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 3;
  // One loop turns the star by one arm: seamless, because the arms look alike.
  const float turn = phase * 2 * Pi / 5 - Pi / 2;
  const float pulse = 1.0f + 0.04f * std::sin(phase * 2 * Pi);
  const TShape star = Inflate(Star(m, 5, r * 0.86f * pulse, r * 0.36f, turn), r * 0.12f);
  Glow(c, star, 2.0f, col, 0.35f);
  TMaterial mat = Plastic(col);
  mat.Paint = RadialGradient(m, r, Lighten(col, 0.35f), Darken(col, 0.2f));
  mat.Bevel = r * 0.35f;
  FillLit(c, star, mat);
  for (int arm = 0; arm < 5; ++arm) {
    const float a = turn + arm * 2 * Pi / 5;
    for (float t : {0.38f, 0.62f})
      Fill(c, Circle(m + Polar(r * t, a), r * (0.12f - t * 0.08f)), Solid(Lighten(col, 0.6f)),
           0.85f);
  }
  Fill(c, Circle(m, r * 0.17f), Solid(Darken(col, 0.5f)));
  Highlight(c, star, 0.35f);
}

void Castle(TCanvas& c, TColorF col, float phase) {
  const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
  const float u = w / 56.0f;
  auto P = [&](float x, float y) { return TVec{x * u, y * h / 56.0f}; };
  // Flag on the keep, waving.
  std::vector<TVec> flag;
  for (int i = 0; i <= 6; ++i) {
    const float t = i / 6.0f;
    flag.push_back(P(29 + t * 13, 3 + 2 * std::sin(phase * 2 * Pi + t * 4) * t));
  }
  for (int i = 6; i >= 0; --i) {
    const float t = i / 6.0f;
    flag.push_back(P(29 + t * 13, 9 + 2 * std::sin(phase * 2 * Pi + t * 4) * t));
  }
  Fill(c, Capsule(P(28.5f, 2), P(28.5f, 16), 0.8f * u), Solid({0.8f, 0.8f, 0.85f}));
  FillLit(c, Polygon(flag), Plastic({0.95f, 0.2f, 0.15f}));

  TShape keep = RoundBox(P(28, 36), P(14, 18), 1.5f);
  for (float x : {17.5f, 24.5f, 31.5f, 38.5f})
    keep = Subtract(keep, RoundBox(P(x, 18), P(2, 3), 0.5f));
  TShape towers = Union(RoundBox(P(8, 34), P(7, 20), 1.5f), RoundBox(P(48, 34), P(7, 20), 1.5f));
  TShape walls = Union(keep, towers);
  TMaterial stone = Plastic(col);
  stone.Paint = LinearGradient(P(0, 14), Lighten(col, 0.2f), P(0, 56), Darken(col, 0.35f));
  stone.Bevel = 3;
  stone.Shine = 0.25f;
  FillLit(c, walls, stone);
  // Pointed roofs on the two towers.
  for (float x : {8.0f, 48.0f})
    FillLit(c, Polygon({P(x - 8.5f, 15), P(x, 1.5f), P(x + 8.5f, 15)}), Metal(Darken(col, 0.45f)));
  // Brick courses.
  for (float y : {28.0f, 36.0f, 44.0f})
    Fill(c, Capsule(P(3, y), P(53, y), 0.45f), Solid(Darken(col, 0.45f)), 0.5f);
  // Gate and windows; the windows flicker like torchlight.
  Fill(c, Union(RoundBox(P(28, 49), P(6, 6), 0), Circle(P(28, 43), 6 * u)),
       Solid({0.05f, 0.03f, 0.05f}));
  const TColorF fire{1.0f, 0.75f, 0.25f};
  int i = 0;
  for (TVec p : {P(8, 26), P(48, 26), P(20, 32), P(36, 32)}) {
    const float lit = 0.65f + 0.35f * std::sin(phase * 2 * Pi * 2 + i++ * 1.9f);
    const TShape win = RoundBox(p, P(1.6f, 2.6f), 1);
    Glow(c, win, 2, fire, 0.5f * lit);
    Fill(c, win, Solid(Scale(fire, lit)));
  }
}

void Spiker(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 1.5f;
  const float turn = phase * 2 * Pi / 8;
  std::vector<TShape> spikes;
  for (int k = 0; k < 8; ++k) {
    const float a = turn + k * Pi / 4;
    spikes.push_back(Polygon(
        {m + Polar(r * 0.45f, a - 0.32f), m + Polar(r, a), m + Polar(r * 0.45f, a + 0.32f)}));
  }
  FillLit(c, UnionAll(spikes), Metal({0.75f, 0.78f, 0.85f}));
  const TShape core = Circle(m, r * 0.55f);
  TMaterial mat = Metal(col);
  mat.Bevel = r * 0.5f;
  FillLit(c, core, mat);
  const float eye = 0.6f + 0.4f * std::sin(phase * 2 * Pi);
  Glow(c, Circle(m, r * 0.16f), 2.5f, {1, 0.3f, 0.2f}, 0.8f * eye);
  Fill(c, Circle(m, r * 0.17f), Solid(Mix({0.5f, 0.05f, 0.05f}, {1, 0.85f, 0.6f}, eye)));
  Highlight(c, core, 0.5f);
}

void Spiral(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 2;
  const float turn = phase * Pi;  // two arms: half a turn per loop
  Fill(c, Circle(m, r * 0.95f), RadialGradient(m, r, Scale(col, 0.45f), Scale(col, 0.1f)), 0.9f);
  Glow(c, Circle(m, r * 0.9f), 2.5f, col, 0.4f);
  std::vector<TShape> arms;
  for (int arm = 0; arm < 2; ++arm)
    for (int i = 0; i < 18; ++i) {
      const float t0 = i / 18.0f, t1 = (i + 1) / 18.0f;
      auto at = [&](float t) { return m + Polar(r * 0.9f * t, turn + arm * Pi + t * 3.2f * Pi); };
      arms.push_back(Capsule(at(t0), at(t1), 1.2f + 3.2f * t0));
    }
  const TShape swirl = UnionAll(arms);
  TMaterial mat = Plastic(Lighten(col, 0.3f));
  mat.Bevel = 3;
  FillLit(c, swirl, mat);
  Orb(c, m, r * 0.18f, Lighten(col, 0.6f), 0.6f);
}

void SpiralShot(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 2;
  Glow(c, Circle(m, r * 0.6f), 2.0f, col, 0.9f);
  std::vector<TShape> arms;
  for (int arm = 0; arm < 2; ++arm)
    for (int i = 0; i < 6; ++i) {
      auto at = [&](float t) { return m + Polar(r * t, phase * Pi + arm * Pi + t * 2.5f * Pi); };
      arms.push_back(Capsule(at(i / 6.0f), at((i + 1) / 6.0f), 0.8f + i * 0.15f));
    }
  Fill(c, UnionAll(arms), Solid(Lighten(col, 0.5f)));
  Fill(c, Circle(m, r * 0.3f), Solid({1, 1, 1}));
}

void Aztek(TCanvas& c, TColorF col, float phase) {
  const float u = c.Width() / 72.0f, v = c.Height() / 44.0f;
  auto P = [&](float x, float y) { return TVec{x * u, y * v}; };
  // A stepped mask: three terraces up to a crown, wide cheeks, a square chin.
  const TShape mask =
      Polygon({P(3, 34), P(3, 20), P(9, 20), P(9, 12), P(17, 12), P(17, 5), P(27, 5), P(27, 1.5f),
               P(45, 1.5f), P(45, 5), P(55, 5), P(55, 12), P(63, 12), P(63, 20), P(69, 20),
               P(69, 34), P(58, 42.5f), P(14, 42.5f)});
  TMaterial stone = Metal(col);
  stone.Paint = LinearGradient(P(0, 0), Lighten(col, 0.3f), P(0, 44), Darken(col, 0.35f));
  stone.Bevel = 3;
  FillLit(c, mask, stone);
  // Inlaid bands of a contrasting stone follow the steps.
  const TColorF inlay = Mix({0.1f, 0.75f, 0.7f}, {0.9f, 0.2f, 0.15f}, col.G > col.R ? 1.0f : 0.0f);
  Stroke(c,
         Polygon({P(12, 22), P(12, 15), P(20, 15), P(20, 8), P(52, 8), P(52, 15), P(60, 15),
                  P(60, 22)}),
         1.6f, inlay, 0.9f);
  for (float x : {30.0f, 36.0f, 42.0f})
    Fill(c, RoundBox(P(x, 4.5f), P(1.6f, 1.6f), 0.4f), Solid(inlay));
  // Ear spools.
  for (float x : {6.0f, 66.0f}) Orb(c, P(x, 27), 3.2f * u, inlay, 0.0f);
  // Deep sockets with eyes that burn with a pulsing light.
  const float burn = 0.55f + 0.45f * std::sin(phase * 2 * Pi);
  const TColorF eyeLight = Mix({1.0f, 0.3f, 0.05f}, {1.0f, 0.95f, 0.55f}, burn);
  for (float x : {24.0f, 48.0f}) {
    const TShape socket = Polygon({P(x - 9, 17), P(x + 8, 16), P(x + 9, 24), P(x - 8, 25)});
    Fill(c, socket, Solid({0.06f, 0.02f, 0.02f}));
    const TShape eye = RoundBox(P(x, 20.5f), P(4.5f, 2.0f), 1.5f);
    Glow(c, eye, 3.0f, eyeLight, 0.6f + 0.5f * burn);
    Fill(c, eye, Solid(eyeLight));
  }
  // A stepped nose and a grinning row of teeth.
  FillLit(c, Polygon({P(33, 19), P(39, 19), P(41.5f, 30), P(30.5f, 30)}),
          Metal(Lighten(col, 0.1f)));
  Fill(c, RoundBox(P(36, 36.5f), P(14, 4), 1.5f), Solid({0.08f, 0.02f, 0.02f}));
  for (int t = 0; t < 7; ++t)
    FillLit(c, RoundBox(P(24.5f + t * 4.0f, 36.0f), P(1.5f, 2.6f), 0.6f),
            Plastic({0.95f, 0.92f, 0.8f}));
}

void AztekShot(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 1;
  const TShape sun = Inflate(Star(m, 8, r * 0.95f, r * 0.55f, phase * Pi / 4), 0.4f);
  Glow(c, sun, 1.5f, col, 0.8f);
  Fill(c, sun, Solid(col));
  Orb(c, m, r * 0.5f, Lighten(col, 0.5f), 0.0f);
}

void Squid(TCanvas& c, TColorF col, float phase) {
  const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
  const float cx = w / 2;
  const float top = 2, mantleBottom = h * 0.56f;
  // Tentacles first, waving one after another.
  const TColorF limb = Darken(col, 0.25f);
  for (int i = 0; i < 6; ++i) {
    const float base = cx + (i - 2.5f) * w * 0.12f;
    std::vector<TShape> parts;
    TVec prev{base, mantleBottom - 3};
    for (int s = 1; s <= 6; ++s) {
      const float t = s / 6.0f;
      const float sway = std::sin(phase * 2 * Pi + i * 0.9f + t * 3.0f) * w * 0.09f * t;
      const float spread = (i - 2.5f) * w * 0.05f * t;
      const TVec next{base + sway + spread, mantleBottom - 3 + t * (h - mantleBottom)};
      parts.push_back(Capsule(prev, next, 2.8f * (1 - t * 0.7f)));
      prev = next;
    }
    TMaterial m = Plastic(limb);
    m.Bevel = 2;
    FillLit(c, UnionAll(parts), m);
  }
  const TShape mantle =
      Union(Ellipse({cx, h * 0.34f}, w * 0.3f, h * 0.24f),
            Polygon({{cx, top}, {cx + w * 0.26f, h * 0.24f}, {cx - w * 0.26f, h * 0.24f}}));
  TMaterial skin = Plastic(col);
  skin.Paint = LinearGradient({0, top}, Lighten(col, 0.3f), {0, mantleBottom}, Darken(col, 0.2f));
  skin.Bevel = w * 0.15f;
  FillLit(c, mantle, skin);
  for (float dx : {-0.12f, 0.12f}) {
    const TVec e{cx + dx * w, h * 0.4f};
    Fill(c, Ellipse(e, w * 0.085f, h * 0.07f), Solid({1, 1, 1}));
    Fill(c, Circle(e + TVec{0, 1}, w * 0.045f), Solid({0.05f, 0.05f, 0.12f}));
    Fill(c, Circle(e + TVec{-1, -1}, 0.9f), Solid({1, 1, 1}));
  }
  Highlight(c, mantle, 0.45f);
}

void Floud(TCanvas& c, TColorF col, float phase) {
  const float w = static_cast<float>(c.Width()), h = static_cast<float>(c.Height());
  const float pulse = std::sin(phase * 2 * Pi);
  const float cx = w / 2, bellY = h * 0.38f;
  const float rx = w * 0.4f * (1 - 0.04f * pulse), ry = h * 0.3f * (1 + 0.06f * pulse);
  // Trailing tendrils.
  for (int i = 0; i < 5; ++i) {
    const float x0 = cx + (i - 2) * w * 0.11f;
    std::vector<TShape> parts;
    TVec prev{x0, bellY + ry * 0.5f};
    for (int s = 1; s <= 6; ++s) {
      const float t = s / 6.0f;
      const TVec next{x0 + std::sin(phase * 2 * Pi + i * 1.3f + t * 4) * w * 0.05f,
                      bellY + ry * 0.5f + t * (h - 2 - bellY - ry * 0.5f)};
      parts.push_back(Capsule(prev, next, 1.3f * (1 - t * 0.5f)));
      prev = next;
    }
    Fill(c, UnionAll(parts), Solid(Lighten(col, 0.3f)), 0.8f);
  }
  // A cloud-like bell: a dome whose rim is a row of puffs.
  std::vector<TShape> puffs{Intersect(Ellipse({cx, bellY}, rx, ry),
                                      RoundBox({cx, bellY - ry * 0.3f}, {rx, ry * 0.7f}, 0))};
  for (int i = 0; i < 6; ++i) {
    const float t = (i + 0.5f) / 6.0f;
    puffs.push_back(Circle({cx - rx + t * 2 * rx, bellY + ry * 0.35f}, w * 0.085f));
  }
  const TShape bell = UnionAll(puffs);
  Glow(c, bell, 3.0f, col, 0.45f);
  TMaterial jelly = Plastic(col);
  jelly.Paint = RadialGradient({cx - rx * 0.3f, bellY - ry * 0.4f}, rx * 1.6f, Lighten(col, 0.55f),
                               Darken(col, 0.15f));
  jelly.Bevel = w * 0.12f;
  jelly.Shine = 0.8f;
  jelly.Outline = 1.0f;
  FillLit(c, bell, jelly);
  // The glowing heart inside, and two sleepy eyes.
  Glow(c, Circle({cx, bellY}, w * 0.06f), 3, Lighten(col, 0.7f), 0.5f + 0.3f * pulse);
  for (float dx : {-0.12f, 0.12f})
    Fill(c, Ellipse({cx + dx * w, bellY + ry * 0.05f}, w * 0.035f, h * 0.05f),
         Solid({0.05f, 0.05f, 0.15f}));
  Highlight(c, bell, 0.5f);
}

void FloudShot(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 0.5f;
  Glow(c, Circle(m, r * 0.5f), 1.2f, col, 0.8f + 0.2f * std::sin(phase * 2 * Pi));
  Fill(c, Circle(m, r * 0.7f), RadialGradient(m, r * 0.7f, {1, 1, 1}, Lighten(col, 0.3f)));
}

void Spinner(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 1.5f;
  const float turn = phase * 2 * Pi / 3;  // three blades: a third of a turn per loop
  Fill(c, Ring(m, r * 0.92f, 1.2f), Solid(Lighten(col, 0.4f)), 0.35f);
  std::vector<TShape> blades;
  for (int k = 0; k < 3; ++k) {
    const float a = turn + k * 2 * Pi / 3;
    blades.push_back(Rotate(Ellipse(m + TVec{0, -r * 0.5f}, r * 0.2f, r * 0.5f), m, a));
  }
  TMaterial blade = Metal(col);
  blade.Bevel = 3;
  FillLit(c, Rotate(UnionAll(blades), m, 0.0f), blade);
  TMaterial hub = Metal({0.75f, 0.76f, 0.8f});
  hub.Bevel = r * 0.25f;
  FillLit(c, Circle(m, r * 0.25f), hub);
  Glow(c, Circle(m, r * 0.08f), 2, {1, 0.3f, 0.2f}, 0.8f);
  Fill(c, Circle(m, r * 0.09f), Solid({1, 0.4f, 0.3f}));
}

void Spike(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 1;
  const float turn = phase * Pi / 2;  // four long points: a quarter turn per loop
  // Four long blades and four short ones between them, round a heavy hub.
  const float radii[4] = {1.0f, 0.46f, 0.74f, 0.46f};
  std::vector<TVec> pts;
  for (int i = 0; i < 16; ++i) pts.push_back(m + Polar(r * radii[i % 4], turn + i * Pi / 8));
  const TShape caltrop = Union(Polygon(pts), Circle(m, r * 0.4f));
  TMaterial crystal = Plastic(col);
  crystal.Paint = RadialGradient(m, r, Lighten(col, 0.45f), Darken(col, 0.25f));
  crystal.Bevel = 3.0f;
  crystal.Shine = 1.0f;
  crystal.Gloss = 40;
  crystal.Outline = 1.2f;
  FillLit(c, caltrop, crystal);
  // A ridge down each blade catches the light.
  for (int i = 0; i < 16; i += 2)
    Fill(c, Capsule(m, m + Polar(r * radii[i % 4] * 0.85f, turn + i * Pi / 8), 0.45f),
         Solid(Lighten(col, 0.75f)), 0.7f);
  TMaterial hub = Metal(Darken(col, 0.5f));
  hub.Bevel = r * 0.2f;
  FillLit(c, Circle(m, r * 0.2f), hub);
  const float glow = 0.6f + 0.4f * std::sin(phase * 2 * Pi);
  Glow(c, Circle(m, r * 0.06f), 2.0f, Lighten(col, 0.6f), glow);
}

void Base(TCanvas& c, TColorF col, float phase) {
  const TVec m = Mid(c);
  const float r = Half(c) - 2;
  // Gun turrets on the four sides.
  for (int k = 0; k < 4; ++k) {
    const float a = k * Pi / 2;
    FillLit(c, Capsule(m + Polar(r * 0.6f, a), m + Polar(r * 0.98f, a), 2.0f),
            Metal({0.55f, 0.56f, 0.6f}));
  }
  std::vector<TVec> oct;
  for (int i = 0; i < 8; ++i) oct.push_back(m + Polar(r * 0.82f, Pi / 8 + i * Pi / 4));
  const TShape hull = Polygon(oct);
  TMaterial armour = Metal(col);
  armour.Bevel = 5;
  FillLit(c, hull, armour);
  std::vector<TVec> inner;
  for (int i = 0; i < 8; ++i) inner.push_back(m + Polar(r * 0.58f, Pi / 8 + i * Pi / 4));
  Stroke(c, Polygon(inner), 1.2f, Darken(col, 0.5f), 0.8f);
  for (int i = 0; i < 8; ++i)
    Fill(c, Circle(m + Polar(r * 0.7f, i * Pi / 4), 1.1f), Solid(Lighten(col, 0.5f)), 0.8f);
  // Warning lights chase round the hull.
  for (int k = 0; k < 4; ++k) {
    const TVec p = m + Polar(r * 0.7f, Pi / 4 + k * Pi / 2);
    const bool on = static_cast<int>(phase * 4) == k;
    if (on) Glow(c, Circle(p, 1.6f), 2.5f, {1, 0.25f, 0.15f}, 0.9f);
    Fill(c, Circle(p, 1.8f), Solid(on ? TColorF{1, 0.5f, 0.35f} : TColorF{0.35f, 0.05f, 0.05f}));
  }
  // The command dome, its sensor sweeping round.
  Orb(c, m, r * 0.34f, Lighten(col, 0.25f), 0.0f);
  const float a = phase * 2 * Pi;
  Fill(c, Capsule(m, m + Polar(r * 0.28f, a), 1.0f), Solid({0.6f, 1.0f, 0.7f}), 0.8f);
}

TBodyPainter BodyPainter(TEnemyKind kind) {
  switch (kind) {
    case TEnemyKind::Spikers:
      return Spiker;
    case TEnemyKind::Starfish:
      return Starfish;
    case TEnemyKind::Castles:
      return Castle;
    case TEnemyKind::Spirals:
      return Spiral;
    case TEnemyKind::Spikes:
      return Spike;
    case TEnemyKind::Squids:
      return Squid;
    case TEnemyKind::Bases:
      return Base;
    case TEnemyKind::Azteks:
      return Aztek;
    case TEnemyKind::Spinners:
      return Spinner;
    case TEnemyKind::Flouds:
      return Floud;
  }
  return Starfish;
}

// The shots of the kinds that shoot; the others never ask.
TBodyPainter ShotPainter(TEnemyKind kind) {
  switch (kind) {
    case TEnemyKind::Spirals:
      return SpiralShot;
    case TEnemyKind::Azteks:
      return AztekShot;
    default:
      return FloudShot;
  }
}

std::vector<TCanvas> Loop(TSize size, int frames, TColorF colour, const TBodyPainter& paint) {
  std::vector<TCanvas> pictures;
  for (int f = 0; f < frames; ++f) {
    TCanvas c = Canvas(size);
    paint(c, colour, static_cast<float>(f) / frames);
    c.FadeEdges(1.5f);
    pictures.push_back(std::move(c));
  }
  return pictures;
}

}  // namespace

void PaintEnemies(const TArtSource& source, TArtOutput& out) {
  for (const TEnemyNames& enemy : AllEnemyNames()) {
    const std::string reel(enemy.Reel);
    const TArtSection& sec = source.Section(reel);
    const TSize size = sec.Size("size");
    const int frames = sec.Int("frames");
    const std::vector<TColorF> colours = sec.Colours("colours");
    for (size_t v = 0; v < colours.size(); ++v)
      out.AddLoop(reel, EnemyScene(enemy.Kind, static_cast<int32_t>(v + 1)),
                  Loop(size, frames, colours[v], BodyPainter(enemy.Kind)));
    if (enemy.ShotPrefix.empty()) continue;
    const TSize shotSize = sec.Size("shot_size");
    const int shotFrames = sec.Int("shot_frames");
    const std::vector<TColorF> shotColours = sec.Colours("shot_colours");
    for (size_t v = 0; v < shotColours.size(); ++v)
      out.AddLoop(reel, EnemyShotScene(enemy.Kind, static_cast<int32_t>(v + 1)),
                  Loop(shotSize, shotFrames, shotColours[v], ShotPainter(enemy.Kind)));
  }
}

}  // namespace quellix::assetgen
