// The quellix-sim program as a user runs it: the same arguments print the same bytes,
// frames land where asked, and a wrong option says what was wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/vtRunCommand.h"
#include "support/vtTempDir.h"

namespace quellix::testing {
namespace {

std::string Sim() {
  return ShellProgram(std::string(QUELLIX_TOOLS_DIR) + "/sim/quellix-sim");
}

// Only what the program prints on stdout.
TCommandRun RunSim(const std::string& arguments) {
  return RunCommand(Sim() + " " + arguments, false);
}

TEST(SimProgram, TheSameArgumentsPrintTheSameBytes) {
  const std::string arguments = "--json --difficulty easy --seed 40 --games 2 --max-ticks 1500";
  const TCommandRun first = RunSim(arguments);
  const TCommandRun second = RunSim(arguments);
  ASSERT_EQ(first.ExitCode, 0) << first.Output;
  EXPECT_EQ(first.Output, second.Output);
  EXPECT_NE(
      first.Output.find("{\"game\":0,\"seed\":40,\"difficulty\":\"easy\",\"bot\":\"skilled\""),
      std::string::npos)
      << first.Output;
  // Game 1 of a run from seed 40 is the game of seed 41.
  const TCommandRun alone = RunSim("--json --difficulty easy --seed 41 --max-ticks 1500");
  const std::string secondGame = first.Output.substr(first.Output.find("\n") + 1);
  EXPECT_EQ(secondGame.substr(secondGame.find(",\"seed\"")),
            alone.Output.substr(alone.Output.find(",\"seed\"")));
}

// What a recorded game's line says from its level on, a replay's line says too.
TEST(SimProgram, ARecordedGameReplaysToTheSameEnd) {
  TTempDir sessions;
  const TCommandRun recorded =
      RunSim("--json --difficulty easy --seed 40 --max-ticks 1500 --record " + sessions.Dir());
  ASSERT_EQ(recorded.ExitCode, 0) << recorded.Output;
  const TCommandRun replayed = RunSim("--json --replay " + sessions.File("game000.replay"));
  ASSERT_EQ(replayed.ExitCode, 0) << replayed.Output;
  const auto from = [](const std::string& line, const std::string& key) {
    return line.substr(line.find(key), line.find(",\"end\"") - line.find(key));
  };
  EXPECT_EQ(from(replayed.Output, "\"level\""), from(recorded.Output, "\"level\""));
  EXPECT_NE(replayed.Output.find("\"end\":\"replay finished\""), std::string::npos)
      << replayed.Output;

  std::ofstream(sessions.File("game000.replay"), std::ios::app) << "poll 1 1 0\n";
  const TCommandRun damaged = RunCommand(Sim() + " --replay " + sessions.File("game000.replay"));
  EXPECT_EQ(damaged.ExitCode, 1);
  EXPECT_NE(damaged.Output.find("game000.replay"), std::string::npos) << damaged.Output;
}

TEST(SimProgram, SavesFramesEveryNTicks) {
  TTempDir frames;
  const TCommandRun run = RunSim("--frames " + frames.Dir() + " --every 100 --max-ticks 250");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_TRUE(std::filesystem::is_regular_file(frames.File("game000-tick0000100.png")));
  EXPECT_TRUE(std::filesystem::is_regular_file(frames.File("game000-tick0000200.png")));
  EXPECT_FALSE(std::filesystem::exists(frames.File("game000-tick0000250.png")));
}

TEST(SimProgram, AWrongOptionSaysWhatWasWrongAndExitsWithTwo) {
  for (const auto& [arguments, message] :
       {std::pair{"--difficulty insane", "--difficulty takes child, easy, normal or hard"},
        std::pair{"--bot clever", "--bot takes random or skilled"},
        std::pair{"--games 0", "--games takes a whole number from 1"},
        std::pair{"--max-ticks 12x", "--max-ticks takes a whole number"},
        std::pair{"--seed", "--seed needs N"}, std::pair{"--fast", "unknown option --fast"}}) {
    const TCommandRun run = RunCommand(Sim() + " " + arguments);
    EXPECT_EQ(run.ExitCode, 2) << arguments;
    EXPECT_NE(run.Output.find(message), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find("Usage:"), std::string::npos) << run.Output;
  }
  const TCommandRun help = RunCommand(Sim() + " --help");
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_NE(help.Output.find("--max-ticks N"), std::string::npos) << help.Output;
}

}  // namespace
}  // namespace quellix::testing
