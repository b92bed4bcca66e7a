#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "config/vtCommaList.h"
#include "config/vtPattern.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

struct PatternFileTest : ::testing::Test {
  Tvt6PatternManager manager;
  testing::TTempDir dir;
  std::string path = dir.File("patterns.txt");

  void Load(const std::string& content) {
    {
      std::ofstream out(path, std::ios::binary);
      out << content;
    }
    manager.LoadFromFile(path);
  }
  static std::string Point(const Tvt6PatternPoint& p) {
    return std::to_string(p.X) + "," + std::to_string(p.Y) + "," + std::to_string(p.Data1) + "," +
           std::to_string(p.Data2);
  }
};

TEST_F(PatternFileTest, WorkedExampleLoadsBothPatterns) {
  Load(R"("zig,""100,200,0,0"",""110,190,0,0""","zag,""5,5,0,0""")"
       "\r\nsecond line, never read\r\n");
  ASSERT_EQ(manager.Count(), 2);
  const Tvt6Pattern* zig = manager.FindPattern("zig");
  ASSERT_NE(zig, nullptr);
  ASSERT_EQ(zig->Count(), 2);
  EXPECT_EQ(Point(zig->Point(0)), "100,200,0,0");
  EXPECT_EQ(Point(zig->Point(1)), "110,190,0,0");
  const Tvt6Pattern* zag = manager.FindPattern("zag");
  ASSERT_NE(zag, nullptr);
  EXPECT_EQ(Point(zag->Point(0)), "5,5,0,0");
  EXPECT_EQ(&manager.Pattern(1), zag);
}

TEST_F(PatternFileTest, JoinedNestedListsReadBack) {
  const std::string first =
      Join({"circle_50", Join({"10", "0", "1", "2"}), Join({"0", "10", "3", "4"})});
  const std::string second = Join({"spiral1", Join({"-5", "-6", "0", "0"})});
  Load(Join({first, second}) + "\n");
  ASSERT_EQ(manager.Count(), 2);
  EXPECT_EQ(Point(manager.FindPattern("circle_50")->Point(1)), "0,10,3,4");
  EXPECT_EQ(Point(manager.FindPattern("spiral1")->Point(0)), "-5,-6,0,0");
}

TEST_F(PatternFileTest, ShortPointEndsTheLoadKeepingWhatWasRead) {
  Load(Join({Join({"first", "1,1,0,0"}), Join({"broken", "1,2,0,0", "10,20,30", "7,7,0,0"}),
             Join({"never", "3,3,0,0"})}));
  ASSERT_EQ(manager.Count(), 2);
  const Tvt6Pattern* broken = manager.FindPattern("broken");
  ASSERT_NE(broken, nullptr);
  ASSERT_EQ(broken->Count(), 2);
  EXPECT_EQ(Point(broken->Point(0)), "1,2,0,0");
  EXPECT_EQ(Point(broken->Point(1)), "10,20,30,0");
  EXPECT_EQ(manager.FindPattern("never"), nullptr);
  EXPECT_EQ(manager.FindPattern("first")->Count(), 1);
}

TEST_F(PatternFileTest, NonIntegerItemEndsTheLoadAtThatField) {
  Load(Join({Join({"p", "4,5,6,7", "8,x9,0,0", "1,1,1,1"})}));
  const Tvt6Pattern* p = manager.FindPattern("p");
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(p->Count(), 2);
  EXPECT_EQ(Point(p->Point(1)), "8,0,0,0");
}

TEST_F(PatternFileTest, BlanksSeparateItemsAndExtraItemsAreIgnored) {
  manager.ParseText(Join({Join({"b", "10 20 0 0", "1,2,3,4,99"})}));
  EXPECT_EQ(Point(manager.FindPattern("b")->Point(0)), "10,20,0,0");
  EXPECT_EQ(Point(manager.FindPattern("b")->Point(1)), "1,2,3,4");
}

