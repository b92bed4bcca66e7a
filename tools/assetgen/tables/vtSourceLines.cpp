#include "tables/vtSourceLines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quellix::assetgen {

std::vector<TSourceLine> ParseSourceLines(std::string_view text, const std::string& fileName) {
  std::vector<TSourceLine> lines;
  int number = 0;
  size_t p = 0;
  while (p < text.size()) {
    size_t end = text.find('\n', p);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(p, end - p);
    p = end + 1;
    ++number;
    line = line.substr(0, line.find('#'));
    TStringList tokens = Split(line);
    if (tokens.empty()) continue;
    lines.push_back({fileName + ":" + std::to_string(number), std::move(tokens)});
  }
  return lines;
}

std::string ReadSourceText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TSourceError(path + ": cannot open file");
  std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw TSourceError(path + ": read error");
  return text;
}

std::vector<TSourceLine> ReadSourceLines(const std::string& path) {
  return ParseSourceLines(ReadSourceText(path), path);
}

std::vector<std::string> SourceFiles(const std::string& folder, std::string_view extension) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw TSourceError(folder + ": folder not found");
  std::vector<std::string> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() > extension.size() && name.ends_with(extension))
      files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void FailAt(const TSourceLine& line, const std::string& what) {
  throw TSourceError(line.Origin + ": " + what);
}

double NumberAt(const TSourceLine& line, size_t index) {
  if (index >= line.Tokens.size())
    FailAt(line, "\"" + line.Tokens[0] + "\" needs a number as item " + std::to_string(index));
  const std::string& token = line.Tokens[index];
  double value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(value))
    FailAt(line, "\"" + token + "\" is not a number");
  return value;
}

int32_t IntegerAt(const TSourceLine& line, size_t index) {
  if (index >= line.Tokens.size())
    FailAt(line,
           "\"" + line.Tokens[0] + "\" needs a whole number as item " + std::to_string(index));
  const std::string& token = line.Tokens[index];
  // Allow a leading '+', which from_chars does not.
  const size_t skip = token.size() > 1 && token[0] == '+' && token[1] != '-' ? 1 : 0;
  int32_t value = 0;
  const auto [end, error] =
      std::from_chars(token.data() + skip, token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size())
    FailAt(line, "\"" + token + "\" is not a whole number");
  return value;
}

void ExpectArguments(const TSourceLine& line, size_t count) {
  if (line.Tokens.size() != count + 1)
    FailAt(line, "\"" + line.Tokens[0] + "\" takes " + std::to_string(count) + " value" +
                     (count == 1 ? "" : "s") + ", not " + std::to_string(line.Tokens.size() - 1));
}

}  // namespace quellix::assetgen
