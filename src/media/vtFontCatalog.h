// Finds the TrueType file for a typeface name. A face whose family name (or family
// plus style, "Thehits Regular") matches is looked for in the given folders (the data
// folder's fonts/ first, then the system font folders). Where there is none, one fixed
// free face is used, so the game looks the same on every machine; that fallback is
// logged once per name.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "media/vtPlatformLog.h"

namespace quellix::media {

class TFontCatalog {
 public:
  // Installed by fonts-dejavu-core; the Windows zip carries the file in fonts/.
  static constexpr const char* FallbackFile =
      "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  static constexpr const char* FallbackName = "DejaVuSans-Bold.ttf";

  // TTF_Init must have run before the first lookup.
  explicit TFontCatalog(TPlatformLog& log);

  // The folders searched, in order (searched again on the next lookup).
  void SetFolders(std::vector<std::string> folders);
  static std::vector<std::string> StandardFolders(const std::string& dataDir);

  // Scans the folders unless they were scanned, so that no lookup has to; false when
  // there was nothing to do.
  bool Prepare();
  // The file of the named face, else the fallback; empty when neither exists.
  const std::string& FileFor(const std::string& name);
  const std::string& FallbackPath();

 private:
  struct TFace {
    std::string Path, Family, Style;
  };
  void Scan();

  TPlatformLog& fLog;
  std::vector<std::string> fFolders;
  bool fScanned = false;
  std::vector<TFace> fFaces;
  std::string fFallback;
  std::map<std::string, std::string> fResolved;  // by lower-case name
};

}  // namespace quellix::media
