// A 64-bit FNV-1a digest: small, fast and the same on every machine, for comparing game
// states and screens, never for security.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quellix::sim {

class TDigest {
 public:
  void AddBytes(std::span<const uint8_t> bytes);
  // An integer as eight little-endian bytes.
  void Add(int64_t value);
  // The length, then the characters, so neighbouring texts cannot run together.
  void Add(std::string_view text);
  uint64_t Value() const { return fValue; }

 private:
  uint64_t fValue = 14695981039346656037ULL;
};

// Sixteen lower-case hexadecimal digits.
std::string HexDigest(uint64_t value);

}  // namespace quellix::sim
