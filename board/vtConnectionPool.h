// Database connections shared by the server's threads: a thread takes one for a while,
// waiting when all are in use, and gives it back. A connection that broke is dropped
// and a new one made on the next take.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace quellix::board {

template <class TConnection>
class TConnectionPool {
 public:
  using TMaker = std::function<std::unique_ptr<TConnection>()>;

  TConnectionPool(TMaker make, int size) : fMake(std::move(make)), fFree(size) {}

  // Runs work with a connection; when work throws, the connection is dropped if broken
  // says it broke, and the exception goes on.
  template <class F, class B>
  auto With(F&& work, B&& broken) {
    std::unique_ptr<TConnection> connection = Take();
    try {
      auto result = work(*connection);
      Give(std::move(connection));
      return result;
    } catch (...) {
      if (broken(*connection))
        Give(nullptr);
      else
        Give(std::move(connection));
      throw;
    }
  }

 private:
  std::unique_ptr<TConnection> Take() {
    std::unique_lock lock(fMutex);
    fReturned.wait(lock, [this] { return fFree > 0; });
    --fFree;
    if (!fIdle.empty()) {
      std::unique_ptr<TConnection> connection = std::move(fIdle.back());
      fIdle.pop_back();
      return connection;
    }
    lock.unlock();
    try {
      return fMake();
    } catch (...) {
      Give(nullptr);
      throw;
    }
  }

  void Give(std::unique_ptr<TConnection> connection) {
    {
      const std::lock_guard lock(fMutex);
      if (connection) fIdle.push_back(std::move(connection));
      ++fFree;
    }
    fReturned.notify_one();
  }

  TMaker fMake;
  std::mutex fMutex;
  std::condition_variable fReturned;
  int fFree;
  std::vector<std::unique_ptr<TConnection>> fIdle;
};

}  // namespace quellix::board
