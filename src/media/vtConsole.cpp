#include "media/vtConsole.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

namespace quellix::media {

#ifdef _WIN32
namespace {

// A handle the caller gave: a file, a pipe or a console.
bool Given(DWORD stream) {
  const HANDLE handle = GetStdHandle(stream);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE &&
         GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void UseCallersConsole() {
  const bool out = Given(STD_OUTPUT_HANDLE), err = Given(STD_ERROR_HANDLE);
  if (out && err) return;
  // Fails when the caller has no console (the desktop started the game).
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  if (!out) std::freopen("CONOUT$", "w", stdout);
  if (!err) std::freopen("CONOUT$", "w", stderr);
}
#else
void UseCallersConsole() {}
#endif

}  // namespace quellix::media
