#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/vtErrorLogger.h"

namespace quellix {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class ErrorLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("qx_log_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    path = (dir / "log.txt").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir;
  std::string path;
  int stampCount = 0;
  TfrmErrorLog::TStampSource stamp = [this] { return "T" + std::to_string(++stampCount); };
};

TEST_F(ErrorLogTest, EntriesAreStampMessageAndFortyHyphens) {
  TfrmErrorLog log(stamp);
  log.Log("hello");
  ASSERT_EQ(log.Lines().size(), 4u);
  EXPECT_EQ(log.Lines()[0], "Vintor Debug Window 1.0");
  EXPECT_EQ(log.Lines()[1], "T1");
  EXPECT_EQ(log.Lines()[2], "hello");
  EXPECT_EQ(log.Lines()[3], std::string(40, '-'));
}

TEST_F(ErrorLogTest, FileStartsWithTheLoggerLineAndSkipsEarlierEntries) {
  {
    std::ofstream old(path);
    old << "previous run\n";
  }
  TfrmErrorLog log(stamp);
  log.Log("before open");
  log.Open(path);
  log.Log("Creating Engine Objects...");
  EXPECT_EQ(ReadAll(path), "T2\nVintor Version 6.0 Logger Successfully Initialized\n" +
                               std::string(40, '-') + "\nT3\nCreating Engine Objects...\n" +
                               std::string(40, '-') + "\n");
  // The early entry stays in the window.
  EXPECT_EQ(log.Lines()[2], "before open");
}

TEST_F(ErrorLogTest, MessagesWithCarriageReturnsAreWrittenUnchanged) {
  TfrmErrorLog log(stamp);
  log.Open(path);
  log.Log("Engine Error!\rDrawSprites:Draw reports the following error: boom");
  EXPECT_NE(ReadAll(path).find("Engine Error!\rDrawSprites:Draw reports"), std::string::npos);
  // In the window the break starts a new line.
  const auto& lines = log.Lines();
  EXPECT_EQ(lines[lines.size() - 3], "Engine Error!");
  EXPECT_EQ(lines[lines.size() - 2], "DrawSprites:Draw reports the following error: boom");
}

TEST_F(ErrorLogTest, WindowKeepsTheLastThreeHundredLines) {
  TfrmErrorLog log(stamp);
  for (int i = 0; i < 150; ++i) log.Log("entry " + std::to_string(i));
  ASSERT_EQ(log.Lines().size(), 300u);
  EXPECT_EQ(log.Lines().front(), "T51");
  EXPECT_EQ(log.Lines()[1], "entry 50");
  EXPECT_EQ(log.Lines().back(), std::string(40, '-'));
}

TEST_F(ErrorLogTest, OpenFailureRaisesAndLeavesTheLogInMemory) {
  TfrmErrorLog log(stamp);
  EXPECT_THROW(log.Open((dir / "missing" / "log.txt").string()), std::runtime_error);
  EXPECT_FALSE(log.FileOpen());
  log.Log("still works");
  EXPECT_EQ(log.Lines()[2], "still works");
}

TEST_F(ErrorLogTest, AFailingStampNeverReachesTheCaller) {
  TfrmErrorLog log([]() -> std::string { throw std::runtime_error("clock broke"); });
  EXPECT_NO_THROW(log.Log("x"));
}

}  // namespace
}  // namespace quellix
