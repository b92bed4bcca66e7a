// The games waiting to go to a board: one replay file each in a folder of the user
// folder, written whole or not at all, named after the score and level the game came to
// and the digest of its text, so a game put in twice is kept once. They stay there
// until the board has taken them (or refused them for good), across runs of the game.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quellix {

// A game as the board is sent it: the replay's text and the end it claims to play to.
struct TBoardGame {
  std::string Replay;
  int32_t Score = 0;
  int32_t Level = 0;
};

class TBoardOutbox {
 public:
  // dir with its trailing separator; made when the first game is put in.
  explicit TBoardOutbox(std::string dir) : fDir(std::move(dir)) {}

  const std::string& Dir() const { return fDir; }
  // Writes the game's file; throws std::runtime_error when it cannot be written.
  void Put(const TBoardGame& game);
  // The files waiting, oldest first.
  std::vector<std::string> Files() const;
  // The game a file holds; none when it cannot be read or its name is not one of ours.
  std::optional<TBoardGame> Read(const std::string& file) const;
  void Remove(const std::string& file);
  // Files of the outbox's own naming that wait; nothing else in the folder counts.
  size_t Count() const { return Files().size(); }

  // "game-SCORE-LEVEL-DIGEST.replay".
  static std::string FileName(const TBoardGame& game);

 private:
  std::string fDir;
};

}  // namespace quellix
