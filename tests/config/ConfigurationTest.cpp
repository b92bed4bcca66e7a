#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "config/vtCommaList.h"
#include "config/vtConfigClasses.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

// The file line of the worked example: group g, section s with a=1 and b=2, and the
// declared names a, b and c.
const std::string WorkedExample =
    "\"g,\"\"s,\"\"\"\"a,1\"\"\"\",\"\"\"\"b,2\"\"\"\"\"\",<##VarNames##>,a,b,c\"";

TEST(ConfigWorkedExample, NestedListsLoadAndLookUpExactly) {
  Tvt6ConfigurationMgr config;
  config.ParseText(WorkedExample);
  ASSERT_EQ(config.GroupCount(), 1);
  EXPECT_EQ(config.GetValue("g", "s", "a"), "1");
  EXPECT_EQ(config.GetValue("g", "s", "b"), "2");
  EXPECT_EQ(config.GetValue("g", "s", "c"), "0");
  EXPECT_EQ(config.GetValue("g", "s", "d"), "");
  EXPECT_EQ(config.GetValue("g", "t", "a"), "");
  EXPECT_EQ(config.GetValue("G", "s", "a"), "");

  const Tvt6ConfigCollection& group = config.Group(0);
  EXPECT_EQ(group.Name, "g");
  ASSERT_EQ(group.VarNameCount(), 3);
  EXPECT_EQ(group.VarName(2), "c");
  const Tvt6ConfigValues& section = group.Section(0);
  ASSERT_EQ(section.Count(), 3);
  EXPECT_EQ(section.Element(2).Name, "c");
}

TEST(ConfigElement, EmptyValuesBecomeZeroAndQuotesKeepBlanks) {
  Tvt6ConfigElement e;
  e.ParseText("Initial_MaxAmount,");
  EXPECT_EQ(e.Name, "Initial_MaxAmount");
  EXPECT_EQ(e.Value, "0");
  e.ParseText("Initial_MaxAmount,\"\"");
  EXPECT_EQ(e.Value, "0");
  e.ParseText("\"x y\",5");
  EXPECT_EQ(e.Name, "x y");
  EXPECT_EQ(e.Value, "5");
  e.ParseText("x y,5");
  EXPECT_EQ(e.Name, "x");
  EXPECT_EQ(e.Value, "y");
  e.ParseText("a,1,ignored,too");
  EXPECT_EQ(e.Value, "1");
}

TEST(ConfigElement, MissingItemsAreIndexErrors) {
  Tvt6ConfigElement e;
  EXPECT_THROW(e.ParseText("NameOnly"), std::out_of_range);
  EXPECT_THROW(e.ParseText(""), std::out_of_range);
  EXPECT_THROW(e.ParseText("   "), std::out_of_range);
}

TEST(ConfigSection, DuplicatesKeptFirstWinsAndEnsureAddsOnlyMissing) {
  Tvt6ConfigValues s;
  s.ParseText("easy,\"a,1\",\"a,2\"");
  EXPECT_EQ(s.Name, "easy");
  EXPECT_EQ(s.Count(), 2);
  EXPECT_EQ(s.GetValue("a"), "1");
  s.EnsureElement("a");
  s.EnsureElement("b");
  ASSERT_EQ(s.Count(), 3);
  EXPECT_EQ(s.GetValue("b"), "0");
  EXPECT_EQ(s.GetValue("A"), "");
  EXPECT_THROW(s.Element(3), std::out_of_range);
  EXPECT_THROW(s.Element(-1), std::out_of_range);

  // Parsing again replaces the elements.
  s.ParseText("hard");
  EXPECT_EQ(s.Name, "hard");
  EXPECT_EQ(s.Count(), 0);
}

TEST(ConfigSection, TrailingCommaGivesAnEmptyElementText) {
  Tvt6ConfigValues s;
  EXPECT_THROW(s.ParseText("easy,\"a,1\","), std::out_of_range);
  EXPECT_THROW(s.ParseText(""), std::out_of_range);
}

TEST(ConfigGroup, DeclaredNamesReachEverySectionWithoutOverwriting) {
  Tvt6ConfigCollection g;
  g.ParseText(Join({"castles", Join({"easy", "Spawn_Delay,5"}), Join({"hard"}),
                    std::string(VarNamesMarker), "Spawn_Delay", "active"}));
  EXPECT_EQ(g.Name, "castles");
  ASSERT_EQ(g.SectionCount(), 2);
  EXPECT_EQ(g.FindSection("easy")->GetValue("Spawn_Delay"), "5");
  EXPECT_EQ(g.FindSection("easy")->GetValue("active"), "0");
  EXPECT_EQ(g.FindSection("hard")->GetValue("Spawn_Delay"), "0");
  EXPECT_EQ(g.FindSection("hard")->Count(), 2);
  EXPECT_EQ(g.FindSection("Hard"), nullptr);

  // A section added later receives the declared names; a name declared later reaches
  // the sections already there.
  EXPECT_EQ(g.AddSection().Count(), 2);
  EXPECT_EQ(g.AddVarName("late"), 2);
  for (int32_t i = 0; i < g.SectionCount(); ++i) EXPECT_EQ(g.Section(i).GetValue("late"), "0");
}

TEST(ConfigGroup, UndeclaredElementsStay) {
  Tvt6ConfigCollection g;
  g.ParseText(Join({"g", Join({"s", "extra,9"}), std::string(VarNamesMarker), "a"}));
  EXPECT_EQ(g.Section(0).GetValue("extra"), "9");
  EXPECT_EQ(g.Section(0).GetValue("a"), "0");
}

