// The workers that play the games sent: a fixed number of threads and a queue of fixed
// length, so that however many games arrive the board plays at most `workers` at once
// and keeps at most `queue` waiting; a game that finds the queue full is turned away at
// once (the server answers 503 with a time to come back).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace quellix::board {

class TCheckPool {
 public:
  TCheckPool(int workers, int queue);
  // Plays what is queued, then ends the threads.
  ~TCheckPool();
  TCheckPool(const TCheckPool&) = delete;
  TCheckPool& operator=(const TCheckPool&) = delete;

  // Queues the job; false, with nothing queued, when every worker is busy and the queue
  // is full.
  bool TryRun(std::function<void()> job);

  int Workers() const { return static_cast<int>(fThreads.size()); }
  int Capacity() const { return fCapacity; }
  // Jobs queued, not yet started.
  size_t Waiting() const;
  // Seconds a job sent now would wait, by the mean time a job has taken; at least 1.
  int WaitEstimate() const;

 private:
  void Work();

  const int fCapacity;
  mutable std::mutex fMutex;
  std::condition_variable fWake;
  std::deque<std::function<void()>> fJobs;
  bool fStop = false;
  int fBusy = 0;
  // Mean seconds a job took, over the latest ones.
  double fMeanSeconds = 1.0;
  std::vector<std::thread> fThreads;
};

}  // namespace quellix::board