TEST_F(PatternFileTest, NamesAreExactAndTheFirstOfTwoWins) {
  manager.ParseText(Join({Join({"twin", "1,1,0,0"}), Join({"twin", "2,2,0,0"}), "lonely"}));
  EXPECT_EQ(manager.FindPattern("twin")->Point(0).X, 1);
  EXPECT_EQ(manager.FindPattern("TWIN"), nullptr);
  ASSERT_NE(manager.FindPattern("lonely"), nullptr);
  EXPECT_EQ(manager.FindPattern("lonely")->Count(), 0) << "a name alone has no points";
}

TEST_F(PatternFileTest, EmptyFirstLineEmptyFileAndMissingFile) {
  manager.ParseText(Join({"keep"}));
  Load("");
  EXPECT_EQ(manager.Count(), 1) << "an empty file ends the load before anything is replaced";
  manager.LoadFromFile(path + ".missing");
  EXPECT_EQ(manager.Count(), 1);
  Load("\nzig,\"1,1,0,0\"");
  EXPECT_EQ(manager.Count(), 0) << "an empty first line loads no patterns";
}

TEST_F(PatternFileTest, AFileThatYieldsNothingOrStopsEarlyIsTold) {
  std::vector<std::string> logged;
  const auto log = [&](const std::string& m) { logged.push_back(m); };
  {
    std::ofstream(path, std::ios::binary)
        << "\xEF\xBB\xBF" << Join({Join({"zig", "1,2,0,0"}), Join({"zag", "1,x,0,0"})});
  }
  manager.LoadFromFile(path, log);
  ASSERT_EQ(manager.Count(), 2) << "the byte-order mark is no part of the first name";
  EXPECT_EQ(manager.Pattern(0).Name, "zig");
  ASSERT_EQ(logged.size(), 1u);
  EXPECT_EQ(logged[0], "Pattern file \"" + path +
                           "\": reading stopped: 'x' is not a valid integer value; 2 patterns "
                           "kept, the last one as far as it was read");
  logged.clear();
  std::ofstream(path, std::ios::binary) << "\r\n";
  manager.LoadFromFile(path, log);
  EXPECT_EQ(logged, std::vector<std::string>{"Pattern file \"" + path + "\" holds no patterns"});
}

TEST_F(PatternFileTest, LoadReplacesEarlierPatterns) {
  manager.ParseText(Join({"old"}));
  Load(Join({"new"}));
  EXPECT_EQ(manager.Count(), 1);
  EXPECT_EQ(manager.FindPattern("old"), nullptr);
}

TEST(Pattern, PointsOffsetsAndBounds) {
  Tvt6Pattern pattern;
  pattern.ParseText(Join({"p", "100,200,0,0", "110,190,5,6", "0,0,0,0"}));
  EXPECT_EQ(pattern.Name, "p");
  int32_t x = 150, y = 150;
  pattern.OffsetTo(x, y, 1);
  EXPECT_EQ(x, 40);
  EXPECT_EQ(y, -40);
  EXPECT_THROW(pattern.Point(3), std::out_of_range);
  EXPECT_THROW(pattern.Point(-1), std::out_of_range);
  pattern.DeletePoint(0);
  EXPECT_EQ(pattern.Count(), 2);
  EXPECT_EQ(pattern.Point(0).Data2, 6);
  EXPECT_THROW(pattern.DeletePoint(2), std::out_of_range);
  Tvt6PatternPoint& added = pattern.AddPoint();
  EXPECT_EQ(added.X + added.Y + added.Data1 + added.Data2, 0);
  pattern.SetName("q");
  EXPECT_EQ(pattern.Name, "q");
  EXPECT_THROW(pattern.ParseText(""), std::out_of_range);

  Tvt6PatternManager manager;
  manager.AddPattern().SetName("a");
  manager.AddPattern().SetName("b");
  manager.DeletePattern(0);
  EXPECT_EQ(manager.Pattern(0).Name, "b");
  EXPECT_THROW(manager.Pattern(1), std::out_of_range);
}

}  // namespace
}  // namespace quellix
