#include "images/vtAnimationScan.h"

#include <sstream>

#include "config/vtCommaList.h"

namespace quellix::assetgen {

std::vector<TScannedScene> ScanAnimationText(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  std::vector<TScannedScene> scenes;
  std::string reel;
  TScannedScene* scene = nullptr;
  enum { Outside, InReel, InScene } where = Outside;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    auto header = [&]() -> std::string {
      if (i + 1 >= lines.size()) return "";
      const TStringList items = Split(lines[++i]);
      return items.empty() ? "" : items[0];
    };
    if (where == Outside) {
      if (line == "[REELREC]") reel = header(), where = InReel;
    } else if (where == InReel) {
      if (line == "[ENDREEL]") {
        where = Outside;
      } else if (line == "[SCENEREC]") {
        scenes.push_back({reel, "", {}});
        scene = &scenes.back();
        scene->Scene = header();
        where = InScene;
      }
    } else if (line == "[ENDSCENE]") {
      where = InReel;
    } else if (line == "[ENDREEL]") {
      where = Outside;
    } else {
      const TStringList items = Split(line);
      scene->FrameImages.push_back(items.size() >= 7 ? items[6] : "");
    }
  }
  return scenes;
}

}  // namespace quellix::assetgen
