// The drawing toolkit: PNG bytes decode back to the pixels, edges are anti-aliased
// with the right area, texts stay in their boxes, and the art source reports faults by
// file and line.
#include <gtest/gtest.h>

#include <cmath>

#include "images/vtAnimationScan.h"
#include "images/vtArtSource.h"
#include "images/vtGlyphs.h"
#include "images/vtPaint.h"
#include "images/vtPng.h"

namespace quellix::assetgen {
namespace {

float AlphaSum(const TCanvas& c) {
  float sum = 0;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) sum += c.At(x, y).A;
  return sum;
}

TEST(ImagePng, DecodesToThePixelsEncoded) {
  // Noise (no matches), long runs (matches far back) and soft alpha in one picture.
  TCanvas c(300, 120);
  uint32_t seed = 12345;
  for (int y = 0; y < c.Height(); ++y)
    for (int x = 0; x < c.Width(); ++x) {
      seed = seed * 1664525u + 1013904223u;
      const float noise = static_cast<float>(seed >> 24u) / 255.0f;
      if (y < 40)
        c.Blend(x, y, {noise, 1 - noise, 0.5f}, 1.0f);
      else if (y < 80)
        c.Blend(x, y, {0.2f, 0.4f, 0.8f}, (x % 7) / 6.0f);
    }
  const std::vector<uint8_t> png = EncodePng(c);
  const std::vector<uint8_t> expected = c.ToRgba8();
  const std::vector<uint8_t> decoded = DecodePng(png).ToRgba8();
  ASSERT_EQ(decoded.size(), expected.size());
  EXPECT_TRUE(decoded == expected);
  // The empty bottom third compresses to almost nothing.
  EXPECT_LT(png.size(), expected.size() * 3 / 4);
  EXPECT_EQ(EncodePng(c), png);
}

TEST(ImagePng, OnePixel) {
  TCanvas one(1, 1);
  one.Blend(0, 0, {1, 0, 0}, 1);
  EXPECT_TRUE(DecodePng(EncodePng(one)).ToRgba8() == one.ToRgba8());
}

TEST(ImagePaint, FilledCircleHasItsAreaAndSoftEdges) {
  TCanvas c(64, 64);
  Fill(c, Circle({32, 32}, 20), Solid({1, 1, 1}));
  EXPECT_NEAR(AlphaSum(c), 3.14159f * 400, 3.14159f * 400 * 0.01f);
  EXPECT_FLOAT_EQ(c.At(32, 32).A, 1.0f);
  EXPECT_FLOAT_EQ(c.At(2, 2).A, 0.0f);
  // The rim is anti-aliased: a good many pixels are part covered.
  int soft = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) soft += c.At(x, y).A > 0.05f && c.At(x, y).A < 0.95f;
  EXPECT_GT(soft, 60);
}

TEST(ImagePaint, ShapesCombineAndTurn) {
  const TShape ring = Subtract(Circle({0, 0}, 10), Circle({0, 0}, 5));
  EXPECT_LT(ring({7.5f, 0}), 0);
  EXPECT_GT(ring({0, 0}), 0);
  const TShape bar = RoundBox({0, 0}, {10, 2});
  const TShape turned = Rotate(bar, {0, 0}, 3.14159265f / 2);
  EXPECT_LT(turned({0, 8}), 0);
  EXPECT_GT(turned({8, 0}), 0);
  // Many parts: the union is as deep as its deepest part, wherever it is found first.
  std::vector<TShape> parts;
  for (int i = 0; i < 20; ++i) parts.push_back(Capsule({i * 1.0f, 0}, {i + 1.0f, 0}, 3));
  EXPECT_NEAR(UnionAll(parts)({10.5f, 0}), -3.0f, 0.01f);
  EXPECT_NEAR(Sampled(UnionAll(parts), 4)({10.5f, 0}), -3.0f, 0.05f);
}

