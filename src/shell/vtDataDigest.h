// Digests of the game's data: a replay keeps one per data file and plays only on data
// with the same digests. The hash is 64-bit FNV-1a, our own few lines, so a digest is
// the same on every machine and compiler; it finds changed files, it is no protection
// against files made to collide.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellix {

class TFnv1a {
 public:
  static constexpr uint64_t Basis = 0xCBF29CE484222325ULL;
  static constexpr uint64_t Prime = 0x100000001B3ULL;

  void Add(std::string_view bytes) {
    for (const char c : bytes) fValue = (fValue ^ static_cast<uint8_t>(c)) * Prime;
  }
  uint64_t Value() const { return fValue; }

 private:
  uint64_t fValue = Basis;
};

uint64_t Fnv1a(std::string_view bytes);
// Sixteen lower-case hexadecimal digits.
std::string DigestText(uint64_t digest);

// The data files a session depends on, relative to the executable's folder, in the
// order replays list them.
inline constexpr std::array<std::string_view, 5> GameDataFiles = {
    "sprites.vtg", "sounds.vtw", "data/quellix.txt", "data/patterns.txt", "data/config.txt"};

struct TDataDigest {
  std::string Name;
  // Of the file's bytes; 0 when the file cannot be read.
  uint64_t Digest = 0;
  bool operator==(const TDataDigest&) const = default;
};

// Digests of GameDataFiles in dir (with its trailing separator).
std::vector<TDataDigest> DigestGameData(const std::string& dir);

}  // namespace quellix
