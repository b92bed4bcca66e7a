// The difficulty tables as sources: their columns may stand in any order, and a faulty
// table stops the generator with a message naming the file, the line and the field.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "SoundTablesTestSupport.h"

namespace quellix::testing {
namespace {

std::string Table(const std::string& dir, const std::string& kind) {
  return dir + "data/difficulty/" + kind + ".csv";
}

TEST(DifficultyTableSource, SectionColumnsMayStandInAnyOrder) {
  TTempDir dir;
  CopyDataSources(dir.Dir());
  // Reverse the columns of one table (child, easy, medium, hard -> hard, medium, easy, child).
  std::istringstream in(ReadText(Table(dir.Dir(), "starfish")));
  std::string reversed, line;
  while (std::getline(in, line)) {
    const TStringList items = Split(line.substr(0, line.find('#')));
    if (items.size() == 5) line = Join({items[0], items[4], items[3], items[2], items[1]});
    reversed += line + "\n";
  }
  WriteText(Table(dir.Dir(), "starfish"), reversed);
  const TCommandRun run = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(ReadText(dir.Dir() + "out/data/config.txt"), ReadText(RunDir() + "data/config.txt"));
}

struct TBadTable {
  const char* Kind;
  const char* From;
  const char* To;
  const char* Message;
};

TEST(DifficultyTableSource, FaultsStopTheGeneratorNamingTheField) {
  const TBadTable cases[] = {
      {"castles", "\nInc_XSpeed,", "\nInc_XSpeed, 8, 0, 6, 5 #", "must be at least 1"},
      {"squids", "\nactive_mod,", "\nactive_mod, 1, 1, 0, 1 #", "\"active_mod\" is an interval"},
      {"castles", "\ninc_BounceBack,", "\nInc_BounceBack,",
       "expected the field \"inc_BounceBack\" here, not \"Inc_BounceBack\""},
      {"starfish", "\nInitial_Reserves,", "\nInitial_Reserves, 5, 7a, 8, 10 #",
       "\"7a\" is not a whole number"},
      {"spirals", "\nShots_Active,", "\nShots_Active, 0, 0, #", "four in all"},
      {"bases", "\nSpawn_Delay,", "\n# Spawn_Delay,", "the field \"Spawn_Delay\" is missing"},
      {"azteks", "\nfield,", "\nfield, child, easy, hard, hard #", "\"medium\""},
  };
  for (const TBadTable& c : cases) {
    SCOPED_TRACE(std::string(c.Kind) + ": " + c.To);
    TTempDir dir;
    CopyDataSources(dir.Dir());
    ReplaceInFile(Table(dir.Dir(), c.Kind), c.From, c.To);
    const TCommandRun run = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Output.find(std::string(c.Kind) + ".csv"), std::string::npos) << run.Output;
    EXPECT_NE(run.Output.find(c.Message), std::string::npos) << run.Output;
    EXPECT_FALSE(std::filesystem::exists(dir.Dir() + "out/data/config.txt"));
  }
}

TEST(DifficultyTableSource, MissingAndUnknownTablesAreFaults) {
  {
    TTempDir dir;
    CopyDataSources(dir.Dir());
    std::filesystem::remove(Table(dir.Dir(), "spikers"));
    const TCommandRun run = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Output.find("spikers.csv: cannot open file"), std::string::npos) << run.Output;
  }
  {
    TTempDir dir;
    CopyDataSources(dir.Dir());
    WriteText(Table(dir.Dir(), "dragons"), "field, child, easy, medium, hard\n");
    const TCommandRun run = RunGenerator(dir.Dir() + "data", dir.Dir() + "out");
    EXPECT_NE(run.ExitCode, 0);
    EXPECT_NE(run.Output.find("dragons.csv: no enemy kind has this name"), std::string::npos)
        << run.Output;
  }
}

}  // namespace
}  // namespace quellix::testing
