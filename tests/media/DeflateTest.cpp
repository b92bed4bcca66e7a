// Our deflate, read back by a decoder that is not ours (zlib's inflate, where this
// build's tests have it) on inputs of every shape: empty, one byte, runs, repeats at
// the edge of the window, noise, and sizes across the block and stored-block limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#if QUELLIX_TEST_ZLIB
#include <zlib.h>
#endif

#include "base/vtRandom.h"
#include "media/vtDeflate.h"

namespace quellix::testing {
namespace {

using media::Deflate;

std::vector<uint8_t> Noise(TRandom& random, size_t size, int alphabet = 256) {
  std::vector<uint8_t> bytes(size);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(random(alphabet));
  return bytes;
}

struct TInput {
  std::string Name;
  std::vector<uint8_t> Bytes;
};

std::vector<TInput> Inputs() {
  TRandom random(2024);
  std::vector<TInput> inputs = {
      {"empty", {}}, {"one byte", {7}}, {"two bytes", {0, 255}}, {"three bytes", {1, 2, 3}}};
  for (size_t size : {3u, 4u, 258u, 259u, 1000u, 70000u, 300000u})
    inputs.push_back({"all " + std::to_string(size) + " the same", std::vector<uint8_t>(size, 9)});
  // Noise takes one token a byte, so these cross the 16K-token blocks and the 65535-byte
  // limit of a stored block.
  for (size_t size : {100u, 16383u, 16384u, 16385u, 65535u, 65536u, 200000u})
    inputs.push_back({"noise of " + std::to_string(size), Noise(random, size)});
  for (int alphabet : {2, 4, 17}) {
    inputs.push_back(
        {"text of " + std::to_string(alphabet) + " letters", Noise(random, 90000, alphabet)});
  }
  TInput runs{"runs", {}};
  while (runs.Bytes.size() < 150000)
    runs.Bytes.insert(runs.Bytes.end(), 1 + random(300), static_cast<uint8_t>(random(4) * 60));
  inputs.push_back(runs);
  // A piece repeated after noise, from just inside the window to just beyond it.
  for (size_t distance : {4096u, 4097u, 32767u, 32768u, 32769u, 40000u}) {
    const std::vector<uint8_t> piece = Noise(random, 600);
    TInput repeat{"repeat at " + std::to_string(distance), piece};
    const std::vector<uint8_t> gap = Noise(random, distance - piece.size());
    repeat.Bytes.insert(repeat.Bytes.end(), gap.begin(), gap.end());
    repeat.Bytes.insert(repeat.Bytes.end(), piece.begin(), piece.end());
    inputs.push_back(repeat);
  }
  // Runs of one byte reaching back across the window's edge, whose best copy is beyond it.
  for (size_t gap : {32700u, 32760u, 32767u}) {
    TInput edge{"runs " + std::to_string(gap) + " apart", std::vector<uint8_t>(1000, 0)};
    const std::vector<uint8_t> noise = Noise(random, gap, 255);
    for (uint8_t b : noise) edge.Bytes.push_back(b + 1);
    edge.Bytes.insert(edge.Bytes.end(), 300, 0);
    edge.Bytes.push_back(1);
    inputs.push_back(edge);
  }
  // Runs, noise and copies of earlier pieces from near and far, mixed at random.
  for (int round = 0; round < 200; ++round) {
    TInput mix{"mixture " + std::to_string(round), {}};
    const size_t size = 1 + random(random(2) ? 2000 : 120000);
    const int longest = 1 + random(5000);
    while (mix.Bytes.size() < size) {
      const size_t length = 1 + random(random(2) ? 40 : longest);
      const int kind = random(3);
      if (kind == 0) {
        mix.Bytes.insert(mix.Bytes.end(), length, static_cast<uint8_t>(random(3)));
      } else if (kind == 1 || mix.Bytes.size() < length) {
        const std::vector<uint8_t> noise = Noise(random, length, 1 + random(256));
        mix.Bytes.insert(mix.Bytes.end(), noise.begin(), noise.end());
      } else {
        const size_t from =
            mix.Bytes.size() - length - random(std::min<int>(40000, mix.Bytes.size() - length + 1));
        const std::vector<uint8_t> piece(mix.Bytes.begin() + from,
                                         mix.Bytes.begin() + from + length);
        mix.Bytes.insert(mix.Bytes.end(), piece.begin(), piece.end());
      }
    }
    inputs.push_back(mix);
  }
  // Rows of a picture: a pattern that shifts and changes a little from row to row.
  TInput rows{"rows", {}};
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 257; ++x)
      rows.Bytes.push_back(static_cast<uint8_t>(x < y % 97 ? 0 : (x * 3 + y / 8) % 251));
  inputs.push_back(rows);
  return inputs;
}

#if QUELLIX_TEST_ZLIB
TEST(Deflate, ZlibInflatesEveryStreamBackToItsInput) {
  for (const TInput& input : Inputs()) {
    SCOPED_TRACE(input.Name);
    const std::vector<uint8_t> z = Deflate(input.Bytes);
    std::vector<uint8_t> back(input.Bytes.size() + 1);
    uLongf size = back.size();
    const int status = uncompress(back.data(), &size, z.data(), z.size());
    EXPECT_EQ(status, Z_OK);
    back.resize(size);
    EXPECT_TRUE(status == Z_OK && back == input.Bytes);
    EXPECT_TRUE(Deflate(input.Bytes) == z);
  }
}
#endif

TEST(Deflate, NeverMuchLongerThanItsInputAndShortWhereItRepeats) {
  for (const TInput& input : Inputs()) {
    SCOPED_TRACE(input.Name);
    const size_t n = input.Bytes.size(), z = Deflate(input.Bytes).size();
    // Each block sent stored costs at most six bytes more than its bytes; zlib's header
    // and checksum take six.
    EXPECT_LE(z, n + 6 * (n / 16384 + 1) + 6);
    if (input.Name.starts_with("all") && n > 1000) {
      EXPECT_LT(z, n / 200);
    }
  }
  // Four letters take two bits each with a code of their own, eight with the fixed code.
  TRandom random(7);
  EXPECT_LT(Deflate(Noise(random, 90000, 4)).size(), 90000u * 3 / 8);
  // A piece repeated within the window is sent once.
  std::vector<uint8_t> twice = Noise(random, 20000);
  twice.insert(twice.end(), twice.begin(), twice.end());
  EXPECT_LT(Deflate(twice).size(), 20000u * 51 / 50);
}

}  // namespace
}  // namespace quellix::testing
