// Helpers for the tests of the generated sounds, patterns and difficulty table: where the
// build put the data, running the generator on a scratch copy of the sources, and reading
// the nested configuration line back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "config/vtCommaList.h"
#include "support/vtRunCommand.h"
#include "support/vtTempDir.h"

namespace quellix::testing {

// The run folder the build generated into, with a trailing slash.
std::string RunDir();
std::string ReadText(const std::string& path);
std::vector<uint8_t> ReadBytes(const std::string& path);
// The first line of a file, without its line end.
std::string FirstLine(const std::string& path);

// Copies the repository's data/ sources to dir + "data/".
void CopyDataSources(const std::string& dir);
void WriteText(const std::string& path, std::string_view text);
// Replaces the one occurrence of from in the file; fails the test if there is none.
void ReplaceInFile(const std::string& path, std::string_view from, std::string_view to);

TCommandRun RunGenerator(const std::string& sourceDir, const std::string& outDir);

// The configuration file's tree as its format nests it.
struct TConfigSection {
  std::string Name;
  std::vector<std::pair<std::string, std::string>> Elements;
};
struct TConfigGroup {
  std::string Name;
  std::vector<TConfigSection> Sections;
  TStringList VarNames;
  bool HasMarker = false;
};
std::vector<TConfigGroup> ParseConfigLine(std::string_view line);

}  // namespace quellix::testing
