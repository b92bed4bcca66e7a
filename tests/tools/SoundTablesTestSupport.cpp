#include "SoundTablesTestSupport.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quellix::testing {

namespace fs = std::filesystem;

std::string RunDir() {
  return std::string(QUELLIX_RUN_DIR) + "/";
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot open " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  const std::string text = ReadText(path);
  return {text.begin(), text.end()};
}

std::string FirstLine(const std::string& path) {
  const std::string text = ReadText(path);
  return text.substr(0, text.find_first_of("\r\n"));
}

void CopyDataSources(const std::string& dir) {
  fs::copy(fs::path(QUELLIX_SOURCE_DIR) / "data", fs::path(dir) / "data",
           fs::copy_options::recursive);
}

void WriteText(const std::string& path, std::string_view text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

void ReplaceInFile(const std::string& path, std::string_view from, std::string_view to) {
  std::string text = ReadText(path);
  const size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << "\"" << from << "\" not found in " << path;
  text.replace(at, from.size(), to);
  WriteText(path, text);
}

TCommandRun RunGenerator(const std::string& sourceDir, const std::string& outDir) {
  const std::string tool = std::string(QUELLIX_TOOLS_DIR) + "/assetgen/quellix-assetgen";
  EXPECT_TRUE(fs::exists(tool)) << tool << " is not built";
  return RunCommand("'" + tool + "' '" + sourceDir + "' '" + outDir + "'");
}

std::vector<TConfigGroup> ParseConfigLine(std::string_view line) {
  std::vector<TConfigGroup> groups;
  for (const std::string& groupText : Split(line)) {
    const TStringList items = Split(groupText);
    TConfigGroup& g = groups.emplace_back();
    if (items.empty()) continue;
    g.Name = items[0];
    size_t i = 1;
    for (; i < items.size() && items[i] != "<##VarNames##>"; ++i) {
      const TStringList sectionItems = Split(items[i]);
      TConfigSection& s = g.Sections.emplace_back();
      if (sectionItems.empty()) continue;
      s.Name = sectionItems[0];
      for (size_t e = 1; e < sectionItems.size(); ++e) {
        const TStringList element = Split(sectionItems[e]);
        s.Elements.emplace_back(element.empty() ? "" : element[0],
                                element.size() > 1 ? element[1] : "");
      }
    }
    g.HasMarker = i < items.size();
    if (g.HasMarker) g.VarNames.assign(items.begin() + static_cast<long>(i) + 1, items.end());
  }
  return groups;
}

}  // namespace quellix::testing
