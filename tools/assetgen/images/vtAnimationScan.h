// A plain reading of the animation file: which scenes each reel holds and which image
// each frame names. Enough for the contact sheet and the data tests; the game's own
// loader does the full job with all its rules.
#pragma once

#include <string>
#include <vector>

namespace quellix::assetgen {

struct TScannedScene {
  std::string Reel;
  std::string Scene;
  std::vector<std::string> FrameImages;  // one per frame line, "" when it names none
};

// Follows the file's marker lines; the first line is never read.
std::vector<TScannedScene> ScanAnimationText(const std::string& text);

}  // namespace quellix::assetgen
