// The user's folders on Windows: the roaming application-data folder, %APPDATA%.
#include <windows.h>

#include <cstdlib>
#include <filesystem>

#include "base/vtFileSystem.h"
#include "services/vtGameFolders.h"
#include "services/vtGameFoldersPlatform.h"

namespace quellix {

namespace {

namespace fs = std::filesystem;

// Windows sets it in every user's session; read wide, for a user name outside the code
// page.
std::string RoamingAppData() {
  const wchar_t* value = _wgetenv(L"APPDATA");
  return value ? TextOf(value) : "";
}

}  // namespace

TUserEnvironment TUserEnvironment::FromProcess() {
  return {{}, {}, RoamingAppData()};
}

std::string UserDataDir(const TUserEnvironment& env) {
  const fs::path appData = PathOf(env.AppData);
  if (!appData.is_absolute()) return {};
  return FolderText((appData / "Quellix").lexically_normal());
}

// Access rights on Windows are lists that only an attempt reads right (the read-only
// attribute of a folder means nothing): a file is made there and goes when closed.
bool MayWriteFolder(const std::string& dir) {
  const fs::path probe =
      PathOf(dir) / ("quellix-" + std::to_string(GetCurrentProcessId()) + ".probe");
  HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The application-data folder is the user's own already.
void CreateUserFolder(const std::string& dir) {
  std::error_code ignored;
  fs::create_directories(PathOf(dir), ignored);
}

}  // namespace quellix
