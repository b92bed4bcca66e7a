// Painting shapes onto a canvas: flat and gradient fills, outlines, soft glows, drop
// shadows and the lit fill that gives every sprite its bevelled, glossy body under the
// one light of the whole set, which comes from the top left.
#pragma once

#include <functional>

#include "images/vtCanvas.h"
#include "images/vtShape.h"

namespace quellix::assetgen {

// A colour for each point of a fill.
using TPaint = std::function<TColorF(TVec)>;

TPaint Solid(TColorF c);
TPaint LinearGradient(TVec from, TColorF c0, TVec to, TColorF c1);
TPaint RadialGradient(TVec centre, float radius, TColorF inner, TColorF outer);

// Anti-aliased fill of the shape at the given opacity.
void Fill(TCanvas& canvas, const TShape& shape, const TPaint& paint, float opacity = 1.0f);
// A line of the given width along the outline, centred on it.
void Stroke(TCanvas& canvas, const TShape& shape, float width, TColorF colour,
            float opacity = 1.0f);
// Light that falls off outside the shape over radius (added, as a glow on black is).
void Glow(TCanvas& canvas, const TShape& shape, float radius, TColorF colour, float strength);
// A soft dark copy of the shape moved by offset, painted under what follows.
void DropShadow(TCanvas& canvas, const TShape& shape, TVec offset, float softness, float opacity);

// How a lit body looks: its colour (or paint), how wide the rounded bevel at its edge
// is, and how glossy it is.
struct TMaterial {
  TPaint Paint;
  float Bevel = 4.0f;         // pixels from the edge over which the surface rounds off
  float Relief = 1.0f;        // how steep the bevel is (0 flat)
  float Ambient = 0.55f;      // light on a flat face
  float Diffuse = 0.6f;       // light from the lamp
  float Shine = 0.55f;        // strength of the specular spot
  float Gloss = 24.0f;        // its sharpness
  float Outline = 1.2f;       // width of the dark rim, 0 for none
  float OutlineDark = 0.65f;  // how much darker than the body the rim is
};
TMaterial Plastic(TColorF base);
TMaterial Metal(TColorF base);

// Fills the shape with the material lit from the top left, rim included.
void FillLit(TCanvas& canvas, const TShape& shape, const TMaterial& material);
// A glossy reflection: a soft white crescent in the shape's upper left part.
void Highlight(TCanvas& canvas, const TShape& shape, float strength);

}  // namespace quellix::assetgen
