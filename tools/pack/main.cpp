// quellix-pack build OUT MANIFEST | quellix-pack list ARCHIVE
#include <exception>
#include <iostream>
#include <string>

#include "vtPack.h"

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "build" && argc == 4) {
      const auto errors = quellix::pack::BuildArchive(argv[2], argv[3]);
      for (const std::string& e : errors) std::cerr << e << "\n";
      return errors.empty() ? 0 : 1;
    }
    if (command == "list" && argc == 3) {
      quellix::pack::ListArchive(argv[2], std::cout);
      return 0;
    }
  } catch (const std::exception& e) {
    std::cerr << "quellix-pack: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: quellix-pack build OUT.vtg|OUT.vtw MANIFEST\n"
               "       quellix-pack list ARCHIVE\n";
  return 2;
}
