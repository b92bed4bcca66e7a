// The game's data of one folder made visible in another, where the simulator and the
// tests start the game without ever writing beside the data: the data files and the
// typefaces of fonts/ (the Windows build's fallback), linked where the system lets every
// user link (not Windows), else hard-linked, else copied.
#pragma once

#include <filesystem>

namespace quellix {

// Throws std::runtime_error naming a data file that dataDir lacks, and
// std::filesystem::filesystem_error when a file cannot be linked or copied.
void LinkGameData(const std::filesystem::path& dataDir, const std::filesystem::path& dir);

}  // namespace quellix
