#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "shell/vtCommandLine.h"

namespace quellix::testing {
namespace {

TCommandLine Parse(std::vector<std::string_view> args) {
  return ParseCommandLine(args);
}

TEST(CommandLineTest, SwitchesSetTheirFieldsAndNothingElse) {
  EXPECT_FALSE(Parse({}).Window);
  const TCommandLine c = Parse({"--window", "--help"});
  EXPECT_TRUE(c.Window);
  EXPECT_TRUE(c.Help);
  EXPECT_FALSE(c.Version);
  EXPECT_EQ(c.RecordFile, "");
  EXPECT_EQ(Parse({"--record", "a.replay", "--window"}).RecordFile, "a.replay");
  EXPECT_EQ(Parse({"--replay", "b.replay"}).ReplayFile, "b.replay");
}

TEST(CommandLineTest, UnknownOptionsAndStrayArgumentsAreUsageErrors) {
  for (std::vector<std::string_view> bad : {std::vector<std::string_view>{"--bogus"},
                                            {"-w"},
                                            {"window"},
                                            {"--window", "x"},
                                            {"--record"},
                                            {"--replay", ""},
                                            {"--record", "a", "--replay", "b"}}) {
    EXPECT_THROW(Parse(bad), TUsageError) << bad.back();
  }
}

TEST(CommandLineTest, UsageListsEveryOptionOnceUnderTheProgramName) {
  const std::string usage = Usage("quellix");
  EXPECT_TRUE(usage.starts_with("Usage: quellix [OPTION]...\n"));
  for (const char* name : {"--help", "--version", "--window", "--record FILE", "--replay FILE"})
    EXPECT_EQ(usage.find(name), usage.rfind(name)) << name;
  EXPECT_NE(VersionText().find("quellix "), std::string::npos);
}

}  // namespace
}  // namespace quellix::testing
