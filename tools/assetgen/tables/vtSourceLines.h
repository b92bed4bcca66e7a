// The readable data sources (sound recipes, pattern shapes, difficulty tables) share one
// line syntax: '#' starts a comment, blank lines are skipped, and the rest of a line is a
// comma list (commas or blanks separate items). Every error names the file and the line.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "config/vtCommaList.h"

namespace quellix::assetgen {

class TSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TSourceLine {
  std::string Origin;  // "file:line", for messages
  TStringList Tokens;  // never empty
};

std::vector<TSourceLine> ParseSourceLines(std::string_view text, const std::string& fileName);
// Reads a whole file; a missing or unreadable file raises TSourceError.
std::string ReadSourceText(const std::string& path);
std::vector<TSourceLine> ReadSourceLines(const std::string& path);
// The files of a folder whose names end in extension, sorted by name so that the output
// never depends on the order the file system lists them in.
std::vector<std::string> SourceFiles(const std::string& folder, std::string_view extension);

[[noreturn]] void FailAt(const TSourceLine& line, const std::string& what);
// Token index as a finite number or a decimal integer; raises naming the line otherwise.
double NumberAt(const TSourceLine& line, size_t index);
int32_t IntegerAt(const TSourceLine& line, size_t index);
// Raises unless the line holds exactly count tokens after its key.
void ExpectArguments(const TSourceLine& line, size_t count);

}  // namespace quellix::assetgen
