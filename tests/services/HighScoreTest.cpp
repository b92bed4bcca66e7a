#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "graphics/vtFontHandler.h"
#include "services/vtHighScore.h"
#include "shell/vtErrorLogger.h"
#include "support/vtFakeMedia.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using testing::TFakeDisplay;
using testing::TTextCall;

const std::string DefaultFirstLine = "\"Vez Uzodaz\",100000,20,\"Master Devuvov\"\r\n";

class HighScoreTest : public ::testing::Test {
 protected:
  void SetUp() override { log.Open((dir / "log.txt").string()); }
  void TearDown() override { fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add); }
  static std::string Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
  std::string LogText() const { return Read((dir / "log.txt").string()); }

  // Removed after the log has closed its file (Windows removes no open file).
  testing::TTempDir temp;
  fs::path dir = temp.Path();
  std::string path = (dir / "highscores.txt").string();
  TfrmErrorLog log{[] { return std::string("T"); }};
  Tvt6HighScoreEngine table{log};
};

TEST_F(HighScoreTest, DefaultsAndRanksAtTheTablesEdges) {
  table.LoadDefaults();
  ASSERT_EQ(table.Count(), 10);
  EXPECT_EQ(table.Record(0)->Name, "Vez Uzodaz");
  EXPECT_EQ(table.Record(0)->Title, "Master Devuvov");
  EXPECT_EQ(table.Record(0)->Score, 100000);
  EXPECT_EQ(table.Record(0)->Level, 20);
  EXPECT_EQ(table.Record(9)->Score, 10000);
  EXPECT_EQ(table.Record(9)->Level, 11);
  EXPECT_EQ(table.Record(10), nullptr);
  EXPECT_EQ(table.Record(-1), nullptr);

  EXPECT_EQ(table.FindRank(10000), -1);
  EXPECT_EQ(table.FindRank(10001), 9);
  EXPECT_EQ(table.FindRank(100000), 1);
  EXPECT_EQ(table.FindRank(100001), 0);
  EXPECT_EQ(table.FindRank(55000), 5);
}

TEST_F(HighScoreTest, EnteringAScoreKeepsTheTableLength) {
  table.LoadDefaults();
  const int32_t rank = table.FindRank(70000);  // equal scores go below
  ASSERT_EQ(rank, 4);
  table.InsertRecord("Ann", "Devuvov", rank, 70000, 7);
  table.Delete(table.Count() - 1);
  ASSERT_EQ(table.Count(), 10);
  EXPECT_EQ(table.Record(3)->Score, 70000);
  EXPECT_EQ(table.Record(3)->Name, "Vez Uzodaz");
  EXPECT_EQ(table.Record(4)->Name, "Ann");
  EXPECT_EQ(table.Record(9)->Score, 20000);

  table.Delete(10);
  table.Delete(-1);
  EXPECT_EQ(table.Count(), 10);
  EXPECT_THROW(table.InsertRecord("x", "y", 11, 1, 1), std::out_of_range);
  EXPECT_THROW(table.InsertRecord("x", "y", -1, 1, 1), std::out_of_range);
  table.InsertRecord("Last", "Devuvov", 10, 1, 1);
  EXPECT_EQ(table.Record(10)->Name, "Last");
}

TEST_F(HighScoreTest, AMissingFileIsWrittenAtOnceWithTheDefaults) {
  table.LoadFromFile(path);
  EXPECT_EQ(table.Count(), 10);
  const std::string saved = Read(path);
  EXPECT_EQ(saved.substr(0, DefaultFirstLine.size()), DefaultFirstLine);
  EXPECT_EQ(saved.substr(saved.size() - 40), "\"Vez Uzodaz\",10000,11,\"Master Devuvov\"\r\n");

  Tvt6HighScoreEngine again{log};
  again.LoadFromFile(path);
  ASSERT_EQ(again.Count(), 10);
  EXPECT_EQ(again.Record(9)->Level, 11);
  EXPECT_EQ(LogText().find("reports"), std::string::npos);
}

