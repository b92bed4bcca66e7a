// Arithmetic on numbers that come from data files. Any of them may sit at the limits of
// 32 bits, so sums and products are taken in 64 bits and brought back into range
// instead of overflowing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quellix {

constexpr int32_t Saturate32(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

constexpr int32_t SaturatedAdd(int32_t a, int32_t b) {
  return Saturate32(int64_t{a} + b);
}

constexpr int32_t SaturatedSub(int32_t a, int32_t b) {
  return Saturate32(int64_t{a} - b);
}

constexpr int32_t SaturatedMul(int32_t a, int32_t b) {
  return Saturate32(int64_t{a} * b);
}

}  // namespace quellix
