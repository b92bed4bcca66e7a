#include "boardlink/vtBoardOutbox.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "base/vtAtomicFile.h"
#include "config/vtTextFile.h"
#include "shell/vtDataDigest.h"

namespace quellix {

namespace fs = std::filesystem;

namespace {

constexpr const char* Suffix = ".replay";

// The claimed end a file name holds; false when the name is not the outbox's.
bool ParseName(const std::string& name, int32_t& score, int32_t& level) {
  char digest[17] = {};
  int used = 0;
  if (std::sscanf(name.c_str(), "game-%" SCNd32 "-%" SCNd32 "-%16[0-9a-f].replay%n", &score, &level,
                  digest, &used) != 3)
    return false;
  return static_cast<size_t>(used) == name.size() && name == "game-" + std::to_string(score) + "-" +
                                                                 std::to_string(level) + "-" +
                                                                 digest + Suffix;
}

}  // namespace

std::string TBoardOutbox::FileName(const TBoardGame& game) {
  return "game-" + std::to_string(game.Score) + "-" + std::to_string(game.Level) + "-" +
         DigestText(Fnv1a(game.Replay)) + Suffix;
}

void TBoardOutbox::Put(const TBoardGame& game) {
  std::error_code error;
  fs::create_directories(fDir, error);
  WriteFileAtomically(fDir + FileName(game), game.Replay);
}

std::vector<std::string> TBoardOutbox::Files() const {
  std::vector<std::pair<fs::file_time_type, std::string>> found;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(fDir, error)) {
    const std::string name = entry.path().filename().string();
    int32_t score = 0, level = 0;
    if (!entry.is_regular_file(error) || !ParseName(name, score, level)) continue;
    found.emplace_back(entry.last_write_time(error), name);
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> files;
  for (auto& [time, name] : found) files.push_back(std::move(name));
  return files;
}

std::optional<TBoardGame> TBoardOutbox::Read(const std::string& file) const {
  TBoardGame game;
  if (!ParseName(file, game.Score, game.Level)) return std::nullopt;
  try {
    game.Replay = ReadTextFile(fDir + file);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  return game;
}

void TBoardOutbox::Remove(const std::string& file) {
  std::error_code error;
  fs::remove(fDir + file, error);
}

}  // namespace quellix
