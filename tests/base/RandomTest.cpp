#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/vtRandom.h"

namespace quellix {
namespace {

TEST(Random, ZeroAndNegativeBoundsGiveZero) {
  TRandom r(1);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(r.Random(0), 0);
    EXPECT_EQ(r.Random(-5), 0);
  }
}

TEST(Random, SameSeedSameSequenceDifferentSeedDifferentSequence) {
  TRandom a(42), b(42), c(43);
  std::vector<int32_t> sa, sb, sc;
  for (int i = 0; i < 100; ++i) {
    sa.push_back(a.Random(1000));
    sb.push_back(b.Random(1000));
    sc.push_back(c.Random(1000));
  }
  EXPECT_EQ(sa, sb);
  EXPECT_NE(sa, sc);
  a.Seed(42);
  EXPECT_EQ(a.Random(1000), sa[0]);
}

// The sequence of a seed is part of the replay format: pin it so an accidental
// change to the generator is noticed.
TEST(Random, SequenceOfSeedOneIsPinned) {
  TRandom r(1);
  std::array<int32_t, 8> got{};
  for (auto& v : got) v = r.Random(100);
  TRandom again(1);
  for (int32_t v : got) EXPECT_EQ(again.Random(100), v);
  EXPECT_EQ(got, (std::array<int32_t, 8>{78, 8, 75, 64, 68, 42, 18, 61}));
}

TEST(Random, StaysInRangeAndCoversIt) {
  TRandom r(7);
  std::array<int, 6> counts{};
  for (int i = 0; i < 60000; ++i) {
    const int32_t v = r.Random(6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    ++counts[static_cast<size_t>(v)];
  }
  for (int c : counts) {
    EXPECT_GT(c, 9400);
    EXPECT_LT(c, 10600);
  }
}

}  // namespace
}  // namespace quellix
