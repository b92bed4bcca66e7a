// The user's folders on Linux (and other POSIX systems): the XDG base directories.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "base/vtFileSystem.h"
#include "services/vtGameFolders.h"
#include "services/vtGameFoldersPlatform.h"

namespace quellix {

namespace {

namespace fs = std::filesystem;

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string AccountHome() {
  const passwd* account = ::getpwuid(::getuid());
  return account && account->pw_dir ? account->pw_dir : "";
}

}  // namespace

TUserEnvironment TUserEnvironment::FromProcess() {
  TUserEnvironment env{Variable("XDG_DATA_HOME"), Variable("HOME"), {}};
  if (env.Home.empty()) env.Home = AccountHome();
  return env;
}

std::string UserDataDir(const TUserEnvironment& env) {
  // A relative $XDG_DATA_HOME is invalid and ignored.
  if (fs::path(env.XdgDataHome).is_absolute())
    return FolderText((fs::path(env.XdgDataHome) / "quellix").lexically_normal());
  if (!env.Home.empty())
    return FolderText((fs::path(env.Home) / ".local/share/quellix").lexically_normal());
  return {};
}

bool MayWriteFolder(const std::string& dir) {
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

// Private to the user, as the XDG base directories ask.
void CreateUserFolder(const std::string& dir) {
  fs::path partial;
  for (const fs::path& part : fs::path(dir)) {
    partial /= part;
    if (!part.empty() && part != "/") ::mkdir(partial.c_str(), 0700);
  }
}

}  // namespace quellix
