#include "config/vtTextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "base/vtFileSystem.h"

namespace quellix {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
  throw std::runtime_error(what + " \"" + path + "\": " + std::strerror(error));
}

}  // namespace

std::string ReadTextFile(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(OpenCFile(path, "rb"), &std::fclose);
  if (!file) Fail("Cannot open file", path, errno);
  std::string content;
  char buffer[65536];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) content.append(buffer, n);
  // fopen succeeds on a directory; the read is what fails there.
  if (std::ferror(file.get())) Fail("Cannot read file", path, errno != 0 ? errno : EIO);
  return content;
}

TStringList SplitLines(std::string_view text) {
  TStringList lines;
  // Editors on some systems begin a UTF-8 file with a byte-order mark; it is no part of
  // the first value.
  size_t start = text.starts_with(ByteOrderMark) ? ByteOrderMark.size() : 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace quellix
