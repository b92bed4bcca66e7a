#include "shell/vtDataDigest.h"

#include <fstream>

#include "base/vtFileSystem.h"

namespace quellix {

uint64_t Fnv1a(std::string_view bytes) {
  TFnv1a hash;
  hash.Add(bytes);
  return hash.Value();
}

std::string DigestText(uint64_t digest) {
  static constexpr char Digits[] = "0123456789abcdef";
  std::string text(16, '0');
  for (int i = 15; i >= 0; --i, digest >>= 4u) text[static_cast<size_t>(i)] = Digits[digest & 15u];
  return text;
}

namespace {

uint64_t DigestFile(const std::string& path) {
  std::ifstream file(PathOf(path), std::ios::binary);
  if (!file) return 0;
  TFnv1a hash;
  std::string chunk(1 << 16, '\0');
  while (file) {
    file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    hash.Add(std::string_view(chunk.data(), static_cast<size_t>(file.gcount())));
  }
  // A folder opens but does not read.
  return file.bad() || !file.eof() ? 0 : hash.Value();
}

}  // namespace

std::vector<TDataDigest> DigestGameData(const std::string& dir) {
  std::vector<TDataDigest> digests;
  for (const std::string_view name : GameDataFiles)
    digests.push_back({std::string(name), DigestFile(dir + std::string(name))});
  return digests;
}

}  // namespace quellix