TEST_F(HighScoreTest, NamesWithCommasQuotesAndBlanksSurviveSaveAndLoad) {
  table.AddRecord("Smith, \"Ace\" Jr.", "Devuvov", 1234, 5);
  table.AddRecord("", "Devuvov", 99, 1);
  table.AddRecord("  padded  ", "Devuvov", -3, -1);
  ASSERT_TRUE(table.SaveToFile(path));
  EXPECT_EQ(Read(path),
            "\"Smith, \"\"Ace\"\" Jr.\",1234,5,Devuvov\r\n,99,1,Devuvov\r\n\"  padded  \",-3,-1,"
            "Devuvov\r\n");

  Tvt6HighScoreEngine loaded{log};
  loaded.LoadFromFile(path);
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.Record(0)->Name, "Smith, \"Ace\" Jr.");
  EXPECT_EQ(loaded.Record(0)->Score, 1234);
  EXPECT_EQ(loaded.Record(1)->Name, "");
  EXPECT_EQ(loaded.Record(1)->Title, "Devuvov");
  EXPECT_EQ(loaded.Record(2)->Name, "  padded  ");
  EXPECT_EQ(loaded.Record(2)->Level, -1);
}

TEST_F(HighScoreTest, AnyLineEndIsReadAndTheTableIsNeitherSortedNorCut) {
  std::string content;
  for (int i = 0; i < 12; ++i)
    content += "P" + std::to_string(i) + "," + std::to_string(i * 10) + ",1,T" +
               (i % 3 == 0   ? "\r\n"
                : i % 3 == 1 ? "\n"
                             : "\r");
  Write(content);
  table.LoadFromFile(path);
  ASSERT_EQ(table.Count(), 12);
  EXPECT_EQ(table.Record(0)->Score, 0);
  EXPECT_EQ(table.Record(11)->Name, "P11");
  EXPECT_EQ(table.Record(11)->Title, "T");
}

TEST_F(HighScoreTest, ABlankLineGivesAnEmptyRecordAfterOneLoggedError) {
  Write("A,300,3,T\r\n\r\nB,100,1,T\r\n");
  table.LoadFromFile(path);
  ASSERT_EQ(table.Count(), 3);
  EXPECT_EQ(table.Record(1)->Name, "");
  EXPECT_EQ(table.Record(1)->Score, 0);
  EXPECT_EQ(table.Record(1)->Level, 0);
  EXPECT_EQ(table.Record(1)->Title, "");
  EXPECT_EQ(table.Record(2)->Name, "B");

  const std::string text = LogText();
  const std::string head = "Tvt6HighScoreRecord.SetAsString  reports the following error:\r";
  ASSERT_NE(text.find(head), std::string::npos) << text;
  EXPECT_EQ(text.find(head, text.find(head) + 1), std::string::npos) << "logged twice";
  EXPECT_NE(text.find("\rValue: \n"), std::string::npos) << text;
}

TEST_F(HighScoreTest, ABadNumberStopsAtItsItemAndIsLoggedWithTheLine) {
  Write("Bob,12x,3,T\nCy,5\n");
  table.LoadFromFile(path);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Record(0)->Name, "Bob");
  EXPECT_EQ(table.Record(0)->Score, 0);
  EXPECT_EQ(table.Record(0)->Level, 0);
  EXPECT_EQ(table.Record(1)->Name, "Cy");
  EXPECT_EQ(table.Record(1)->Score, 5);
  EXPECT_EQ(table.Record(1)->Title, "");
  const std::string text = LogText();
  EXPECT_NE(text.find("error:\r'12x' is not a valid integer value\rValue: Bob,12x,3,T\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("\rValue: Cy,5\n"), std::string::npos) << text;
}

TEST_F(HighScoreTest, AnEmptyFileGivesAnEmptyTableInWhichNothingRanks) {
  Write("");
  table.LoadDefaults();
  table.LoadFromFile(path);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.FindRank(2147483647), -1);
  EXPECT_EQ(Read(path), "");
}

TEST_F(HighScoreTest, AByteOrderMarkDoesNotCostTheTopRecord) {
  Write("\xEF\xBB\xBF" + DefaultFirstLine + "Ann,5,1,Devuvov\r\n");
  table.LoadFromFile(path);
  ASSERT_EQ(table.Count(), 2);
  EXPECT_EQ(table.Record(0)->Name, "Vez Uzodaz");
  EXPECT_EQ(table.Record(0)->Score, 100000);
  EXPECT_TRUE(table.SaveToFile(path));
  EXPECT_EQ(Read(path), DefaultFirstLine + "Ann,5,1,Devuvov\r\n") << "and is written back whole";

  // A name that begins with the mark is quoted, so the top record keeps it.
  table.Clear();
  table.AddRecord(
      "\xEF\xBB\xBF"
      "Bo",
      "Devuvov", 7, 1);
  ASSERT_TRUE(table.SaveToFile(path));
  table.LoadFromFile(path);
  EXPECT_EQ(table.Record(0)->Name,
            "\xEF\xBB\xBF"
            "Bo");
}

