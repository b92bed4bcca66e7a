// The title screen (background with the game's name, menu labels, switch lamps and the
// cursor) and the texts of the "Text" reel: level texts, bonus pick-ups and banners.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "images/vtPainters.h"
#include "images/vtSpriteKit.h"

namespace quellix::assetgen {

namespace {

struct TLabel {
  std::string Text;
  TSize Size;
};

// A "text, width, height" entry.
TLabel Label(const TArtSection& sec, const std::string& key) {
  const std::vector<std::string> items = sec.List(key);
  const std::vector<int> numbers = sec.Ints(key + "_size");
  if (items.size() != 1 || numbers.size() != 2 || numbers[0] <= 0 || numbers[1] <= 0)
    throw std::runtime_error("[" + sec.Name() + "] " + key + " needs one text and " + key +
                             "_size a width and a height");
  return {items[0], {numbers[0], numbers[1]}};
}

void DrawSky(TCanvas& c, const TArtSection& sec) {
  const TColorF top = sec.Colour("sky_top"), bottom = sec.Colour("sky_bottom");
  const TColorF nebulaA = sec.Colour("nebula_a"), nebulaB = sec.Colour("nebula_b");
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const float fx = x / 130.0f, fy = y / 130.0f;
      TColorF col = Mix(top, bottom, static_cast<float>(y) / c.Height());
      const float n1 = Fractal(fx, fy, 21, 5), n2 = Fractal(fx * 1.7f + 9, fy * 1.7f, 37, 4);
      col = Mix(col, nebulaA, std::clamp((n1 - 0.45f) * 1.6f, 0.0f, 0.55f));
      col = Mix(col, nebulaB, std::clamp((n2 - 0.52f) * 1.8f, 0.0f, 0.45f));
      c.At(x, y) = {col.R, col.G, col.B, 1.0f};
    }
  // Soften the clouds so that no trace of the noise grid shows.
  c = Blur(c, 6);
  // Stars: many faint points, a few bright ones with a cross of light.
  for (int i = 0; i < 420; ++i) {
    const int x = static_cast<int>(Hash01(i, 1, 5) * c.Width());
    const int y = static_cast<int>(Hash01(i, 2, 5) * c.Height());
    const float b = Hash01(i, 3, 5);
    const TColorF tint = Mix({0.7f, 0.8f, 1.0f}, {1.0f, 0.9f, 0.75f}, Hash01(i, 4, 5));
    if (b > 0.94f) {
      const TVec p{x + 0.5f, y + 0.5f};
      Glow(c, Circle(p, 0.8f), 1.6f, tint, 0.9f);
      Fill(c, Capsule(p - TVec{6, 0}, p + TVec{6, 0}, 0.35f), Solid(tint), 0.6f);
      Fill(c, Capsule(p - TVec{0, 6}, p + TVec{0, 6}, 0.35f), Solid(tint), 0.6f);
    } else {
      c.AddLight(x, y, tint, 0.25f + 0.6f * b);
    }
  }
  // A planet's rim glowing at the foot of the screen.
  const TVec centre{560, 1540};
  const TShape planet = Circle(centre, 1010);
  Glow(c, planet, 18, sec.Colour("planet_glow"), 0.8f);
  Fill(c, planet,
       LinearGradient({560, 530}, sec.Colour("planet_light"), {560, 600},
                      sec.Colour("planet_dark")));
  Stroke(c, planet, 2.0f, Lighten(sec.Colour("planet_glow"), 0.5f), 0.8f);
}

void DrawLogo(TCanvas& c, const TArtSection& sec) {
  const std::string text = sec.Text("logo");
  const std::vector<int> box = sec.Ints("logo_box");
  if (box.size() != 4) throw std::runtime_error("[titlescreen] logo_box needs x, y, width, height");
  const TTextStyle style =
      FitText(text, static_cast<float>(box[2]), static_cast<float>(box[3]), 0.13f, 0.18f);
  const float w = TextWidth(text, style), h = style.CapHeight + 2 * style.Weight;
  const TVec origin{box[0] + (box[2] - w) / 2, box[1] + (box[3] - h) / 2};
  const TShape letters = Sampled(TextShape(text, style, origin), 40);
  const TShape rim = Inflate(letters, style.Weight * 0.55f);
  DropShadow(c, rim, {6, 8}, 8, 0.75f);
  Glow(c, rim, 10, sec.Colour("logo_glow"), 0.9f);
  // A dark, bevelled rim round chrome-gold letters.
  TMaterial rimMat = Metal(sec.Colour("logo_rim"));
  rimMat.Bevel = style.Weight * 0.6f;
  FillLit(c, rim, rimMat);
  TMaterial gold = Metal(sec.Colour("logo_top"));
  gold.Paint = [&, top = sec.Colour("logo_top"), mid = sec.Colour("logo_middle"),
                bottom = sec.Colour("logo_bottom")](TVec p) {
    // Chrome: a bright sky fading to blue above a sharp horizon, and below it the
    // dark ground brightening to a warm glare at the foot of the letters.
    const float t = std::clamp((p.Y - origin.Y) / h, 0.0f, 1.0f);
    if (t < 0.5f) return Mix(top, mid, t / 0.5f);
    if (t < 0.53f) return Lighten(mid, 0.7f);
    return Mix(Darken(bottom, 0.3f), Lighten(bottom, 0.6f), (t - 0.53f) / 0.47f);
  };
  gold.Bevel = style.Weight * 0.9f;
  gold.Shine = 0.9f;
  gold.Ambient = 0.7f;
  gold.Outline = 1.2f;
  FillLit(c, letters, gold);
  // A flare on the top-left of the first letter, where the lamp catches it.
  const TVec flare{origin.X + style.CapHeight * 0.25f, origin.Y + style.Weight * 1.2f};
  Glow(c, Circle(flare, 2), 6, {1, 1, 1}, 1.0f);
  Fill(c, Capsule(flare - TVec{40, 0}, flare + TVec{40, 0}, 0.8f), Solid({1, 1, 1}), 0.8f);
  Fill(c, Capsule(flare - TVec{0, 16}, flare + TVec{0, 16}, 0.6f), Solid({1, 1, 1}), 0.7f);
}

// A dark glass panel with a glowing border behind a group of menu items.
void DrawPanel(TCanvas& c, const std::vector<int>& box, TColorF border) {
  if (box.size() != 4) throw std::runtime_error("[titlescreen] a panel needs x, y, width, height");
  const TVec half{box[2] / 2.0f, box[3] / 2.0f};
  const TShape panel = RoundBox({box[0] + half.X, box[1] + half.Y}, half, 10);
  Fill(c, panel,
       LinearGradient({0, static_cast<float>(box[1])}, {0.06f, 0.08f, 0.2f},
                      {0, static_cast<float>(box[1] + box[3])}, {0.02f, 0.02f, 0.06f}),
       0.7f);
  Glow(c, Shell(panel, 1.0f), 3, border, 0.5f);
  Stroke(c, panel, 1.5f, Lighten(border, 0.3f), 0.8f);
}

void DrawCaption(TCanvas& c, const std::string& text, float y, float height, TColorF colour) {
  TTextStyle style = FitText(text, 700, height, 0.12f, 0);
  const float w = TextWidth(text, style);
  const TShape shape = TextShape(text, style, {(c.Width() - w) / 2, y});
  Glow(c, shape, 2.5f, colour, 0.5f);
  Fill(c, shape, Solid(Lighten(colour, 0.4f)));
}

// A plate the size of a menu zone with its label; bright when the cursor is on it.
TCanvas ZonePlate(const TLabel& label, bool bright, const TArtSection& sec) {
  TCanvas c = Canvas(label.Size);
  const float w = static_cast<float>(label.Size.Width), h = static_cast<float>(label.Size.Height);
  const TShape plate = RoundBox({w / 2, h / 2}, {w / 2 - 1.5f, h / 2 - 1.5f}, h * 0.35f);
  const TColorF face = sec.Colour(bright ? "bright_plate" : "dim_plate");
  const TColorF ink = sec.Colour(bright ? "bright_text" : "dim_text");
  TMaterial m = Metal(face);
  m.Paint = LinearGradient({0, 0}, Lighten(face, 0.25f), {0, h}, Darken(face, 0.3f));
  m.Bevel = 4;
  FillLit(c, plate, m);
  if (bright) Glow(c, Shell(plate, 1.0f), 2, ink, 0.5f);
  TTextLook look{Lighten(ink, 0.5f), ink, ink};
  look.GlowStrength = bright ? 0.6f : 0.0f;
  look.WeightRatio = 0.15f;
  look.Margin = 7;
  c.Compose(LitText(label.Text, label.Size, look), 0, 0);
  return c;
}

TCanvas Lamp(TSize size, const std::string& text, TColorF colour, float light) {
  TCanvas c = Canvas(size);
  const float w = static_cast<float>(size.Width), h = static_cast<float>(size.Height);
  const TShape pill = RoundBox({w / 2, h / 2}, {w / 2 - 2, h / 2 - 4}, h / 2 - 4);
  if (light > 0) Glow(c, pill, 2.5f, colour, light * 0.8f);
  TMaterial m = Plastic(Scale(colour, 0.35f + 0.65f * light));
  m.Bevel = h / 2 - 4;
  m.Shine = 0.8f;
  FillLit(c, pill, m);
  Highlight(c, pill, 0.5f);
  TTextLook look{{1, 1, 1}, Lighten(colour, 0.6f + 0.4f * light), colour};
  look.GlowStrength = 0;
  look.Margin = 8;
  look.WeightRatio = 0.17f;
  c.Compose(LitText(text, size, look), 0, 0);
  return c;
}

// A plate with a "play" triangle: this game can be watched.
TCanvas GameMark(TSize size, TColorF colour) {
  TCanvas c = Canvas(size);
  const float w = static_cast<float>(size.Width), h = static_cast<float>(size.Height);
  const TShape plate = RoundBox({w / 2, h / 2}, {w / 2 - 1.5f, h / 2 - 1.5f}, h * 0.3f);
  Glow(c, plate, 2, colour, 0.4f);
  TMaterial m = Metal(Scale(colour, 0.3f));
  m.Bevel = 3;
  FillLit(c, plate, m);
  const TShape play = Polygon({{w * 0.38f, h * 0.24f}, {w * 0.38f, h * 0.76f}, {w * 0.72f, h / 2}});
  Glow(c, play, 1.5f, colour, 0.6f);
  Fill(c, play, Solid(Lighten(colour, 0.4f)));
  return c;
}

}  // namespace

