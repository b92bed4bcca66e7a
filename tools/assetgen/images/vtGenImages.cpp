// The images half of the generator: paints every sprite set from data/art/art.txt,
// packs the pictures into "sprites.vtg" and writes the animation file and the icons.
#include <filesystem>
#include <string>

#include "base/vtAtomicFile.h"
#include "graphics/vtArchive.h"
#include "images/vtArtOutput.h"
#include "images/vtArtSource.h"
#include "images/vtIcoFile.h"
#include "images/vtPainters.h"
#include "images/vtPng.h"
#include "vtAssetGen.h"

namespace quellix::assetgen {

void GenerateImages(const TGenPaths& paths) {
  const TArtSource source = TArtSource::Load(paths.SourceDir + "art/art.txt");
  TArtOutput out;
  PaintTitleScreen(source, out);
  PaintPlayer(source, out);
  PaintShots(source, out);
  PaintWaves(source, out);
  PaintShields(source, out);
  PaintExplosions(source, out);
  PaintTexts(source, out);
  PaintBonuses(source, out);
  PaintShrapnel(source, out);
  PaintHoles(source, out);
  PaintEnemies(source, out);
  const std::vector<TIconOut> icons = PaintIcons(source);
  source.CheckAllRead();

  TArchiveWriter archive(TArchiveKind::Images);
  for (const TImageOut& image : out.Images()) {
    TImageItem fields;
    fields.Name = image.Name;
    fields.PatternWidth = image.Picture.Width();
    fields.PatternHeight = image.Picture.Height();
    archive.AddImage(fields, EncodePng(image.Picture));
  }
  std::filesystem::create_directories(std::filesystem::path(paths.OutDir) / "data");
  archive.SaveToFile(paths.OutDir + "sprites.vtg");
  WriteFileAtomically(paths.OutDir + "data/quellix.txt", out.AnimationText());
  std::vector<TIcoPicture> windowsIcon;
  for (const TIconOut& icon : icons) {
    const std::string size = std::to_string(icon.Size);
    const std::filesystem::path dir =
        std::filesystem::path(paths.OutDir) / IconDir / (size + "x" + size) / "apps";
    std::filesystem::create_directories(dir);
    const std::vector<uint8_t> png = EncodePng(icon.Picture);
    WriteFileAtomically((dir / IconFile).string(),
                        std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
    if (icon.Size <= 256) windowsIcon.push_back({icon.Size, png});
  }
  WriteFileAtomically(paths.OutDir + IconDir + "/" + WindowsIconFile, IcoFile(windowsIcon));
}

}  // namespace quellix::assetgen
