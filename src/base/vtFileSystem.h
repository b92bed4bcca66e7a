// The game's paths are UTF-8 text everywhere: on the command line, in the log, in the
// folders it chooses. The standard library reads a narrow path in the system's code page
// on Windows, so a path goes to it through PathOf and comes back through TextOf; on other
// systems both keep the bytes as they are. The calls that differ by system are in
// vtFileSystemPosix.cpp and vtFileSystemWindows.cpp; the build takes its system's one.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace quellix {

std::filesystem::path PathOf(std::string_view utf8);
std::string TextOf(const std::filesystem::path& path);
// The folder as text that ends in a separator.
std::string FolderText(const std::filesystem::path& folder);

// A new, empty folder of a name no other has, in the system's temporary folder; its
// name starts with `prefix`. Throws std::system_error when none can be made.
std::filesystem::path MakeTemporaryFolder(std::string_view prefix);

// std::fopen of a UTF-8 path.
std::FILE* OpenCFile(const std::string& path, const char* mode);

// Creates or truncates the file, writes content and flushes it to the disk. On failure
// the file is removed and std::runtime_error names it and the system's reason.
void WriteFlushedFile(const std::string& path, std::string_view content);

// Renames `from` to `to` in one step, replacing `to`, and makes the rename durable.
// Throws std::runtime_error naming `to` when the rename fails (`from` is then left).
void MoveOver(const std::string& from, const std::string& to);

// Removes the file; true when there was one.
bool RemoveFile(const std::string& path);

}  // namespace quellix
