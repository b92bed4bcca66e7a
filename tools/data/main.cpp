// quellix-data check DIR | quellix-data sheet DIR OUT.png
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "images/vtContactSheet.h"
#include "services/vtGameFolders.h"
#include "vtDataCheck.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "check" && argc == 3) {
      // The folder as the game would find it: a run folder, an installed game's
      // share/quellix, or the bin/ folder beside it.
      const std::string given = std::filesystem::path(argv[2]).concat("/").lexically_normal();
      const std::string dir = quellix::FindDataDir(given);
      if (dir != given) std::cout << "data folder: " << dir << "\n";
      const quellix::datacheck::TDataReport report = quellix::datacheck::CheckData(dir);
      for (const std::string& finding : report.Findings) std::cout << finding << "\n";
      std::cout << report.Summary() << "\n";
      return report.Ok() ? 0 : 1;
    }
    if (command == "sheet" && argc == 4) {
      quellix::assetgen::WriteContactSheet(std::string(argv[2]) + "/", argv[3]);
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "quellix-data: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: quellix-data check DIR\n"
               "       quellix-data sheet DIR OUT.png\n";
  return 2;
}