TEST(ImageGlyphs, TextsFitTheirBoxes) {
  for (const char* text : {"LEVEL COMPLETE", "QUELLIX", "1000", "CHILD MODE", "W"}) {
    const TTextStyle style = FitText(text, 200, 40, 0.15f, 0.12f);
    const float width = TextWidth(text, style);
    EXPECT_LE(width, 200.5f) << text;
    TCanvas c(220, 60);
    Fill(c, TextShape(text, style, {10, 10}), Solid({1, 1, 1}));
    for (int y = 0; y < c.Height(); ++y)
      for (int x = 0; x < c.Width(); ++x)
        if (c.At(x, y).A > 0.01f) {
          EXPECT_GE(x, 9) << text;
          EXPECT_LE(x, 10 + width + 1) << text;
          EXPECT_GE(y, 9) << text;
          EXPECT_LE(y, 51) << text;
        }
  }
  TTextStyle style;
  EXPECT_GT(TextWidth("II", style), TextWidth("I", style));
  EXPECT_EQ(TextWidth("", style), 0);
}

TEST(ImageArtSource, ReadsValuesAndNamesFaultsByLine) {
  const TArtSource ok = TArtSource::Parse(
      "# art\n[palette]\nred = #ff0000\n[Ships]\nsize = 41, 50\ncolours = red, #00ff00\n"
      "label = \"CHILD MODE\"\nframes = 4\n",
      "art.txt");
  const TArtSection& s = ok.Section("Ships");
  EXPECT_EQ(s.Size("size").Width, 41);
  EXPECT_EQ(s.Size("size").Height, 50);
  EXPECT_EQ(s.Colours("colours").size(), 2u);
  EXPECT_FLOAT_EQ(s.Colours("colours")[0].R, 1.0f);
  EXPECT_EQ(s.Text("label"), "CHILD MODE");
  EXPECT_THROW(ok.CheckAllRead(), std::runtime_error);  // frames never read
  EXPECT_EQ(s.Int("frames"), 4);
  EXPECT_NO_THROW(ok.CheckAllRead());

  auto faultOf = [](const std::string& text, const std::string& key) -> std::string {
    try {
      const TArtSource source = TArtSource::Parse(text, "art.txt");
      const TArtSection& sec = source.Section("S");
      (void)sec.Colour(key);
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  };
  EXPECT_NE(faultOf("[S]\nc = nocolour\n", "c").find("art.txt:2"), std::string::npos);
  EXPECT_NE(faultOf("[S]\nc = #12\n", "c").find("art.txt:2"), std::string::npos);
  EXPECT_NE(faultOf("[S]\nc = red\nc = red\n", "c").find("art.txt:3"), std::string::npos);
  EXPECT_NE(faultOf("[S]\nno equals sign\n", "c").find("art.txt:2"), std::string::npos);
  EXPECT_NE(faultOf("[S]\n", "c").find("lacks c"), std::string::npos);
  EXPECT_NE(faultOf("[T]\n", "c").find("[S] is missing"), std::string::npos);
}

TEST(ImageAnimationScan, FollowsTheMarkers) {
  const std::string text =
      "[REELREC]\nnot seen\n[ENDREEL]\n"
      "[REELREC]\nShips, note\n[SCENEREC]\nLeft1\n255,0,0.5,0.5,100,100,ship_a,1\n\n[ENDSCENE]\n"
      "ignored line\n[SCENEREC]\nghost\n128,0,0.5,0.5,100,100,\"ghost one\",1\n[ENDREEL]\n";
  const std::vector<TScannedScene> scenes = ScanAnimationText(text);
  ASSERT_EQ(scenes.size(), 2u);
  EXPECT_EQ(scenes[0].Reel, "Ships");
  EXPECT_EQ(scenes[0].Scene, "Left1");
  ASSERT_EQ(scenes[0].FrameImages.size(), 2u);
  EXPECT_EQ(scenes[0].FrameImages[0], "ship_a");
  EXPECT_EQ(scenes[0].FrameImages[1], "");  // a blank line in a scene is a frame without image
  ASSERT_EQ(scenes[1].FrameImages.size(), 1u);
  EXPECT_EQ(scenes[1].FrameImages[0], "ghost one");
}

}  // namespace
}  // namespace quellix::assetgen
