#include "vtDigest.h"

#include <cstdio>

namespace quellix::sim {

namespace {
constexpr uint64_t Prime = 1099511628211ULL;
}

void TDigest::AddBytes(std::span<const uint8_t> bytes) {
  for (uint8_t b : bytes) fValue = (fValue ^ b) * Prime;
}

void TDigest::Add(int64_t value) {
  auto bits = static_cast<uint64_t>(value);
  for (int i = 0; i < 8; ++i, bits >>= 8u) fValue = (fValue ^ (bits & 0xFFu)) * Prime;
}

void TDigest::Add(std::string_view text) {
  Add(static_cast<int64_t>(text.size()));
  AddBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

std::string HexDigest(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace quellix::sim
