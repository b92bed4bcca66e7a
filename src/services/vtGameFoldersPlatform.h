// What choosing the game's folders asks of the operating system: vtGameFoldersPosix.cpp
// and vtGameFoldersWindows.cpp answer it (with TUserEnvironment::FromProcess and
// UserDataDir of vtGameFolders.h).
#pragma once

#include <string>

namespace quellix {

// Whether the process may create files in the folder.
bool MayWriteFolder(const std::string& dir);

// Creates the folder and any missing parent, private to the user where the system has
// such a notion; a failure is left for the first write to report.
void CreateUserFolder(const std::string& dir);

}  // namespace quellix
