// Where the game's files are. The data (both archives and the data/ files) is read
// from the folder named on the command line, else from the executable's folder when
// the data is there (a build's run folder, an unpacked zip), else from ../share/quellix
// beside it (an installed game). The files the game writes (log, high scores, settings)
// go to the user folder: the executable's folder when it may be written and is not an
// installed game's bin/ (a run folder, as built), else the user's data folder: on Linux
// $XDG_DATA_HOME/quellix or ~/.local/share/quellix (the folder SDL's preference path
// names there), on Windows %APPDATA%\Quellix. Every folder ends with a separator; paths
// are UTF-8. The system's side is in vtGameFoldersPosix.cpp and vtGameFoldersWindows.cpp.
#pragma once

#include <string>
#include <vector>

namespace quellix {

// The file that marks a data folder: the first one start-up reads.
inline constexpr const char* DataMarkerFile = "sprites.vtg";
// Where an installed game keeps its data, relative to the executable's folder.
inline constexpr const char* InstalledDataDir = "../share/quellix/";

// What the user folder depends on besides the executable's folder.
struct TUserEnvironment {
  std::string XdgDataHome;  // $XDG_DATA_HOME; empty when unset
  std::string Home;         // $HOME, else the account's home folder; empty when unknown
  std::string AppData;      // Windows: %APPDATA%, the roaming application-data folder
  static TUserEnvironment FromProcess();
};

struct TGameFolders {
  std::string DataDir;
  std::string UserDir;
};

// The data folder: `chosen` (made absolute) when given, else as described above; the
// executable's folder when no candidate holds the data, so that start-up reports the
// missing archive there.
std::string FindDataDir(const std::string& exeDir, const std::string& chosen = {});

// Linux: $XDG_DATA_HOME/quellix/ when that is an absolute path, else
// $HOME/.local/share/quellix/; Windows: AppData\Quellix\. Empty when none is known.
std::string UserDataDir(const TUserEnvironment& env);

// The one answer to "where does the game write its files": exeDir when the process may
// write there and the game is not installed (so root running an installed game writes
// nothing into bin/), else the user's data folder, created when missing (a failure to
// create it shows when the files are written); exeDir when no user data folder is known.
std::string UserFolder(const std::string& exeDir, const TUserEnvironment& env);

TGameFolders ChooseGameFolders(const std::string& exeDir, const std::string& chosenDataDir,
                               const TUserEnvironment& env);

// Takes a file the game used to keep elsewhere into the user folder: when userDir lacks
// `name`, the first of `from` (other folders than userDir) that holds it is read and
// written to userDir. Returns the path copied, empty when nothing was. Throws
// std::runtime_error naming the file when reading or writing fails.
std::string AdoptUserFile(const std::string& name, const std::string& userDir,
                          const std::vector<std::string>& from);

}  // namespace quellix
