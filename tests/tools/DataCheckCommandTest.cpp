// The quellix-data program: its exit code and output on good and on broken data, and
// the contact sheet it writes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>

#include "DataCheckCopy.h"
#include "support/vtRunCommand.h"

namespace quellix::testing {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

TCommandRun RunDataTool(const std::string& arguments) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return RunCommand("'" + std::string(QUELLIX_TOOLS_DIR) + "/data/quellix-data' " + arguments);
}

class DataCommand : public ::testing::Test {
 protected:
};

TEST_F(DataCommand, CheckExitsZeroOnTheGeneratedData) {
  const TCommandRun run = RunDataTool("check '" + RunDir() + "'");
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_THAT(run.Output, StartsWith("data OK: "));
  EXPECT_THAT(run.Output, EndsWith(" kinds x 4 sections\n"));
}

TEST_F(DataCommand, CheckFailsNamingWhatIsMissing) {
  TDataCopy copy;
  copy.RemoveScene("ghost");
  const TCommandRun run = RunDataTool("check '" + copy.Dir() + "'");
  EXPECT_EQ(run.ExitCode, 1);
  EXPECT_EQ(run.Output,
            "data/quellix.txt: scene Player/ghost is missing\ndata check failed: 1 findings\n");
}

TEST_F(DataCommand, SheetWritesAPngAndBadUseIsRefused) {
  TTempDir out;
  const TCommandRun sheet = RunDataTool("sheet '" + RunDir() + "' '" + out.Dir() + "sheet.png'");
  EXPECT_EQ(sheet.ExitCode, 0) << sheet.Output;
  EXPECT_THAT(ReadText(out.Dir() + "sheet.png"), StartsWith("\x89PNG\r\n\x1a\n"));

  const TCommandRun missing = RunDataTool("sheet '" + out.Dir() + "' '" + out.Dir() + "x.png'");
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_THAT(missing.Output, HasSubstr("sprites.vtg"));
  EXPECT_EQ(RunDataTool("").ExitCode, 2);
  EXPECT_EQ(RunDataTool("check").ExitCode, 2);
}

}  // namespace
}  // namespace quellix::testing
