// A bounded load on a board: a fixed number of clients for a fixed time, then it stops
// by itself. Readers ask for the tables over and over (each on a kept-alive connection);
// senders send games from a folder of the outbox's kind ("game-SCORE-LEVEL-DIGEST.replay",
// claiming that score and level), one after another, again from the first when done.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quellix::board {

struct TLoadPlan {
  std::string Host = "127.0.0.1";
  int Port = 8080;
  int Readers = 8;
  int Senders = 1;
  std::chrono::milliseconds Duration{10'000};
  // Games to send, each a file's text with its claim; none: readers only.
  std::string GamesDir;
};

struct TLoadResult {
  double Seconds = 0;
  int64_t Reads = 0;
  // Of the reads answered 200, in milliseconds.
  double ReadP50 = 0, ReadP99 = 0, ReadMax = 0;
  // Answers to the games sent, by status.
  std::map<int, int64_t> Sends;
  // Requests that got no answer or an answer they should not have (a read that is not
  // 200; a send that is not 201, 409, 429 or 503); the first few described.
  int64_t Failures = 0;
  std::vector<std::string> FailureNotes;

  double ReadsPerSecond() const { return Seconds > 0 ? Reads / Seconds : 0; }
  // One line for people.
  std::string Summary() const;
};

// Throws std::runtime_error when the games folder cannot be read.
TLoadResult RunLoad(const TLoadPlan& plan);

}  // namespace quellix::board
