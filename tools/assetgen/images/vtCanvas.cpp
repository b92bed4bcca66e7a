#include "images/vtCanvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quellix::assetgen {

namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}

uint8_t ToByte(float v) {
  return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One box pass of the given half width along rows (horizontal) or columns.
void BoxPass(const TCanvas& src, TCanvas& dst, int half, bool horizontal) {
  const int w = src.Width(), h = src.Height();
  const int lines = horizontal ? h : w, length = horizontal ? w : h;
  const float norm = 1.0f / static_cast<float>(2 * half + 1);
  for (int line = 0; line < lines; ++line) {
    // Beyond the edges the edge pixel repeats, so a full picture keeps its border.
    auto at = [&](int i) -> const TPixel& {
      i = std::clamp(i, 0, length - 1);
      return horizontal ? src.At(i, line) : src.At(line, i);
    };
    TPixel sum;
    for (int i = -half; i <= half; ++i) {
      const TPixel& p = at(i);
      sum.R += p.R, sum.G += p.G, sum.B += p.B, sum.A += p.A;
    }
    for (int i = 0; i < length; ++i) {
      TPixel& out = horizontal ? dst.At(i, line) : dst.At(line, i);
      out = {sum.R * norm, sum.G * norm, sum.B * norm, sum.A * norm};
      const TPixel& add = at(i + half + 1);
      const TPixel& sub = at(i - half);
      sum.R += add.R - sub.R, sum.G += add.G - sub.G;
      sum.B += add.B - sub.B, sum.A += add.A - sub.A;
    }
  }
}

}  // namespace

TColorF Mix(TColorF a, TColorF b, float t) {
  return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}
TColorF Scale(TColorF c, float k) {
  return {c.R * k, c.G * k, c.B * k};
}
TColorF Lighten(TColorF c, float t) {
  return Mix(c, {1, 1, 1}, t);
}
TColorF Darken(TColorF c, float t) {
  return Mix(c, {0, 0, 0}, t);
}

TColorF ParseHexColor(const std::string& text) {
  const std::string hex = (!text.empty() && text[0] == '#') ? text.substr(1) : text;
  if (hex.size() != 6) throw std::invalid_argument("bad colour \"" + text + "\"");
  float channel[3];
  for (int i = 0; i < 3; ++i) {
    const int hi = HexDigit(hex[2 * i]), lo = HexDigit(hex[2 * i + 1]);
    if (hi < 0 || lo < 0) throw std::invalid_argument("bad colour \"" + text + "\"");
    channel[i] = static_cast<float>(hi * 16 + lo) / 255.0f;
  }
  return {channel[0], channel[1], channel[2]};
}

TCanvas::TCanvas(int width, int height)
    : fWidth(std::max(width, 0)),
      fHeight(std::max(height, 0)),
      fPixels(static_cast<size_t>(fWidth) * fHeight) {}

void TCanvas::Blend(int x, int y, TColorF c, float alpha) {
  if (!Inside(x, y) || alpha <= 0.0f) return;
  alpha = std::min(alpha, 1.0f);
  TPixel& p = At(x, y);
  const float keep = 1.0f - alpha;
  p.R = c.R * alpha + p.R * keep;
  p.G = c.G * alpha + p.G * keep;
  p.B = c.B * alpha + p.B * keep;
  p.A = alpha + p.A * keep;
}

void TCanvas::AddLight(int x, int y, TColorF c, float amount) {
  if (!Inside(x, y) || amount <= 0.0f) return;
  TPixel& p = At(x, y);
  p.R = std::min(p.R + c.R * amount, 1.0f);
  p.G = std::min(p.G + c.G * amount, 1.0f);
  p.B = std::min(p.B + c.B * amount, 1.0f);
  p.A = std::min(std::max({p.A + amount * std::max({c.R, c.G, c.B}), p.R, p.G, p.B}), 1.0f);
}