void PaintTitleScreen(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("titlescreen");
  TCanvas title = Canvas(sec.Size("title_size"));
  DrawSky(title, sec);
  for (const std::string& key : sec.List("panels"))
    DrawPanel(title, sec.Ints(key), sec.Colour("panel_border"));
  DrawLogo(title, sec);
  const std::vector<int> captionAt = sec.Ints("caption_y");
  const std::vector<std::string> captions = sec.List("captions");
  const TColorF captionColour = sec.Colour("caption_colour");
  for (size_t i = 0; i < captions.size(); ++i)
    DrawCaption(title, captions[i], static_cast<float>(captionAt.at(i)), i == 0 ? 16.0f : 11.0f,
                captionColour);
  out.AddLoop("titlescreen", "title", {std::move(title)});

  // The cursor: its point is the sprite's top-left corner, where the zones test it.
  const TSize mouseSize = sec.Size("mouse_size");
  const TColorF mouseColour = sec.Colour("mouse_colour");
  std::vector<TCanvas> cursor;
  for (int f = 0; f < 8; ++f) {
    TCanvas c = Canvas(mouseSize);
    const float sx = mouseSize.Width / 14.0f, sy = mouseSize.Height / 23.0f;
    const TShape arrow = Polygon({{1, 1},
                                  {1, 19 * sy},
                                  {5.5f * sx, 15 * sy},
                                  {9 * sx, 22.5f * sy},
                                  {11.8f * sx, 21.2f * sy},
                                  {8.4f * sx, 14 * sy},
                                  {13.5f * sx, 14 * sy}});
    Glow(c, arrow, 1.5f, mouseColour, 0.3f + 0.3f * std::sin(f * Pi / 4));
    TMaterial m = Metal(mouseColour);
    m.Bevel = 2.5f;
    m.Outline = 1.0f;
    m.OutlineDark = 0.85f;
    FillLit(c, arrow, m);
    cursor.push_back(std::move(c));
  }
  out.AddLoop("titlescreen", "mouse", std::move(cursor));

  const TSize lampSize = sec.Size("indicator_size");
  std::vector<TCanvas> on, off;
  for (int f = 0; f < 4; ++f) {
    on.push_back(Lamp(lampSize, sec.Text("on_text"), sec.Colour("on_colour"),
                      0.75f + 0.25f * std::cos(f * Pi / 2)));
    off.push_back(Lamp(lampSize, sec.Text("off_text"), sec.Colour("off_colour"), 0.15f));
  }
  out.AddLoop("titlescreen", "on", std::move(on));
  out.AddLoop("titlescreen", "off", std::move(off), 1);

  for (const std::string& zone : sec.List("zones")) {
    const TLabel label = Label(sec, zone);
    out.AddLoop("titlescreen", zone + "dim", {ZonePlate(label, false, sec)});
    out.AddLoop("titlescreen", zone + "bright", {ZonePlate(label, true, sec)});
  }

  TCanvas menu = Canvas(sec.Size("title_size"));
  DrawSky(menu, sec);
  DrawPanel(menu, sec.Ints("menu_panel"), sec.Colour("panel_border"));
  out.AddLoop("titlescreen", "menu", {std::move(menu)});
  out.AddLoop("titlescreen", "gamemark",
              {GameMark(sec.Size("game_mark_size"), sec.Colour("game_mark_colour"))});
}