TEST_F(HighScoreTest, BadLinesAreCountedAndALeftOverSaveIsRemoved) {
  Write(DefaultFirstLine + "Ann,x,1,Devuvov\r\n\r\n");
  std::ofstream(path + ".new", std::ios::binary) << "half a tab";
  table.LoadFromFile(path);
  EXPECT_EQ(table.Count(), 3);
  EXPECT_FALSE(fs::exists(path + ".new"));
  const std::string logText = LogText();
  EXPECT_NE(logText.find("removed \"" + path + ".new\", left by a save that did not finish"),
            std::string::npos);
  EXPECT_NE(
      logText.find("High-score file \"" + path + "\": 2 of 3 lines could not be read in full"),
      std::string::npos);
}

TEST_F(HighScoreTest, AnUnreadableFileRaisesAndIsNotSavedOver) {
  fs::create_directories(path);
  EXPECT_THROW(table.LoadFromFile(path), std::runtime_error);
  // Whatever the file becomes, the empty table in memory never replaces it.
  fs::remove(path);
  Write("Kept,1,1,T\r\n");
  EXPECT_FALSE(table.SaveToFile(path));
  EXPECT_EQ(Read(path), "Kept,1,1,T\r\n");
  EXPECT_NE(LogText().find("could not be read when loading"), std::string::npos);
  // A later load that succeeds lifts the guard.
  table.LoadFromFile(path);
  EXPECT_TRUE(table.SaveToFile(path));
}

TEST_F(HighScoreTest, ARefusedSaveLeavesThePreviousFileAndLogs) {
  table.LoadDefaults();
  ASSERT_TRUE(table.SaveToFile(path));
  const std::string before = Read(path);
  table.Clear();
  table.AddRecord("New", "Devuvov", 1, 1);

  // The new file cannot be created beside the old one.
  fs::create_directories(path + ".new");
  EXPECT_FALSE(table.SaveToFile(path));
  EXPECT_EQ(Read(path), before);
  EXPECT_NE(LogText().find("Tvt6HighScoreEngine.SaveToFile reports the following error: "),
            std::string::npos);
  fs::remove_all(path + ".new");

#ifndef _WIN32
  // (Windows keeps a folder's rights in lists that std::filesystem does not set.)
  if (::geteuid() != 0) {  // permissions do not hold the superuser back
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(table.SaveToFile(path));
    EXPECT_EQ(Read(path), before);
    fs::permissions(dir, fs::perms::owner_write, fs::perm_options::add);
  }
#endif

  ASSERT_TRUE(table.SaveToFile(path));
  EXPECT_EQ(Read(path), "New,1,1,Devuvov\r\n");
}

TEST_F(HighScoreTest, NoFileNameIsRefused) {
  table.LoadDefaults();
  EXPECT_THROW(table.LoadFromFile(""), std::invalid_argument);
  EXPECT_EQ(table.Count(), 10);
  EXPECT_FALSE(table.SaveToFile(""));
  EXPECT_NE(LogText().find("SaveToFile reports the following error: no file name"),
            std::string::npos);
}

TEST_F(HighScoreTest, SavingOntoADirectoryFailsAndLogs) {
  const std::string target = (dir / "taken").string();
  fs::create_directories(target);
  table.LoadDefaults();
  EXPECT_FALSE(table.SaveToFile(target));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_FALSE(fs::exists(target + ".new"));
  EXPECT_NE(LogText().find("SaveToFile reports the following error: "), std::string::npos);
}

// ---- DrawTable ----------------------------------------------------------------

class HighScoreTableDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    // The "Main" style and the alternating rows set up at start-up.
    main.Brush.Style = TBrushStyle::Clear;
    main.Font.Color = 0xFF0000;
    main.Font.Size = 18;
    table.SetDisplay(&display);
    table.SetFont(&main);
    table.OnBeforeRow = [this](Tvt6HighScoreEngine&, int32_t row) {
      main.Font.Color = row % 2 == 1 ? 0xFF6000 : 6224614;
    };
    table.OnAfterRow = [this](Tvt6HighScoreEngine&, int32_t) { main.Font.Color = 0xFF0000; };
  }
  const std::vector<TTextCall>& Texts() const { return display.CanvasFake.Texts; }

  TfrmErrorLog log{[] { return std::string("T"); }};
  Tvt6HighScoreEngine table{log};
  Tvt6FontItem main;
  TFakeDisplay display;
};

