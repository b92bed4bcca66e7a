#include "images/vtContactSheet.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "base/vtAtomicFile.h"
#include "graphics/vtArchive.h"
#include "graphics/vtNameIndex.h"
#include "images/vtAnimationScan.h"
#include "images/vtGlyphs.h"
#include "images/vtPaint.h"
#include "images/vtPng.h"

namespace quellix::assetgen {

namespace {

constexpr int Columns = 8;
constexpr int CellWidth = 170, PictureHeight = 112, LabelHeight = 26,
              CellHeight = PictureHeight + LabelHeight;
constexpr int PictureWidth = CellWidth - 14;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open file");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Label(TCanvas& sheet, const std::string& text, float x, float y) {
  TTextStyle style;
  style.CapHeight = 7;
  style.Weight = 0.65f;
  style.Spacing = 1.2f;
  const float width = TextWidth(text, style);
  if (width > CellWidth - 6) {
    const float k = (CellWidth - 6) / width;
    style.CapHeight *= k, style.Weight *= k;
  }
  Fill(sheet, TextShape(text, style, {x, y}), Solid({0.85f, 0.9f, 1.0f}));
}

}  // namespace

void WriteContactSheet(const std::string& dataDir, const std::string& outPng) {
  const TArchive archive = ReadArchive(dataDir + "sprites.vtg", TArchiveKind::Images);
  TNameIndex index;
  for (size_t i = 0; i < archive.Entries.size(); ++i)
    index.Add(archive.Entries[i].Name, static_cast<int32_t>(i));
  const std::vector<TScannedScene> scenes =
      ScanAnimationText(ReadText(dataDir + "data/quellix.txt"));

  const int rows = std::max(1, static_cast<int>((scenes.size() + Columns - 1) / Columns));
  TCanvas sheet(Columns * CellWidth, rows * CellHeight);
  for (int y = 0; y < sheet.Height(); ++y)
    for (int x = 0; x < sheet.Width(); ++x) {
      const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
      const float v = dark ? 0.07f : 0.11f;
      sheet.At(x, y) = {v, v, v * 1.3f, 1.0f};
    }
  for (size_t n = 0; n < scenes.size(); ++n) {
    const int cx = static_cast<int>(n % Columns) * CellWidth;
    const int cy = static_cast<int>(n / Columns) * CellHeight;
    const TScannedScene& scene = scenes[n];
    const std::string image = scene.FrameImages.empty() ? "" : scene.FrameImages[0];
    const int32_t at = index.IndexOf(image);
    if (at < 0) {
      Fill(sheet, RoundBox({cx + CellWidth / 2.0f, cy + PictureHeight / 2.0f}, {30, 20}, 4),
           Solid({0.8f, 0.1f, 0.1f}));
    } else {
      TCanvas picture = DecodePng(archive.Payload(static_cast<size_t>(at)));
      const float k = std::min({1.0f, static_cast<float>(PictureWidth) / picture.Width(),
                                static_cast<float>(PictureHeight - 8) / picture.Height()});
      if (k < 1.0f) {
        const int w = std::max(1, static_cast<int>(picture.Width() * k));
        const int h = std::max(1, static_cast<int>(picture.Height() * k));
        picture = Transform(picture, w, h, 0.0f, k);
      }
      sheet.Compose(picture, cx + (CellWidth - picture.Width()) / 2,
                    cy + 4 + (PictureHeight - 8 - picture.Height()) / 2);
    }
    Label(sheet, scene.Reel, static_cast<float>(cx + 3), static_cast<float>(cy + PictureHeight));
    Label(sheet, scene.Scene + " (" + std::to_string(scene.FrameImages.size()) + ")",
          static_cast<float>(cx + 3), static_cast<float>(cy + PictureHeight + 12));
  }
  const std::vector<uint8_t> png = EncodePng(sheet);
  WriteFileAtomically(outPng, {reinterpret_cast<const char*>(png.data()), png.size()});
}

}  // namespace quellix::assetgen
