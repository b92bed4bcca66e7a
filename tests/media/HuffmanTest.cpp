// The code lengths under deflate's Huffman codes: complete, within their limit, and as
// short in total as the best codes found otherwise (Huffman's own where it fits the
// limit, every possible code for small alphabets).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "base/vtRandom.h"
#include "media/vtHuffman.h"

namespace quellix::testing {
namespace {

using media::CodeLengths;

uint64_t Cost(const std::vector<uint32_t>& counts, const std::vector<uint8_t>& lengths) {
  uint64_t cost = 0;
  for (size_t s = 0; s < counts.size(); ++s) cost += uint64_t{counts[s]} * lengths[s];
  return cost;
}

// The cost of Huffman's code, which has no bound on its lengths, and its longest code.
std::pair<uint64_t, int> HuffmanCost(const std::vector<uint32_t>& counts) {
  using TNode = std::pair<uint64_t, int>;  // weight, depth
  std::priority_queue<TNode, std::vector<TNode>, std::greater<>> queue;
  for (uint32_t c : counts)
    if (c > 0) queue.push({c, 0});
  uint64_t cost = 0;
  int depth = 0;
  while (queue.size() > 1) {
    const TNode a = queue.top();
    queue.pop();
    const TNode b = queue.top();
    queue.pop();
    cost += a.first + b.first;
    depth = std::max(a.second, b.second) + 1;
    queue.push({a.first + b.first, depth});
  }
  return {cost, depth};
}

// The least cost over every choice of lengths 1..maxLength that a prefix code can have.
uint64_t BestCostBySearch(const std::vector<uint32_t>& counts, int maxLength) {
  std::vector<uint8_t> lengths(counts.size(), 1);
  uint64_t best = UINT64_MAX;
  while (true) {
    uint64_t kraft = 0;
    for (uint8_t l : lengths) kraft += uint64_t{1} << (maxLength - l);
    if (kraft <= uint64_t{1} << maxLength) best = std::min(best, Cost(counts, lengths));
    size_t i = 0;
    while (i < lengths.size() && lengths[i] == maxLength) lengths[i++] = 1;
    if (i == lengths.size()) return best;
    ++lengths[i];
  }
}

void ExpectCompleteCode(const std::vector<uint32_t>& counts, const std::vector<uint8_t>& lengths,
                        int maxLength) {
  ASSERT_EQ(lengths.size(), counts.size());
  uint64_t kraft = 0;
  int used = 0;
  for (size_t s = 0; s < counts.size(); ++s) {
    if (counts[s] > 0) {
      EXPECT_GE(lengths[s], 1) << s;
    }
    EXPECT_LE(lengths[s], maxLength) << s;
    if (lengths[s] > 0) kraft += uint64_t{1} << (maxLength - lengths[s]), ++used;
  }
  EXPECT_GE(used, 2);
  EXPECT_EQ(kraft, uint64_t{1} << maxLength);  // no code left over, none too many
}

TEST(CodeLengths, AreTheBestCompleteCodeWithinTheLimit) {
  TRandom random(99);
  for (int round = 0; round < 300; ++round) {
    SCOPED_TRACE(round);
    const int maxLength = round % 3 == 0 ? 7 : 15;
    std::vector<uint32_t> counts(maxLength == 7 ? 19 : 2 + random(285));
    for (uint32_t& c : counts)
      c = random(3) == 0 ? 0 : static_cast<uint32_t>(random(1 << random(16)) + 1);
    const std::vector<uint8_t> lengths = CodeLengths(counts, maxLength);
    ExpectCompleteCode(counts, lengths, maxLength);
    const auto [huffman, depth] = HuffmanCost(counts);
    if (depth > 0) {
      EXPECT_GE(Cost(counts, lengths), huffman);
      if (depth <= maxLength) {
        EXPECT_EQ(Cost(counts, lengths), huffman);
      }
    }
  }
  // Small alphabets under tight limits, against every possible code.
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    const int maxLength = 3 + round % 2;
    std::vector<uint32_t> counts(2 + random(6));
    for (uint32_t& c : counts) c = static_cast<uint32_t>(1 + random(1 << random(12)));
    EXPECT_EQ(Cost(counts, CodeLengths(counts, maxLength)), BestCostBySearch(counts, maxLength));
  }
}

TEST(CodeLengths, HoldSkewedCountsToTheLimitAndGiveTwoCodesToFewerSymbols) {
  // Counts of Fibonacci numbers make Huffman's code as deep as there are symbols.
  std::vector<uint32_t> fibonacci(30, 0);
  fibonacci[0] = fibonacci[1] = 1;
  for (size_t s = 2; s < fibonacci.size(); ++s) fibonacci[s] = fibonacci[s - 1] + fibonacci[s - 2];
  ASSERT_GT(HuffmanCost(fibonacci).second, 15);
  ExpectCompleteCode(fibonacci, CodeLengths(fibonacci, 15), 15);
  // Decoders want two codes: none used, or one, still gives two of length 1.
  for (const std::vector<uint32_t>& counts :
       {std::vector<uint32_t>(30, 0), std::vector<uint32_t>{0, 0, 5, 0}, {4, 0}, {0, 9}}) {
    const std::vector<uint8_t> lengths = CodeLengths(counts, 15);
    ExpectCompleteCode(counts, lengths, 15);
    EXPECT_EQ(std::count(lengths.begin(), lengths.end(), 1), 2);
  }
}

}  // namespace
}  // namespace quellix::testing
