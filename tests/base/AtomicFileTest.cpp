// Files written whole or not at all, on every system the game runs on: a new file, a
// replaced one, a write that cannot be made, and what an interrupted write left.
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "config/vtTextFile.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using testing::TTempDir;

TEST(AtomicFile, WritesANewFileAndReplacesAnOldOneWhole) {
  TTempDir temp;
  // A name outside ASCII, as a player's folder may have.
  const std::string path = temp.File("h\u00f6chste Punkte \u2116 1.txt");
  WriteFileAtomically(path, "first\r\n");
  EXPECT_EQ(ReadTextFile(path), "first\r\n");
  WriteFileAtomically(path, std::string(100000, 'x'));
  EXPECT_EQ(ReadTextFile(path), std::string(100000, 'x'));
  WriteFileAtomically(path, "");
  EXPECT_EQ(ReadTextFile(path), "");
  EXPECT_FALSE(fs::exists(PathOf(TemporaryPath(path))));
  EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), fs::directory_iterator()), 1);
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporary) {
  TTempDir temp;
  // No folder to write in: the error names the file.
  const std::string lost = temp.File("gone/scores.txt");
  try {
    WriteFileAtomically(lost, "x");
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("scores.txt"), std::string::npos) << e.what();
  }
  // A folder in the way cannot be replaced: it stays, and so does no temporary.
  const std::string blocked = temp.File("blocked");
  fs::create_directories(PathOf(blocked) / "inside");
  EXPECT_THROW(WriteFileAtomically(blocked, "x"), std::runtime_error);
  EXPECT_TRUE(fs::is_directory(PathOf(blocked) / "inside"));
  EXPECT_FALSE(fs::exists(PathOf(TemporaryPath(blocked))));
}

TEST(AtomicFile, WhatAnInterruptedWriteLeftIsRemoved) {
  TTempDir temp;
  const std::string path = temp.File("settings.txt");
  EXPECT_FALSE(RemoveStaleTemporary(path));
  WriteFileAtomically(path, "kept");
  WriteFileAtomically(TemporaryPath(path), "half of a new");
  EXPECT_TRUE(RemoveStaleTemporary(path));
  EXPECT_FALSE(fs::exists(PathOf(TemporaryPath(path))));
  EXPECT_EQ(ReadTextFile(path), "kept");
  EXPECT_FALSE(RemoveStaleTemporary(path));
}

}  // namespace
}  // namespace quellix
