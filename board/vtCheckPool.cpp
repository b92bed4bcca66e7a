#include "vtCheckPool.h"

#include <algorithm>
#include <cmath>

namespace quellix::board {

TCheckPool::TCheckPool(int workers, int queue) : fCapacity(queue) {
  for (int i = 0; i < workers; ++i) fThreads.emplace_back([this] { Work(); });
}

TCheckPool::~TCheckPool() {
  {
    const std::lock_guard lock(fMutex);
    fStop = true;
  }
  fWake.notify_all();
  for (std::thread& thread : fThreads) thread.join();
}

bool TCheckPool::TryRun(std::function<void()> job) {
  {
    const std::lock_guard lock(fMutex);
    if (static_cast<int>(fJobs.size()) + fBusy >= Workers() + fCapacity) return false;
    fJobs.push_back(std::move(job));
  }
  fWake.notify_one();
  return true;
}

size_t TCheckPool::Waiting() const {
  const std::lock_guard lock(fMutex);
  return fJobs.size();
}

int TCheckPool::WaitEstimate() const {
  const std::lock_guard lock(fMutex);
  const double rounds =
      static_cast<double>(fJobs.size() + 1) / static_cast<double>(fThreads.size());
  return std::max(1, static_cast<int>(std::ceil(rounds * fMeanSeconds)));
}

void TCheckPool::Work() {
  std::unique_lock lock(fMutex);
  while (true) {
    fWake.wait(lock, [this] { return fStop || !fJobs.empty(); });
    if (fJobs.empty()) return;
    std::function<void()> job = std::move(fJobs.front());
    fJobs.pop_front();
    ++fBusy;
    lock.unlock();
    const auto start = std::chrono::steady_clock::now();
    job();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    lock.lock();
    --fBusy;
    fMeanSeconds = 0.8 * fMeanSeconds + 0.2 * took.count();
  }
}

}  // namespace quellix::board
