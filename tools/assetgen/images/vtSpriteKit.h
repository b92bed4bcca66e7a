// Pieces shared by the sprite sets: glowing orbs and energy bolts, deterministic noise,
// turning a design drawn nose-up into the four sides of the screen, and fitting lit
// text into a box.
#pragma once

#include <string_view>

#include "images/vtArtSource.h"
#include "images/vtCanvas.h"
#include "images/vtGlyphs.h"
#include "images/vtPaint.h"
#include "images/vtShape.h"

namespace quellix::assetgen {

constexpr float Pi = 3.14159265358979f;

inline TCanvas Canvas(TSize size) {
  return TCanvas(size.Width, size.Height);
}

// A lit ball with a soft halo of its own colour.
void Orb(TCanvas& canvas, TVec centre, float radius, TColorF colour, float glow);
// An energy bolt from a to b: a halo, a coloured body and a white-hot core.
void Bolt(TCanvas& canvas, TVec a, TVec b, float radius, TColorF colour, float intensity);

// A hole's swirl: `arms` bright arms winding into a dark centre, filling the circle of
// the given radius, under a lit rim; turn (radians) turns the arms.
void Vortex(TCanvas& canvas, TVec centre, float radius, TColorF colour, int arms, float turn);

// Deterministic noise: a hash of integer coordinates in 0..1, and smooth value noise
// built on it, summed over octaves.
float Hash01(int x, int y, int seed);
float ValueNoise(float x, float y, int seed);
float Fractal(float x, float y, int seed, int octaves);

// The screen edges in the order the sprite names use them.
enum class TSide { Left, Right, Top, Bottom };
const char* SideName(TSide side);
// A design drawn pointing up in a box `across` wide and `depth` deep, turned so that
// it points inwards from the given edge: Bottom as drawn, Top upside down, Left
// pointing right (picture depth x across), Right pointing left.
TShape Oriented(const TShape& design, TSide side, float across, float depth);
// The size of the picture of such a design.
TSize OrientedSize(TSide side, float across, float depth);

// Lit, outlined text centred in a canvas of the given size, with a glow behind.
struct TTextLook {
  TColorF Top, Bottom;  // gradient of the letters
  TColorF Glow;
  float GlowStrength = 0.6f;
  float WeightRatio = 0.16f;
  float Slant = 0.0f;
  float Margin = 4.0f;
};
// A text laid out once in its box and drawn in as many looks as wanted (frames of a
// shimmer, a flash); sweep 0..1 runs a bright band across, below 0 none.
class TTextSprite {
 public:
  TTextSprite(std::string_view text, TSize size, const TTextLook& layout);
  TCanvas Render(const TTextLook& look, float sweep = -1.0f) const;

 private:
  TSize fSize;
  TTextStyle fStyle;
  float fTop = 0, fHeight = 0;
  TShape fShape;
};
TCanvas LitText(std::string_view text, TSize size, const TTextLook& look, float sweep = -1.0f);

}  // namespace quellix::assetgen