TEST_F(HighScoreTableDrawing, CaptionHeadersAndRowsSitWhereTheLayoutSays) {
  table.LoadDefaults();
  table.DrawTable();
  // Metrics of the fake: 8 pixels a character, text height 24 at size 18.
  ASSERT_EQ(Texts().size(), 1u + 4u + 40u);
  EXPECT_EQ(Texts()[0].Text, "High Scores");
  EXPECT_EQ(Texts()[0].X, 400 - 44);
  EXPECT_EQ(Texts()[0].Y, 50);
  EXPECT_EQ(Texts()[0].Brush.Style, TBrushStyle::Clear);
  EXPECT_EQ(Texts()[0].Brush.Color, 0u);
  EXPECT_EQ(Texts()[0].Pen.Color, 0u);
  EXPECT_EQ(Texts()[0].Font.Color, 0xFF0000u);

  const int32_t headerY = 50 + 24 + 24;
  const std::pair<const char*, int32_t> headers[] = {{"RANK", 150 + 20 - 16},
                                                     {"NAME", 200 + 100 - 16},
                                                     {"SCORE", 410 + 65 - 20},
                                                     {"LEVEL", 550 + 30 - 20}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Texts()[1 + i].Text, headers[i].first);
    EXPECT_EQ(Texts()[1 + i].X, headers[i].second) << headers[i].first;
    EXPECT_EQ(Texts()[1 + i].Y, headerY);
    EXPECT_FALSE(Texts()[1 + i].Clipped);
  }

  const int32_t columnX[] = {150, 200, 410, 550};
  const int32_t columnWidth[] = {40, 200, 130, 60};
  for (int row = 0; row < 10; ++row) {
    const int32_t y = headerY + 24 + 24 + row * 29;
    const std::string cells[] = {std::to_string(row + 1), "Vez Uzodaz",
                                 std::to_string(100000 - 10000 * row), std::to_string(20 - row)};
    for (int c = 0; c < 4; ++c) {
      const TTextCall& t = Texts()[5 + row * 4 + c];
      EXPECT_EQ(t.Text, cells[c]);
      EXPECT_TRUE(t.Clipped);
      EXPECT_EQ(t.Clip, Bounds(columnX[c], y, columnWidth[c], 24));
      EXPECT_EQ(t.X, columnX[c]);
      EXPECT_EQ(t.Y, y);
      EXPECT_EQ(t.Font.Color, row % 2 == 1 ? 0xFF6000u : 6224614u) << "row " << row;
    }
  }
  EXPECT_EQ(main.Font.Color, 0xFF0000u);
  EXPECT_EQ(display.CanvasFake.Releases, 1);
}

TEST_F(HighScoreTableDrawing, AFailedDrawReleasesTheCanvasAndPassesTheErrorOn) {
  table.LoadDefaults();
  display.CanvasFake.FailNextText = true;
  EXPECT_THROW(table.DrawTable(), std::runtime_error);
  EXPECT_EQ(display.CanvasFake.Releases, 1);

  table.OnAfterRow = [](Tvt6HighScoreEngine&, int32_t row) {
    if (row == 2) throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(table.DrawTable(), std::runtime_error);
  EXPECT_EQ(display.CanvasFake.Releases, 2);
}

TEST_F(HighScoreTableDrawing, OnlyTheRowsThatFitOnTheScreenAreDrawn) {
  for (int32_t i = 0; i < 100000; ++i) table.AddRecord("Ann", "Devuvov", 100000 - i, 1);
  int before = 0;
  table.OnBeforeRow = [&before](Tvt6HighScoreEngine&, int32_t) { ++before; };
  table.DrawTable();
  // The first row lies at 50 + 24 + 24 + 24 + 24 = 146, each further one 29 lower.
  const int fitting = (ScreenHeight - 146 + 28) / 29;
  EXPECT_EQ(before, fitting);
  EXPECT_EQ(Texts().size(), 1u + 4u + 4u * fitting);
  EXPECT_LT(Texts().back().Y, ScreenHeight);
}

TEST_F(HighScoreTableDrawing, AHandlerThatEmptiesTheTableEndsTheRows) {
  table.LoadDefaults();
  table.OnBeforeRow = [](Tvt6HighScoreEngine& sender, int32_t row) {
    if (row == 1) sender.Clear();
  };
  table.DrawTable();
  EXPECT_EQ(Texts().size(), 1u + 4u + 4u);
}

}  // namespace
}  // namespace quellix