void PaintTexts(const TArtSource& source, TArtOutput& out) {
  const TArtSection& sec = source.Section("Text");
  const int frames = sec.Int("frames");
  TTextLook levelLook{sec.Colour("level_top"), sec.Colour("level_bottom"),
                      sec.Colour("level_glow")};
  levelLook.WeightRatio = 0.15f;
  levelLook.Slant = 0.12f;
  levelLook.Margin = 8;
  TTextLook bannerLook{sec.Colour("banner_top"), sec.Colour("banner_bottom"),
                       sec.Colour("banner_glow")};
  bannerLook.WeightRatio = 0.17f;
  bannerLook.Slant = 0.12f;
  bannerLook.Margin = 6;
  for (const std::string& scene : sec.List("level_texts")) {
    const TLabel label = Label(sec, scene);
    const TTextSprite text(label.Text, label.Size, levelLook);
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f)
      pictures.push_back(text.Render(levelLook, static_cast<float>(f) / frames));
    out.AddLoop("Text", scene, std::move(pictures));
  }
  for (const std::string& scene : sec.List("banners")) {
    const TLabel label = Label(sec, scene);
    const TTextSprite text(label.Text, label.Size, bannerLook);
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f) {
      TTextLook look = bannerLook;
      // The banner flashes between its own colours and white-hot.
      const float flash = 0.5f + 0.5f * std::cos(f * 2 * Pi / frames);
      look.Top = Lighten(bannerLook.Top, 0.5f * flash);
      look.GlowStrength = 0.4f + 0.5f * flash;
      pictures.push_back(text.Render(look, static_cast<float>(f) / frames));
    }
    out.AddLoop("Text", scene, std::move(pictures));
  }

  // The pick-ups: a glossy gem with its letter, a spark circling it.
  const TSize size = sec.Size("pickup_size");
  for (const std::string& scene : sec.List("pickups")) {
    const std::string letter = sec.Text(scene);
    const TColorF colour = sec.Colour(scene + "_colour");
    std::vector<TCanvas> pictures;
    for (int f = 0; f < frames; ++f) {
      TCanvas c = Canvas(size);
      const TVec centre{size.Width / 2.0f, size.Height / 2.0f};
      const float r = std::min(size.Width, size.Height) / 2.0f - 4;
      const float a = static_cast<float>(f) * 2 * Pi / frames;
      const TShape gem = Polygon({centre + Polar(r, -Pi / 2), centre + Polar(r, -Pi / 6),
                                  centre + Polar(r, Pi / 6), centre + Polar(r, Pi / 2),
                                  centre + Polar(r, 5 * Pi / 6), centre + Polar(r, 7 * Pi / 6)});
      Glow(c, gem, 2.5f, colour, 0.5f + 0.3f * std::cos(a));
      TMaterial m = Plastic(colour);
      m.Bevel = 4;
      m.Shine = 0.9f;
      FillLit(c, Inflate(gem, 1.0f), m);
      Highlight(c, gem, 0.45f);
      TTextLook look{{1, 1, 1}, Lighten(colour, 0.7f), colour};
      look.GlowStrength = 0;
      look.WeightRatio = 0.2f;
      look.Margin = letter.size() > 1 ? 7.0f : 8.0f;
      c.Compose(LitText(letter, size, look), 0, 0);
      Orb(c, centre + Polar(r + 1, a), 1.6f, {1, 1, 0.85f}, 0.9f);
      pictures.push_back(std::move(c));
    }
    out.AddLoop("Text", scene, std::move(pictures));
  }
}

}  // namespace quellix::assetgen
