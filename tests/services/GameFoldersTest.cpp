#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>

#include "base/vtFileSystem.h"
#include "config/vtTextFile.h"
#include "services/vtGameFolders.h"
#include "support/vtTempDir.h"

namespace quellix {
namespace {

namespace fs = std::filesystem;
using testing::TTempDir;

void Touch(const std::string& file, const std::string& content = "x") {
  fs::create_directories(PathOf(file).parent_path());
  std::ofstream(PathOf(file), std::ios::binary) << content;
}

// The folder as the game writes it: on Windows '/' becomes '\'.
std::string Normal(const std::string& folder) {
  return FolderText(PathOf(folder).lexically_normal());
}

TEST(GameFoldersTest, DataIsChosenOnTheCommandLineElseBesideTheExecutableElseInstalled) {
  TTempDir temp;
  const std::string bin = temp.Dir() + "prefix/bin/";
  const std::string installed = temp.Dir() + "prefix/share/quellix/";
  fs::create_directories(PathOf(bin));
  // Nowhere: the executable's folder, where start-up then reports the missing archive.
  EXPECT_EQ(FindDataDir(bin), bin);
  Touch(installed + DataMarkerFile);
  EXPECT_EQ(FindDataDir(bin), Normal(installed));
  // A run folder holding the data wins over an installed copy.
  Touch(bin + DataMarkerFile);
  EXPECT_EQ(FindDataDir(bin), bin);
  // A chosen folder wins over both, made absolute and ended with a separator.
  EXPECT_EQ(FindDataDir(bin, temp.File("prefix/share/quellix")), Normal(installed));
  EXPECT_EQ(FindDataDir(bin, "somewhere"), FolderText(fs::current_path() / "somewhere"));
}

#ifdef _WIN32
TEST(GameFoldersTest, UserDataFolderIsInTheRoamingApplicationData) {
  EXPECT_EQ(UserDataDir({"", "", "C:\\Users\\Ann\\AppData\\Roaming"}),
            "C:\\Users\\Ann\\AppData\\Roaming\\Quellix\\");
  EXPECT_EQ(UserDataDir({"", "", "C:/Users/Ann/AppData/Roaming/"}),
            "C:\\Users\\Ann\\AppData\\Roaming\\Quellix\\");
  // A relative folder is no answer; nor is none.
  EXPECT_EQ(UserDataDir({"", "", "Roaming"}), "");
  EXPECT_EQ(UserDataDir({"/xdg", "/home/ann", ""}), "");
  EXPECT_EQ(TUserEnvironment::FromProcess().AppData, TextOf(_wgetenv(L"APPDATA")));
}
#else
TEST(GameFoldersTest, UserDataFolderFollowsXdgElseHome) {
  EXPECT_EQ(UserDataDir({"/xdg", "/home/ann"}), "/xdg/quellix/");
  EXPECT_EQ(UserDataDir({"/xdg/", "/home/ann"}), "/xdg/quellix/");
  // A relative XDG_DATA_HOME is invalid and ignored.
  EXPECT_EQ(UserDataDir({"xdg", "/home/ann"}), "/home/ann/.local/share/quellix/");
  EXPECT_EQ(UserDataDir({"", "/home/ann/"}), "/home/ann/.local/share/quellix/");
  EXPECT_EQ(UserDataDir({"", ""}), "");
}
#endif

// The user's data folder made in temp: where Linux or Windows asks for it.
#ifdef _WIN32
constexpr const char* UserDataName = "Quellix";
#else
constexpr const char* UserDataName = "quellix";
#endif
TUserEnvironment UserEnvironmentIn(const TTempDir& temp) {
  return {temp.File("xdg/data"), temp.File("home"), temp.File("xdg/data")};
}

TEST(GameFoldersTest, FilesAreWrittenBesideAWritableExecutableElseInTheUsersFolder) {
  TTempDir temp;
  const TUserEnvironment env = UserEnvironmentIn(temp);
  EXPECT_EQ(UserFolder(temp.Dir(), env), temp.Dir());
  EXPECT_FALSE(fs::exists(PathOf(temp.File("xdg"))));

  // A folder the process cannot write (here: one that is not there, which holds even
  // for root and on every system).
  const std::string readOnly = temp.Dir() + "gone/";
  const std::string user = UserDataDir(env);
  EXPECT_EQ(user, Normal(temp.Dir() + "xdg/data/" + UserDataName));
  EXPECT_EQ(UserFolder(readOnly, env), user);
  ASSERT_TRUE(fs::is_directory(PathOf(user)));
#ifndef _WIN32
  // Created private to the user, missing parents too.
  for (const std::string& dir : {temp.File("xdg"), temp.File("xdg/data"), user}) {
    struct stat info {};
    ASSERT_EQ(::stat(dir.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << dir;
  }
#endif
  const TGameFolders folders = ChooseGameFolders(readOnly, temp.Dir(), env);
  EXPECT_EQ(folders.UserDir, user);
  EXPECT_EQ(folders.DataDir, temp.Dir());

  // No user folder known at all: the executable's, whose writes then fail and are logged.
  EXPECT_EQ(UserFolder(readOnly, {}), readOnly);

  // An installed game never writes into its bin/, even where it may (run by root).
  const std::string bin = temp.Dir() + "prefix/bin/";
  fs::create_directories(PathOf(bin));
  Touch(temp.Dir() + "prefix/share/quellix/" + DataMarkerFile);
  EXPECT_EQ(UserFolder(bin, env), user);
}

TEST(GameFoldersTest, AFileKeptElsewhereIsCopiedOnceAndNeverOverwritten) {
  TTempDir temp;
  // A user's name outside ASCII (and the system's code page) is in the path.
  const std::string exe = temp.Dir() + "bin/", data = temp.Dir() + "data/",
                    user = temp.Dir() + "J\u00f6rg \u30d5\u30a1\u30a4\u30eb/";
  fs::create_directories(PathOf(exe));
  fs::create_directories(PathOf(user));
  Touch(data + "highscores.txt", "from data");
  // Nothing beside the executable: the data folder's copy is taken.
  EXPECT_EQ(AdoptUserFile("highscores.txt", user, {exe, data}), data + "highscores.txt");
  EXPECT_EQ(ReadTextFile(user + "highscores.txt"), "from data");

  // Once the user folder holds the file, it is never replaced.
  Touch(exe + "highscores.txt", "from exe");
  EXPECT_EQ(AdoptUserFile("highscores.txt", user, {exe, data}), "");
  EXPECT_EQ(ReadTextFile(user + "highscores.txt"), "from data");

  // The executable's folder comes first; the user folder itself is never a source.
  fs::remove(PathOf(user + "highscores.txt"));
  EXPECT_EQ(AdoptUserFile("highscores.txt", user, {user, exe, data}), exe + "highscores.txt");
  EXPECT_EQ(ReadTextFile(user + "highscores.txt"), "from exe");
  EXPECT_EQ(AdoptUserFile("log.txt", user, {user, exe, data}), "");

  // A user folder that cannot be written: the error names the file.
  try {
    AdoptUserFile("highscores.txt", temp.Dir() + "gone/", {exe});
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("gone/highscores.txt"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace quellix
