#include "services/vtGameFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/vtAtomicFile.h"
#include "config/vtTextFile.h"

namespace quellix {

namespace {

namespace fs = std::filesystem;

std::string Folder(const fs::path& path) {
  std::string text = path.lexically_normal().string();
  if (text.empty() || text.back() != '/') text += '/';
  return text;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string AccountHome() {
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir ? account->pw_dir : "";
}

bool HoldsData(const std::string& dir) {
  std::error_code error;
  return fs::is_regular_file(fs::path(dir) / DataMarkerFile, error);
}

// Creates the folder and any missing parent private to the user, as the XDG base
// directories ask; a failure is left for the first write to report.
void CreatePrivateFolder(const fs::path& dir) {
  fs::path partial;
  for (const fs::path& part : dir) {
    partial /= part;
    if (!part.empty() && part != "/") ::mkdir(partial.c_str(), 0700);
  }
}

std::string InstalledDataFolder(const std::string& exeDir) {
  return Folder(fs::path(exeDir) / InstalledDataDir);
}

// An installed game: the data is not beside the executable but in ../share/quellix.
bool Installed(const std::string& exeDir) {
  return !HoldsData(exeDir) && HoldsData(InstalledDataFolder(exeDir));
}

}  // namespace

TUserEnvironment TUserEnvironment::FromProcess() {
  TUserEnvironment env{Variable("XDG_DATA_HOME"), Variable("HOME")};
  if (env.Home.empty()) env.Home = AccountHome();
  return env;
}

std::string FindDataDir(const std::string& exeDir, const std::string& chosen) {
  if (!chosen.empty()) return Folder(fs::absolute(chosen));
  return Installed(exeDir) ? InstalledDataFolder(exeDir) : exeDir;
}

std::string UserDataDir(const TUserEnvironment& env) {
  // A relative $XDG_DATA_HOME is invalid and ignored.
  if (fs::path(env.XdgDataHome).is_absolute()) return Folder(fs::path(env.XdgDataHome) / "quellix");
  if (!env.Home.empty()) return Folder(fs::path(env.Home) / ".local/share/quellix");
  return {};
}

std::string UserFolder(const std::string& exeDir, const TUserEnvironment& env) {
  if (!Installed(exeDir) && ::access(exeDir.c_str(), W_OK | X_OK) == 0) return exeDir;
  const std::string dir = UserDataDir(env);
  if (dir.empty()) return exeDir;
  CreatePrivateFolder(dir);
  return dir;
}

TGameFolders ChooseGameFolders(const std::string& exeDir, const std::string& chosenDataDir,
                               const TUserEnvironment& env) {
  return {FindDataDir(exeDir, chosenDataDir), UserFolder(exeDir, env)};
}

std::string AdoptUserFile(const std::string& name, const std::string& userDir,
                          const std::vector<std::string>& from) {
  std::error_code error;
  if (fs::exists(userDir + name, error) || error) return {};
  for (const std::string& dir : from) {
    if (fs::equivalent(dir, userDir, error)) continue;
    const std::string path = dir + name;
    if (!fs::is_regular_file(path, error)) continue;
    WriteFileAtomically(userDir + name, ReadTextFile(path));
    return path;
  }
  return {};
}

}  // namespace quellix
