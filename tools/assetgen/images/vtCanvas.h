// A floating-point RGBA picture for drawing sprites: premultiplied colour so that
// layers compose with one "over" rule, converted to straight 8-bit RGBA at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quellix::assetgen {

// A straight (not premultiplied) colour, channels 0..1.
struct TColorF {
  float R = 0, G = 0, B = 0;
};

TColorF Mix(TColorF a, TColorF b, float t);
TColorF Scale(TColorF c, float k);
TColorF Lighten(TColorF c, float t);  // towards white
TColorF Darken(TColorF c, float t);   // towards black
// "#rrggbb" or "rrggbb"; throws std::invalid_argument on anything else.
TColorF ParseHexColor(const std::string& text);

// One premultiplied pixel.
struct TPixel {
  float R = 0, G = 0, B = 0, A = 0;
};

class TCanvas {
 public:
  TCanvas() = default;
  TCanvas(int width, int height);

  int Width() const { return fWidth; }
  int Height() const { return fHeight; }
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < fWidth && y < fHeight; }
  TPixel& At(int x, int y) { return fPixels[static_cast<size_t>(y) * fWidth + x]; }
  const TPixel& At(int x, int y) const { return fPixels[static_cast<size_t>(y) * fWidth + x]; }

  // Source-over of colour c at coverage alpha (0..1).
  void Blend(int x, int y, TColorF c, float alpha);
  // Adds light: colour and alpha grow, as glows and flares do on a dark screen.
  void AddLight(int x, int y, TColorF c, float amount);
  // Source-over of another canvas with its top-left at (dx, dy), scaled by opacity.
  void Compose(const TCanvas& src, int dx, int dy, float opacity = 1.0f);
  // Multiplies every pixel's alpha (and so its premultiplied colour) by k.
  void Fade(float k);
  void Fill(TColorF c);
  // Fades the picture out over `band` pixels towards its edges, so a glow that reaches
  // the border does not end in a hard rectangle.
  void FadeEdges(float band);

  // Straight-alpha RGBA bytes, row by row, rounded deterministically.
  std::vector<uint8_t> ToRgba8() const;

 private:
  int fWidth = 0, fHeight = 0;
  std::vector<TPixel> fPixels;
};

// A soft copy: three box passes per axis approximate a Gaussian of the given radius.
TCanvas Blur(const TCanvas& src, float radius);

// A width x height copy of src turned by angle (radians, clockwise on screen) and
// scaled by scale about the centres of both pictures, sampled bilinearly.
TCanvas Transform(const TCanvas& src, int width, int height, float angle, float scale);

}  // namespace quellix::assetgen