TEST(ConfigGroup, NameAndMarkerOnlyGivesNoSections) {
  Tvt6ConfigCollection g;
  g.ParseText("g,<##VarNames##>,a,b");
  EXPECT_EQ(g.SectionCount(), 0);
  EXPECT_EQ(g.VarNameCount(), 2);
  EXPECT_EQ(g.VarName(1), "b");
  EXPECT_THROW(g.VarName(2), std::out_of_range);
}

TEST(ConfigGroup, MissingMarkerOrEmptyTextIsAnIndexError) {
  Tvt6ConfigCollection g;
  EXPECT_THROW(g.ParseText(Join({"g", Join({"s", "a,1"})})), std::out_of_range);
  EXPECT_THROW(g.ParseText("g"), std::out_of_range);
  EXPECT_THROW(g.ParseText(""), std::out_of_range);
  // The marker is matched exactly.
  EXPECT_THROW(g.ParseText("g,<##varnames##>"), std::out_of_range);
}

TEST(ConfigManager, DuplicateGroupsStayAndTheFirstAnswers) {
  Tvt6ConfigurationMgr config;
  const std::string first = Join({"g", Join({"s", "a,1"}), std::string(VarNamesMarker)});
  const std::string second = Join({"g", Join({"s", "a,2"}), std::string(VarNamesMarker)});
  config.ParseText(Join({first, second}));
  EXPECT_EQ(config.GroupCount(), 2);
  EXPECT_EQ(config.GetValue("g", "s", "a"), "1");
  config.DeleteGroup(0);
  EXPECT_EQ(config.GetValue("g", "s", "a"), "2");
  EXPECT_THROW(config.DeleteGroup(1), std::out_of_range);
  config.Clear();
  EXPECT_EQ(config.GroupCount(), 0);
  EXPECT_EQ(config.FindGroup("g"), nullptr);
}

TEST(ConfigManager, GroupsParsedBeforeAFailureStay) {
  Tvt6ConfigurationMgr config;
  const std::string good = Join({"good", Join({"s", "a,1"}), std::string(VarNamesMarker)});
  const std::string bad = Join({"bad", Join({"s", "a,1"})});
  EXPECT_THROW(config.ParseText(Join({good, bad})), std::out_of_range);
  EXPECT_EQ(config.GetValue("good", "s", "a"), "1");
  // A trailing comma at the file level is an empty group text.
  Tvt6ConfigurationMgr trailing;
  EXPECT_THROW(trailing.ParseText(Join({good}) + ","), std::out_of_range);
  EXPECT_EQ(trailing.GetValue("good", "s", "a"), "1");
}

class ConfigFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = dir.File(name);
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  testing::TTempDir dir;
  Tvt6ConfigurationMgr config;
};

TEST_F(ConfigFileTest, OnlyTheFirstLineIsRead) {
  for (const std::string end : {"\r\n", "\n", "\r"}) {
    Tvt6ConfigurationMgr c;
    c.LoadFromFile(Write("config.txt", WorkedExample + end + "\"unparsable, \"\"\n\"x\"\r\n"));
    EXPECT_EQ(c.GroupCount(), 1);
    EXPECT_EQ(c.GetValue("g", "s", "b"), "2");
  }
  config.LoadFromFile(Write("one.txt", WorkedExample));
  EXPECT_EQ(config.GetValue("g", "s", "a"), "1");
}

TEST_F(ConfigFileTest, ASecondFileAppendsAfterTheFirst) {
  config.LoadFromFile(Write("a.txt", WorkedExample + "\r\n"));
  const std::string other =
      Join({Join({"g", Join({"s", "a,7", "d,8"}), std::string(VarNamesMarker)}),
            Join({"h", Join({"s", "a,9"}), std::string(VarNamesMarker)})});
  config.LoadFromFile(Write("b.txt", other));
  EXPECT_EQ(config.GroupCount(), 3);
  EXPECT_EQ(config.GetValue("g", "s", "a"), "1");
  // The first file's group answers even for a name only the second one has.
  EXPECT_EQ(config.GetValue("g", "s", "d"), "");
  EXPECT_EQ(config.GetValue("h", "s", "a"), "9");
}

TEST_F(ConfigFileTest, MissingFileEmptyFileAndDirectoryRaise) {
  EXPECT_THROW(config.LoadFromFile(dir.File("absent.txt")), std::runtime_error);
  EXPECT_THROW(config.LoadFromFile(Write("empty.txt", "")), std::out_of_range);
  EXPECT_THROW(config.LoadFromFile(dir.Path().string()), std::runtime_error);
  // A first line that is blank holds no groups and is no error, but it is told.
  std::vector<std::string> logged;
  const std::string blank = Write("blank.txt", "\r\nnext");
  config.LoadFromFile(blank, [&](const std::string& m) { logged.push_back(m); });
  EXPECT_EQ(config.GroupCount(), 0);
  EXPECT_EQ(logged,
            std::vector<std::string>{"Configuration file \"" + blank + "\" holds no groups"});
}

TEST_F(ConfigFileTest, AByteOrderMarkBeforeTheFirstGroupIsSkipped) {
  config.LoadFromFile(Write("bom.txt", "\xEF\xBB\xBF" + WorkedExample + "\r\n"));
  ASSERT_EQ(config.GroupCount(), 1);
  EXPECT_EQ(config.Group(0).Name, "g");
  EXPECT_EQ(config.GetValue("g", "s", "a"), "1");
}

}  // namespace
}  // namespace quellix
