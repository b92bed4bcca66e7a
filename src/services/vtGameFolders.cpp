#include "services/vtGameFolders.h"

#include <filesystem>

#include "base/vtAtomicFile.h"
#include "base/vtFileSystem.h"
#include "config/vtTextFile.h"
#include "services/vtGameFoldersPlatform.h"

namespace quellix {

namespace {

namespace fs = std::filesystem;

std::string Folder(const fs::path& path) {
  return FolderText(path.lexically_normal());
}

bool HoldsData(const std::string& dir) {
  std::error_code error;
  return fs::is_regular_file(PathOf(dir) / DataMarkerFile, error);
}

std::string InstalledDataFolder(const std::string& exeDir) {
  return Folder(PathOf(exeDir) / InstalledDataDir);
}

// An installed game: the data is not beside the executable but in ../share/quellix.
bool Installed(const std::string& exeDir) {
  return !HoldsData(exeDir) && HoldsData(InstalledDataFolder(exeDir));
}

}  // namespace

std::string FindDataDir(const std::string& exeDir, const std::string& chosen) {
  if (!chosen.empty()) return Folder(fs::absolute(PathOf(chosen)));
  return Installed(exeDir) ? InstalledDataFolder(exeDir) : exeDir;
}

std::string UserFolder(const std::string& exeDir, const TUserEnvironment& env) {
  if (!Installed(exeDir) && MayWriteFolder(exeDir)) return exeDir;
  const std::string dir = UserDataDir(env);
  if (dir.empty()) return exeDir;
  CreateUserFolder(dir);
  return dir;
}

TGameFolders ChooseGameFolders(const std::string& exeDir, const std::string& chosenDataDir,
                               const TUserEnvironment& env) {
  return {FindDataDir(exeDir, chosenDataDir), UserFolder(exeDir, env)};
}

std::string AdoptUserFile(const std::string& name, const std::string& userDir,
                          const std::vector<std::string>& from) {
  std::error_code error;
  if (fs::exists(PathOf(userDir + name), error) || error) return {};
  for (const std::string& dir : from) {
    if (fs::equivalent(PathOf(dir), PathOf(userDir), error)) continue;
    const std::string path = dir + name;
    if (!fs::is_regular_file(PathOf(path), error)) continue;
    WriteFileAtomically(userDir + name, ReadTextFile(path));
    return path;
  }
  return {};
}

}  // namespace quellix