void TCanvas::Compose(const TCanvas& src, int dx, int dy, float opacity) {
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) {
      if (!Inside(x + dx, y + dy)) continue;
      const TPixel& s = src.At(x, y);
      TPixel& d = At(x + dx, y + dy);
      const float a = s.A * opacity, keep = 1.0f - a;
      d.R = s.R * opacity + d.R * keep;
      d.G = s.G * opacity + d.G * keep;
      d.B = s.B * opacity + d.B * keep;
      d.A = a + d.A * keep;
    }
}

void TCanvas::Fade(float k) {
  for (TPixel& p : fPixels) p = {p.R * k, p.G * k, p.B * k, p.A * k};
}

void TCanvas::Fill(TColorF c) {
  for (TPixel& p : fPixels) p = {c.R, c.G, c.B, 1.0f};
}

void TCanvas::FadeEdges(float band) {
  for (int y = 0; y < fHeight; ++y)
    for (int x = 0; x < fWidth; ++x) {
      const float edge = std::min({x + 0.5f, fWidth - x - 0.5f, y + 0.5f, fHeight - y - 0.5f});
      const float t = std::clamp(edge / band, 0.0f, 1.0f);
      const float k = t * t * (3 - 2 * t);
      TPixel& p = At(x, y);
      p = {p.R * k, p.G * k, p.B * k, p.A * k};
    }
}

std::vector<uint8_t> TCanvas::ToRgba8() const {
  std::vector<uint8_t> out(fPixels.size() * 4, 0);
  for (size_t i = 0; i < fPixels.size(); ++i) {
    const TPixel& p = fPixels[i];
    const uint8_t a = ToByte(p.A);
    if (a == 0) continue;  // fully transparent pixels are all zero
    const float inv = 1.0f / p.A;
    out[i * 4] = ToByte(p.R * inv);
    out[i * 4 + 1] = ToByte(p.G * inv);
    out[i * 4 + 2] = ToByte(p.B * inv);
    out[i * 4 + 3] = a;
  }
  return out;
}

TCanvas Blur(const TCanvas& src, float radius) {
  // Three box passes of width w have the variance of a Gaussian with sigma^2 = (w^2-1)/4.
  const int half = std::max(1, static_cast<int>(std::lround(radius / 2.0f)));
  TCanvas a = src, b(src.Width(), src.Height());
  for (int pass = 0; pass < 3; ++pass) {
    BoxPass(a, b, half, true);
    BoxPass(b, a, half, false);
  }
  return a;
}

TCanvas Transform(const TCanvas& src, int width, int height, float angle, float scale) {
  TCanvas out(width, height);
  const float c = std::cos(angle), s = std::sin(angle);
  const float scx = src.Width() * 0.5f, scy = src.Height() * 0.5f;
  const float dcx = width * 0.5f, dcy = height * 0.5f;
  auto sample = [&](int x, int y) -> TPixel { return src.Inside(x, y) ? src.At(x, y) : TPixel{}; };
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // Back from the output pixel's centre to the source: undo scale, then rotation.
      const float ox = (x + 0.5f - dcx) / scale, oy = (y + 0.5f - dcy) / scale;
      const float sx = c * ox + s * oy + scx - 0.5f, sy = -s * ox + c * oy + scy - 0.5f;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      const float fx = sx - x0, fy = sy - y0;
      const TPixel p00 = sample(x0, y0), p10 = sample(x0 + 1, y0);
      const TPixel p01 = sample(x0, y0 + 1), p11 = sample(x0 + 1, y0 + 1);
      auto lerp = [&](float a, float b, float d, float e) {
        return (a * (1 - fx) + b * fx) * (1 - fy) + (d * (1 - fx) + e * fx) * fy;
      };
      out.At(x, y) = {lerp(p00.R, p10.R, p01.R, p11.R), lerp(p00.G, p10.G, p01.G, p11.G),
                      lerp(p00.B, p10.B, p01.B, p11.B), lerp(p00.A, p10.A, p01.A, p11.A)};
    }
  return out;
}

}  // namespace quellix::assetgen
