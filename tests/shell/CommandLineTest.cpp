#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "config/vtTextFile.h"
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
}

TEST(CommandLineTest, OptionsWithAValueTakeTheNextArgument) {
  EXPECT_EQ(Parse({}).DataDir, "");
  const TCommandLine c = Parse({"--data", "/games/quellix", "--window"});
  EXPECT_EQ(c.DataDir, "/games/quellix");
  EXPECT_TRUE(c.Window);
  EXPECT_EQ(Parse({"--data", "--window"}).DataDir, "--window");
  EXPECT_EQ(Parse({}).Motion, std::nullopt);
  EXPECT_EQ(Parse({"--motion", "classic"}).Motion, TMotionStyle::Classic);
  EXPECT_EQ(Parse({"--motion", "smooth"}).Motion, TMotionStyle::Smooth);
  EXPECT_EQ(c.RecordFile, "");
  EXPECT_EQ(Parse({"--record", "a.replay", "--window"}).RecordFile, "a.replay");
  EXPECT_EQ(Parse({"--replay", "b.replay"}).ReplayFile, "b.replay");
}

TEST(CommandLineTest, UnknownOptionsAndStrayArgumentsAreUsageErrors) {
  for (std::vector<std::string_view> bad : {std::vector<std::string_view>{"--bogus"},
                                            {"-w"},
                                            {"window"},
                                            {"--window", "x"},
                                            {"--data"},
                                            {"--data", ""},
                                            {"--motion", "fast"},
                                            {"--motion"},
                                            {"--record"},
                                            {"--replay", ""},
                                            {"--record", "a", "--replay", "b"}}) {
    EXPECT_THROW(Parse(bad), TUsageError) << bad.back();
  }
}

TEST(CommandLineTest, UsageListsEveryOptionOnceUnderTheProgramName) {
  const std::string usage = Usage("quellix");
  EXPECT_TRUE(usage.starts_with("Usage: quellix [OPTION]...\n"));
  for (const char* name : {"--help", "--version", "--window", "--data DIR", "--motion STYLE",
                           "--record FILE", "--replay FILE"})
    EXPECT_EQ(usage.find(name), usage.rfind(name)) << name;
  EXPECT_NE(VersionText().find("quellix "), std::string::npos);
}

TEST(CommandLineTest, EveryOptionIsInTheReadmeAndTheManualPage) {
  const std::string readme = ReadTextFile(std::string(QUELLIX_SOURCE_DIR) + "/README.md");
  const std::string manual = ReadTextFile(std::string(QUELLIX_SOURCE_DIR) + "/dist/quellix.6");
  const std::string usage = Usage("quellix");
  int options = 0;
  for (size_t at = usage.find("\n  --"); at != std::string::npos; at = usage.find("\n  --", at)) {
    at += 3;
    const std::string name = usage.substr(at, usage.find(' ', at) - at);
    ++options;
    // A row of the README's table of options, and a paragraph of the manual page
    // (where a minus sign is written \-).
    EXPECT_NE(readme.find("| `" + name), std::string::npos) << name;
    EXPECT_NE(manual.find("\n.B \\-\\-" + name.substr(2)), std::string::npos) << name;
  }
  EXPECT_GE(options, 4);
}

}  // namespace
}  // namespace quellix::testing
