// The text canvas: font colour, clear and solid brushes, clipping, the cache of
// rendered texts, and how typefaces are found.
#include <gtest/gtest.h>

#include <filesystem>

#include "MediaTestSupport.h"
#include "media/vtHeadlessPlatform.h"

namespace quellix::testing {
namespace {

using media::THeadlessPlatform;

constexpr TColor Red = RGB(255, 0, 0), Blue = RGB(0, 0, 255), Grey = RGB(60, 60, 60);

class Text : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyDrivers();
    platform.AttachLog([this](const std::string& line) { log.push_back(line); });
    canvas().Font.Name = "DejaVu Sans";
    canvas().Font.Size = 18;
    canvas().Font.Color = Red;
    platform.Display().Fill(Grey);
  }
  ITextCanvas& canvas() { return platform.Display().Canvas(); }
  // Pixels of the given colour inside the rectangle.
  int Count(const TRect& r, TColor colour) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += platform.Pixel(x, y) == colour;
    return n;
  }

  THeadlessPlatform platform{{.ExeDir = "./", .AudioDriver = "none"}};
  std::vector<std::string> log;
};

TEST_F(Text, SizeInPointsAt96DpiOrHeightInPixels) {
  TFont font;
  font.Size = 18;
  EXPECT_EQ(media::FontPixelSize(font), 24);
  font.Size = 10;
  EXPECT_EQ(media::FontPixelSize(font), 13);
  font.Height = 19;
  EXPECT_EQ(media::FontPixelSize(font), 19);
  font.Height = 0;
  font.Size = -5;
  EXPECT_EQ(media::FontPixelSize(font), 1);
  font.Size = 1000000;
  EXPECT_LE(media::FontPixelSize(font), 400);
}

TEST_F(Text, ClearBrushDrawsGlyphsOnlyInTheFontColour) {
  canvas().Brush.Style = TBrushStyle::Clear;
  canvas().Brush.Color = Blue;
  const int32_t w = canvas().TextWidth("HIH"), h = canvas().TextHeight("HIH");
  EXPECT_GT(w, 20);
  EXPECT_GT(h, 15);
  canvas().TextOut(100, 100, "HIH");
  const TRect box = Bounds(100, 100, w, h);
  EXPECT_GT(Count(box, Red), 40) << "the strokes are in the font colour";
  EXPECT_EQ(Count(box, Blue), 0);
  EXPECT_EQ(platform.Pixel(100, 100), Grey) << "the background shows between glyphs";
  EXPECT_EQ(Count({100 + w, 100, 140 + w, 100 + h}, Grey), 40 * h) << "nothing right of the text";
}

TEST_F(Text, SolidBrushFillsTheTextBoxFirst) {
  canvas().Brush.Style = TBrushStyle::Solid;
  canvas().Brush.Color = Blue;
  canvas().TextOut(100, 100, "HIH");
  const int32_t w = canvas().TextWidth("HIH"), h = canvas().TextHeight("HIH");
  EXPECT_EQ(platform.Pixel(100, 100), Blue);
  EXPECT_EQ(platform.Pixel(100 + w - 1, 100 + h - 1), Blue);
  EXPECT_EQ(platform.Pixel(100 + w, 100), Grey);
  EXPECT_GT(Count(Bounds(100, 100, w, h), Red), 40);
}

TEST_F(Text, TextRectClipsTheGlyphs) {
  canvas().Brush.Style = TBrushStyle::Clear;
  const std::string text = "HHHHHHHHHH";
  const int32_t h = canvas().TextHeight(text);
  canvas().TextRect({100, 100, 130, 100 + h}, 100, 100, text);
  EXPECT_GT(Count({100, 100, 130, 100 + h}, Red), 20);
  EXPECT_EQ(Count({130, 90, 400, 110 + h}, Grey), 270 * (20 + h)) << "nothing past the clip";
  // The clip ends with the call: the next text is whole again.
  canvas().TextOut(100, 200, text);
  EXPECT_GT(Count({130, 200, 400, 200 + h}, Red), 100);
}

TEST_F(Text, SolidBrushFillsTheWholeClipRectangle) {
  canvas().Brush.Style = TBrushStyle::Solid;
  canvas().Brush.Color = Blue;
  canvas().TextRect({50, 50, 250, 90}, 60, 60, "I");
  EXPECT_EQ(platform.Pixel(50, 50), Blue);
  EXPECT_EQ(platform.Pixel(249, 89), Blue);
  EXPECT_EQ(platform.Pixel(250, 89), Grey);
}

