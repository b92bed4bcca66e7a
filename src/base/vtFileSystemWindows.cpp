// The file calls of Windows, on wide paths: the narrow calls would read a path in the
// system's code page, and names outside it would not open.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <system_error>

#include "base/vtFileSystem.h"

namespace quellix {

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, DWORD error) {
  throw std::runtime_error(what + " \"" + path +
                           "\": " + std::system_category().message(static_cast<int>(error)));
}

// How often a rename is tried while another program (a virus scanner, an indexer) holds
// the file for a moment.
constexpr int MoveAttempts = 10;
constexpr DWORD MoveRetryMilliseconds = 20;

}  // namespace

std::FILE* OpenCFile(const std::string& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(PathOf(path).c_str(), wideMode.c_str());
}

void WriteFlushedFile(const std::string& path, std::string_view content) {
  const std::wstring name = PathOf(path).wstring();
  HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) Fail("Cannot create", path, GetLastError());
  const auto fail = [&](const char* what) {
    const DWORD error = GetLastError();
    CloseHandle(file);
    DeleteFileW(name.c_str());
    Fail(what, path, error);
  };
  size_t written = 0;
  while (written < content.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size() - written, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, content.data() + written, chunk, &n, nullptr)) fail("Cannot write");
    written += n;
  }
  if (!FlushFileBuffers(file)) fail("Cannot flush");
  if (!CloseHandle(file)) {
    const DWORD error = GetLastError();
    DeleteFileW(name.c_str());
    Fail("Cannot flush", path, error);
  }
}

void MoveOver(const std::string& from, const std::string& to) {
  const std::wstring source = PathOf(from).wstring(), target = PathOf(to).wstring();
  // Write-through: the call returns once the rename is on the disk.
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return;
    const DWORD error = GetLastError();
    const bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
    if (!held || attempt == MoveAttempts) Fail("Cannot replace", to, error);
    Sleep(MoveRetryMilliseconds);
  }
}

bool RemoveFile(const std::string& path) {
  return DeleteFileW(PathOf(path).c_str()) != 0;
}

}  // namespace quellix
