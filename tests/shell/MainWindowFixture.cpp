#include "MainWindowFixture.h"

#include <sstream>

#include "config/vtTextFile.h"

namespace quellix::testing {

std::vector<std::string> LogMessagesIn(const std::string& path) {
  std::istringstream in(ReadTextFile(path));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::vector<std::string> messages;
  for (size_t i = 1; i < lines.size(); i += 3) messages.push_back(lines[i]);
  return messages;
}

std::vector<std::string> MainWindowTest::LogMessages() const {
  return LogMessagesIn(data.File("log.txt"));
}

bool MainWindowTest::Logged(const std::string& fragment) const {
  return data.Read("log.txt").find(fragment) != std::string::npos;
}

void MainWindowTest::StartPlaying(int32_t enemies) {
  main.SetEnemiesLeft(enemies);
  main.Globals.GameState = gsPlaying;
}

}  // namespace quellix::testing
