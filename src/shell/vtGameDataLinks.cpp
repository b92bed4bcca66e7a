#include "shell/vtGameDataLinks.h"

#include <stdexcept>

#include "base/vtFileSystem.h"
#include "shell/vtDataDigest.h"

namespace quellix {

namespace fs = std::filesystem;

namespace {

void LinkFile(const fs::path& target, const fs::path& link) {
  std::error_code error;
  fs::create_symlink(target, link, error);
  if (!error) return;
  fs::create_hard_link(target, link, error);
  if (!error) return;
  fs::copy_file(target, link);
}

}  // namespace

void LinkGameData(const fs::path& dataDir, const fs::path& dir) {
  for (std::string_view file : GameDataFiles)
    if (!fs::is_regular_file(dataDir / file))
      throw std::runtime_error("the game's data lacks " + TextOf(dataDir / file));
  fs::create_directories(dir / "data");
  for (std::string_view file : GameDataFiles) LinkFile(fs::absolute(dataDir / file), dir / file);
  std::error_code none;
  for (const fs::directory_entry& font : fs::directory_iterator(dataDir / "fonts", none)) {
    fs::create_directories(dir / "fonts");
    LinkFile(fs::absolute(font.path()), dir / "fonts" / font.path().filename());
  }
}

}  // namespace quellix
