#include "base/vtAtomicFile.h"

#include "base/vtFileSystem.h"

namespace quellix {

std::string TemporaryPath(const std::string& path) {
  return path + ".new";
}

bool RemoveStaleTemporary(const std::string& path) {
  return RemoveFile(TemporaryPath(path));
}

void WriteFileAtomically(const std::string& path, std::string_view content) {
  const std::string temp = TemporaryPath(path);
  WriteFlushedFile(temp, content);
  try {
    MoveOver(temp, path);
  } catch (...) {
    RemoveFile(temp);
    throw;
  }
}

}  // namespace quellix
