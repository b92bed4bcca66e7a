// The images half of the generator, run on the real art source: the same sources give
// the same bytes, every scene the game names is there with its pictures, and the
// pictures have the sizes that the game's positions assume.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "config/vtCommaList.h"
#include "game/vtAssetNames.h"
#include "graphics/vtAnimationEngine.h"
#include "graphics/vtArchive.h"
#include "graphics/vtNameIndex.h"
#include "images/vtAnimationScan.h"
#include "images/vtContactSheet.h"
#include "images/vtPng.h"
#include "support/vtTestContext.h"
#include "vtAssetGen.h"

namespace quellix::assetgen {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

fs::path FreshDir(const std::string& name) {
  const fs::path dir =
      fs::temp_directory_path() / ("quellix-images-" + name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void Generate(const fs::path& out) {
  GenerateImages({std::string(QUELLIX_SOURCE_DIR) + "/data/", out.string() + "/"});
}

struct TSize2 {
  int W = 0, H = 0;
};

class ImageGenerator : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Dir = new fs::path(FreshDir("a"));
    Generate(*Dir);
    Archive = new TArchive(ReadArchive((*Dir / "sprites.vtg").string(), TArchiveKind::Images));
    AnimationText = new std::string(ReadFile(*Dir / "data" / "quellix.txt"));
    Scenes = new std::vector<TScannedScene>(ScanAnimationText(*AnimationText));
  }
  static void TearDownTestSuite() {
    fs::remove_all(*Dir);
    delete Scenes, delete AnimationText, delete Archive, delete Dir;
  }

  static const TScannedScene* Find(std::string_view reel, std::string_view scene) {
    for (const TScannedScene& s : *Scenes)
      if (SameText(s.Reel, reel) && SameText(s.Scene, scene)) return &s;
    return nullptr;
  }
  static const TArchiveEntry* Image(std::string_view name) {
    for (const TArchiveEntry& e : Archive->Entries)
      if (SameText(e.Name, name)) return &e;
    return nullptr;
  }
  // The size of the first picture of a scene, as stored and as decoded.
  static TSize2 SizeOf(std::string_view reel, std::string_view scene) {
    const TScannedScene* s = Find(reel, scene);
    if (!s || s->FrameImages.empty()) {
      ADD_FAILURE() << "no scene " << reel << "/" << scene;
      return {};
    }
    const TArchiveEntry* e = Image(s->FrameImages[0]);
    if (!e) {
      ADD_FAILURE() << "no image " << s->FrameImages[0];
      return {};
    }
    const TCanvas picture = DecodePng({Archive->Bytes.data() + e->Offset, e->Length});
    EXPECT_EQ(picture.Width(), e->Image.PatternWidth) << e->Name;
    EXPECT_EQ(picture.Height(), e->Image.PatternHeight) << e->Name;
    return {picture.Width(), picture.Height()};
  }

  static void ExpectEveryNamedScene();
  static void ExpectTheGameLoadsIt();
  static void ExpectFramesPlacedAlike();
  static void ExpectShipsFillTheirEdges();
  static void ExpectShotsLeaveTheNoseCentred();
  static void ExpectShieldsSurroundTheirShips();
  static void ExpectCentredPiecesCentred();
  static void ExpectTitleLabelsFitTheirZones();
  static void ExpectIconsAtThemeSizes();
  static void ExpectContactSheetOfEveryScene();

  static fs::path* Dir;
  static TArchive* Archive;
  static std::string* AnimationText;
  static std::vector<TScannedScene>* Scenes;
};
fs::path* ImageGenerator::Dir = nullptr;
TArchive* ImageGenerator::Archive = nullptr;
std::string* ImageGenerator::AnimationText = nullptr;
std::vector<TScannedScene>* ImageGenerator::Scenes = nullptr;

TEST_F(ImageGenerator, TwoRunsGiveTheSameBytes) {
  const fs::path second = FreshDir("b");
  Generate(second);
  EXPECT_TRUE(ReadFile(*Dir / "sprites.vtg") == ReadFile(second / "sprites.vtg"));
  EXPECT_TRUE(*AnimationText == ReadFile(second / "data" / "quellix.txt"));
  for (const fs::directory_entry& icon : fs::recursive_directory_iterator(*Dir / IconDir)) {
    if (!icon.is_regular_file()) continue;
    EXPECT_TRUE(ReadFile(icon.path()) == ReadFile(second / fs::relative(icon.path(), *Dir)))
        << icon.path();
  }
  fs::remove_all(second);
}

void ImageGenerator::ExpectEveryNamedScene() {
  // The loader never reads the first line; it must not be a marker.
  EXPECT_EQ(AnimationText->rfind(";", 0), 0u);
  TImageRanges ranges;
  ranges.fill({1, 3});
  for (const TSceneName& name : RequiredScenes(ranges)) {
    const TScannedScene* scene = Find(name.Reel, name.Scene);
    ASSERT_NE(scene, nullptr) << name.Reel << "/" << name.Scene;
    EXPECT_FALSE(scene->FrameImages.empty()) << name.Reel << "/" << name.Scene;
  }
  for (const TScannedScene& scene : *Scenes)
    for (const std::string& image : scene.FrameImages)
      EXPECT_NE(Image(image), nullptr) << scene.Reel << "/" << scene.Scene << " names " << image;
}

void ImageGenerator::ExpectTheGameLoadsIt() {
  // The game's own loader reads the file without a message or a warning, finds every
  // scene the game names, and every frame's image is an item of the archive.
  testing::TTestContext context;
  Tvt6AnimationEngine engine(context.Context);
  engine.LoadFromFile((*Dir / "data" / "quellix.txt").string());
  testing::TFakeImageList images;
  for (const TArchiveEntry& e : Archive->Entries)
    images.Add(e.Name, e.Image.PatternWidth, e.Image.PatternHeight);
  engine.LinkImages(images);
  TImageRanges ranges;
  ranges.fill({1, 3});
  for (const TSceneName& name : RequiredScenes(ranges)) {
    const Tvt6Scene* scene = engine.GetScene(name.Reel, name.Scene);
    ASSERT_NE(scene, nullptr) << name.Reel << "/" << name.Scene;
    ASSERT_GT(scene->FrameCount(), 0) << name.Reel << "/" << name.Scene;
    for (int f = 0; f < scene->FrameCount(); ++f)
      EXPECT_GE(scene->Frame(f)->ImageIndex, 0) << name.Reel << "/" << name.Scene << " frame " << f;
  }
  EXPECT_TRUE(context.Messages().empty()) << context.Messages().front();
  EXPECT_TRUE(context.Platform.Messages.empty());
}

void ImageGenerator::ExpectFramesPlacedAlike() {
  // A turned frame, or a scaled one that is not opaque, is drawn with its centre on the
  // sprite's position; every other frame with its top-left corner there. A scene that
  // mixed the two would jump; only the hit sparks, which are placed on a centre, use it.
  std::istringstream in(*AnimationText);
  std::string line, reel, scene;
  std::map<std::string, std::set<bool>> anchoring;
  bool inScene = false;
  std::getline(in, line);
  while (std::getline(in, line)) {
    if (line == "[REELREC]")
      std::getline(in, reel);
    else if (line == "[SCENEREC]")
      std::getline(in, scene), inScene = true;
    else if (line == "[ENDSCENE]")
      inScene = false;
    else if (inScene) {
      const TStringList f = Split(line);
      ASSERT_EQ(f.size(), 8u) << line;
      const int alpha = std::stoi(f[0]), angle = std::stoi(f[1]);
      const int sx = std::stoi(f[4]), sy = std::stoi(f[5]);
      EXPECT_TRUE(alpha >= 0 && alpha <= 255) << line;
      anchoring[reel + "/" + scene].insert(angle != 0 || ((sx != 100 || sy != 100) && alpha < 255));
    }
  }
  for (const auto& [name, kinds] : anchoring) {
    EXPECT_EQ(kinds.size(), 1u) << name << " mixes anchorings";
    const bool spark = name.rfind("Explosions/exp", 0) == 0;
    EXPECT_EQ(*kinds.begin(), spark) << name;
  }
}

void ImageGenerator::ExpectShipsFillTheirEdges() {
  for (int colour = 1; colour <= ShipColourCount; ++colour) {
    const std::string n = std::to_string(colour);
    // The Right ship stands at x 759 and reaches the screen's edge.
    EXPECT_EQ(SizeOf("Player", "Right" + n).W, 800 - 759);
    EXPECT_EQ(SizeOf("Player", "Left" + n).W, 800 - 759);
    // Top and Bottom follow x 0..749 and reach the other edge.
    EXPECT_EQ(SizeOf("Player", "Top" + n).W, 800 - 750);
    const TSize2 bottom = SizeOf("Player", "Bottom" + n);
    EXPECT_EQ(bottom.W, 800 - 750);
    // The Bottom ship at y 519 stays above the heads-up band from y 558.
    EXPECT_LE(519 + bottom.H, 558);
    // The Top ship's shots start at y + 40, just beyond it.
    EXPECT_LE(SizeOf("Player", "Top" + n).H, 40);
  }
}

void ImageGenerator::ExpectShotsLeaveTheNoseCentred() {
  const std::pair<const char*, int> offsets[] = {{"Shots", 12}, {"MedShots", 8}, {"largeShots", 4}};
  const int shipAcross = SizeOf("Player", "Left1").H;
  for (const auto& [reel, o] : offsets)
    for (int colour = 1; colour <= ShipColourCount; ++colour) {
      const std::string n = std::to_string(colour);
      // Up and down: from ship x + o, centred on a 50-wide ship.
      EXPECT_EQ(SizeOf(reel, "Top" + n).W, 50 - 2 * o) << reel;
      EXPECT_EQ(SizeOf(reel, "Bottom" + n).W, 50 - 2 * o) << reel;
      // The Bottom ship's shots start 20 above it, so they are at most 20 long.
      EXPECT_LE(SizeOf(reel, "Bottom" + n).H, 20) << reel;
      // Sideways: from ship y + 12 at every power, centred on the side ship.
      EXPECT_EQ(12 + SizeOf(reel, "Left" + n).H / 2, shipAcross / 2) << reel;
      EXPECT_EQ(12 + SizeOf(reel, "Right" + n).H / 2, shipAcross / 2) << reel;
      // The Right ship's shots start 20 to its left.
      EXPECT_LE(SizeOf(reel, "Right" + n).W, 20) << reel;
    }
}

void ImageGenerator::ExpectShieldsSurroundTheirShips() {
  const TSize2 side = SizeOf("Player", "Left1"), edge = SizeOf("Player", "Top1");
  for (int v = 1; v <= ShieldVariantCount; ++v) {
    const std::string n = std::to_string(v);
    // Left at (x, y - 30) and Right at (x - 30, y - 30): 30 beyond the ship, 30 above and below.
    for (const char* prefix : {"LShield", "RShield"}) {
      const TSize2 s = SizeOf("Shields", prefix + n);
      EXPECT_EQ(s.W, side.W + 30);
      EXPECT_EQ(s.H, side.H + 60);
    }
    // Top at (x - 30, y) and Bottom at (x - 30, y - 30): 30 either side, 30 beyond.
    for (const char* prefix : {"UShield", "BShield"}) {
      const TSize2 s = SizeOf("Shields", prefix + n);
      EXPECT_EQ(s.W, edge.W + 60);
      EXPECT_EQ(s.H, edge.H + 30);
    }
  }
}

void ImageGenerator::ExpectCentredPiecesCentred() {
  // The hole at (350, 230) centres on the stars' target square 380..419 x 260..299.
  for (std::string_view hole : HoleScenes) {
    const TSize2 s = SizeOf("Holes", hole);
    EXPECT_EQ(350 * 2 + s.W, 380 + 420);
    EXPECT_EQ(230 * 2 + s.H, 260 + 300);
  }
  // Rings at (x - 100, y - 100) centre on the explosion point.
  const TSize2 ring = SizeOf("Explosions", "ring1");
  EXPECT_EQ(ring.W, 200);
  EXPECT_EQ(ring.H, 200);
  // Texts and banners centre on x 400 from their left edges.
  const std::pair<const char*, int> texts[] = {
      {"LevelComplete", 200}, {"NextLevel", 280}, {"gameover", 270},    {"bigshot", 200},
      {"bigbomb", 220},       {"bigshield", 130}, {"bigextralife", 240}};
  for (const auto& [scene, left] : texts)
    EXPECT_EQ(left + SizeOf("Text", scene).W / 2, 400) << scene;
  // A floud's shots leave from x + 32, y + 32: its centre.
  for (int v = 1; v <= 3; ++v) {
    const TSize2 floud = SizeOf("Flouds", "floud" + std::to_string(v));
    EXPECT_EQ(floud.W, 64);
    EXPECT_EQ(floud.H, 64);
    EXPECT_LE(SizeOf("Flouds", "shot" + std::to_string(v)).W, 10);
  }
  // The aztek's shot circles "circle_50", a circle about (400, 320), moved by
  // (-372, -306) from the aztek: its centre lands on the aztek's centre when the aztek
  // is 56 wider and 28 taller than the shot.
  for (int v = 1; v <= 3; ++v) {
    const TSize2 aztek = SizeOf("azteks", "aztek" + std::to_string(v));
    const TSize2 shot = SizeOf("azteks", "shot" + std::to_string(v));
    EXPECT_EQ(400 - 372 + shot.W / 2, aztek.W / 2);
    EXPECT_EQ(320 - 306 + shot.H / 2, aztek.H / 2);
  }
}

void ImageGenerator::ExpectTitleLabelsFitTheirZones() {
  const TSize2 title = SizeOf("titlescreen", "title");
  EXPECT_EQ(title.W, 800);
  EXPECT_EQ(title.H, 600);
  const std::pair<const char*, TSize2> zones[] = {
      {"easy", {100, 30}},  {"normal", {100, 30}}, {"hard", {100, 30}},     {"quit", {100, 30}},
      {"sound", {150, 30}}, {"shrap", {150, 30}},  {"childmode", {150, 30}}};
  for (const auto& [zone, size] : zones)
    for (const char* state : {"dim", "bright"}) {
      const TSize2 s = SizeOf("titlescreen", std::string(zone) + state);
      EXPECT_EQ(s.W, size.W) << zone << state;
      EXPECT_EQ(s.H, size.H) << zone << state;
    }
}

void ImageGenerator::ExpectIconsAtThemeSizes() {
  // The sizes desktops look for, each a square picture on a rounded plate: (all but)
  // clear in the corners, opaque in the middle.
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    const std::string bytes = ReadFile(*Dir / IconDir / (side + "x" + side) / "apps" / IconFile);
    ASSERT_FALSE(bytes.empty()) << size;
    const TCanvas icon = DecodePng({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    EXPECT_EQ(icon.Width(), size);
    EXPECT_EQ(icon.Height(), size);
    EXPECT_LT(icon.At(0, 0).A, 0.05f) << size;
    EXPECT_LT(icon.At(size - 1, size - 1).A, 0.05f) << size;
    EXPECT_EQ(icon.At(size / 2, size / 2).A, 1.0f) << size;
  }
  // The Windows icon file: a header, seven entries, and the very same PNG pictures.
  const std::string ico = ReadFile(*Dir / IconDir / WindowsIconFile);
  const auto u16 = [&](size_t at) {
    return static_cast<uint32_t>(static_cast<uint8_t>(ico.at(at)) |
                                 static_cast<uint8_t>(ico.at(at + 1)) << 8);
  };
  const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  ASSERT_EQ(u16(0), 0u);
  ASSERT_EQ(u16(2), 1u);
  ASSERT_EQ(u16(4), 7u);
  size_t entry = 6;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const std::string side = std::to_string(size);
    EXPECT_EQ(static_cast<uint8_t>(ico.at(entry)), size % 256) << size;
    EXPECT_EQ(u16(entry + 6), 32u) << size;
    const std::string png = ico.substr(u32(entry + 12), u32(entry + 8));
    EXPECT_TRUE(png == ReadFile(*Dir / IconDir / (side + "x" + side) / "apps" / IconFile)) << size;
    entry += 16;
  }
  EXPECT_EQ(u32(entry - 4) + u32(entry - 8), ico.size()) << "the last picture ends the file";
}

void ImageGenerator::ExpectContactSheetOfEveryScene() {
  const fs::path sheet = *Dir / "sheet.png";
  WriteContactSheet(Dir->string() + "/", sheet.string());
  const std::string bytes = ReadFile(sheet);
  const TCanvas picture = DecodePng({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  // Eight cells of 170 x 138 a row.
  EXPECT_EQ(picture.Width(), 8 * 170);
  EXPECT_EQ(picture.Height(), static_cast<int>((Scenes->size() + 7) / 8) * 138);
}

// Each test process generates anew, so the checks share two tests rather than one each.
TEST_F(ImageGenerator, EverySceneTheGameNamesIsThereAndPlacedAlike) {
  ExpectEveryNamedScene();
  ExpectTheGameLoadsIt();
  ExpectFramesPlacedAlike();
  ExpectContactSheetOfEveryScene();
}

TEST_F(ImageGenerator, PicturesHaveTheSizesThePositionsNeed) {
  ExpectShipsFillTheirEdges();
  ExpectShotsLeaveTheNoseCentred();
  ExpectShieldsSurroundTheirShips();
  ExpectCentredPiecesCentred();
  ExpectTitleLabelsFitTheirZones();
  ExpectIconsAtThemeSizes();
}

}  // namespace
}  // namespace quellix::assetgen
