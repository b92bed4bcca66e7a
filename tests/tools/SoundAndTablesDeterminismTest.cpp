// Same sources, same files: two generator runs give byte-identical sounds, patterns and
// configuration.
#include <gtest/gtest.h>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {
namespace {

TEST(SoundAndTablesDeterminism, TwoRunsGiveByteIdenticalFiles) {
  TScratchDir first, second;
  const std::string sources = std::string(QUELLIX_SOURCE_DIR) + "/data";
  const TCommandRun a = RunGenerator(sources, first.Path());
  const TCommandRun b = RunGenerator(sources, second.Path());
  ASSERT_EQ(a.ExitCode, 0) << a.Output;
  ASSERT_EQ(b.ExitCode, 0) << b.Output;
  for (const char* file : {"sounds.vtw", "data/patterns.txt", "data/config.txt"}) {
    const std::vector<uint8_t> one = ReadBytes(first.Path() + file);
    EXPECT_FALSE(one.empty()) << file;
    EXPECT_TRUE(one == ReadBytes(second.Path() + file)) << file << " differs between runs";
  }
}

}  // namespace
}  // namespace quellix::testing
