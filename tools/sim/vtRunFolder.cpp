#include "vtRunFolder.h"

#include "base/vtFileSystem.h"
#include "shell/vtGameDataLinks.h"

namespace quellix::sim {

namespace fs = std::filesystem;

TRunFolder::TRunFolder(const fs::path& dataDir) : fPath(MakeTemporaryFolder("quellix-sim-")) {
  try {
    LinkGameData(dataDir, fPath);
  } catch (...) {
    std::error_code ignored;
    fs::remove_all(fPath, ignored);
    throw;
  }
}

std::string TRunFolder::Dir() const {
  return FolderText(fPath);
}

TRunFolder::~TRunFolder() {
  std::error_code ignored;
  fs::remove_all(fPath, ignored);
}

}  // namespace quellix::sim
