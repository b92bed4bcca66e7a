#include "config/vtTextFile.h"

#include <fstream>

namespace quellix {

bool ReadTextLines(const std::string& path, TStringList& lines) {
  lines.clear();
  std::ifstream file(path, std::ios::binary);
  if (!file) return false;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  return true;
}

}  // namespace quellix
