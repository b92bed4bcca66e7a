// quellix-assetgen SOURCE_DIR OUT_DIR: writes all game data from its sources.
#include <exception>
#include <filesystem>
#include <iostream>

#include "vtAssetGen.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: quellix-assetgen SOURCE_DIR OUT_DIR\n";
    return 2;
  }
  namespace fs = std::filesystem;
  quellix::assetgen::TGenPaths paths{fs::path(argv[1]).string() + "/",
                                     fs::path(argv[2]).string() + "/"};
  try {
    fs::create_directories(fs::path(paths.OutDir) / "data");
    quellix::assetgen::GenerateTables(paths);
    quellix::assetgen::GenerateSounds(paths);
    quellix::assetgen::GenerateImages(paths);
  } catch (const std::exception& e) {
    std::cerr << "quellix-assetgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