TEST_F(Text, EmptyAndOffScreenTextsAreHarmless) {
  canvas().TextOut(10, 10, "");
  canvas().TextOut(INT32_MAX, INT32_MAX, "far away");
  canvas().TextOut(INT32_MIN, INT32_MIN, "far away");
  canvas().TextRect({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 0, 0, "clip");
  canvas().TextRect({10, 10, 10, 10}, 10, 10, "empty clip");
  EXPECT_EQ(canvas().TextWidth(""), 0);
  EXPECT_GT(canvas().TextHeight(""), 0);
  canvas().Release();
}

TEST_F(Text, RenderedTextsAreCachedByTextFaceSizeStyleAndColour) {
  auto& sdlCanvas = platform.SdlDisplay().TextCanvas();
  canvas().TextOut(0, 0, "Score 100");
  canvas().TextOut(0, 50, "Score 100");
  EXPECT_EQ(sdlCanvas.Rasterised(), 1u);
  canvas().Font.Color = Blue;
  canvas().TextOut(0, 0, "Score 100");
  canvas().Font.Style = fsBold;
  canvas().TextOut(0, 0, "Score 100");
  canvas().Font.Size = 10;
  canvas().TextOut(0, 0, "Score 100");
  EXPECT_EQ(sdlCanvas.Rasterised(), 4u);
  canvas().Font.Style = 0;
  canvas().Font.Size = 18;
  canvas().Font.Color = Red;
  canvas().TextOut(0, 0, "Score 100");
  EXPECT_EQ(sdlCanvas.Rasterised(), 4u) << "the first text is still cached";
}

TEST_F(Text, TheCacheIsBoundedAndDropsTheLeastRecentlyUsed) {
  auto& sdlCanvas = platform.SdlDisplay().TextCanvas();
  const size_t n = media::TSdlCanvas::CachedTexts;
  canvas().TextOut(0, 0, "kept");
  for (size_t i = 0; i < n - 1; ++i) {
    canvas().TextOut(0, 0, std::to_string(i));
    if (i % 100 == 0) canvas().TextOut(0, 0, "kept");  // keeps it recent
  }
  canvas().TextOut(0, 0, "one more");
  const size_t before = sdlCanvas.Rasterised();
  canvas().TextOut(0, 0, "kept");
  EXPECT_EQ(sdlCanvas.Rasterised(), before) << "recently used: still cached";
  canvas().TextOut(0, 0, "0");
  EXPECT_EQ(sdlCanvas.Rasterised(), before + 1) << "least recently used: dropped";
}

TEST_F(Text, AMissingTypefaceFallsBackAndIsLoggedOnce) {
  canvas().Font.Name = "No Such Face Anywhere";
  canvas().TextOut(0, 0, "A");
  canvas().TextOut(0, 0, "B");
  EXPECT_GT(canvas().TextWidth("A"), 0);
  std::vector<std::string> lines;
  for (const std::string& line : log)
    if (line.find("No Such Face Anywhere") != std::string::npos) lines.push_back(line);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("DejaVuSans-Bold.ttf"), std::string::npos);
}

TEST_F(Text, FacesAreFoundByFamilyAndStyleIgnoringCase) {
  media::TPlatformLog sink;
  media::TFontCatalog catalog(sink);
  catalog.SetFolders({"/usr/share/fonts/"});
  using std::filesystem::path;
  EXPECT_EQ(path(catalog.FileFor("DejaVu Sans")).filename(), "DejaVuSans.ttf");
  EXPECT_EQ(path(catalog.FileFor("dejavu sans bold")).filename(), "DejaVuSans-Bold.ttf");
  EXPECT_EQ(path(catalog.FileFor("No Such Face")).filename(), "DejaVuSans-Bold.ttf");
}

TEST_F(Text, TheRunFoldersFontsComeFirst) {
  // A copy of a face under the run folder's fonts/ is the one used.
  TTempDir dir;
  std::filesystem::create_directories(dir.Path() / "fonts");
  std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                             dir.Path() / "fonts" / "Local.ttf");
  media::TPlatformLog sink;
  media::TFontCatalog catalog(sink);
  catalog.SetFolders(media::TFontCatalog::StandardFolders(dir.Path().string() + "/"));
  EXPECT_EQ(std::filesystem::path(catalog.FileFor("DejaVu Sans")).filename(), "Local.ttf");
}

}  // namespace
}  // namespace quellix::testing
