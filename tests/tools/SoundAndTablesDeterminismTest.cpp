// Same sources, same files: two generator runs give byte-identical sounds, patterns and
// configuration.
#include <gtest/gtest.h>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {
namespace {

TEST(SoundAndTablesDeterminism, TwoRunsGiveByteIdenticalFiles) {
  TTempDir first, second;
  const std::string sources = std::string(QUELLIX_SOURCE_DIR) + "/data";
  const TCommandRun a = RunGenerator(sources, first.Dir());
  const TCommandRun b = RunGenerator(sources, second.Dir());
  ASSERT_EQ(a.ExitCode, 0) << a.Output;
  ASSERT_EQ(b.ExitCode, 0) << b.Output;
  for (const char* file : {"sounds.vtw", "data/patterns.txt", "data/config.txt"}) {
    const std::vector<uint8_t> one = ReadBytes(first.Dir() + file);
    EXPECT_FALSE(one.empty()) << file;
    EXPECT_TRUE(one == ReadBytes(second.Dir() + file)) << file << " differs between runs";
  }
}

}  // namespace
}  // namespace quellix::testing
