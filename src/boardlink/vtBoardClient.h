// The game's side of a shared high-score board, on a thread of its own so that no
// tick ever waits for the network: games that entered the high-score table go to the
// outbox (vtBoardOutbox.h) and from there to the board; while the board cannot be
// reached they wait, and are tried again later (sooner when the board asks for a
// time, and at once when another game comes). The shared table and a board game's
// replay are fetched on request; the tick thread asks for them later.
//
// What happens is logged in words: a game kept, taken (with its number and rank),
// refused (why), the board out of reach and back.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "boardlink/vtBoardOutbox.h"
#include "boardlink/vtBoardTransport.h"
#include "shell/vtBoardView.h"

namespace quellix {

class ILog;

struct TBoardTiming {
  // After a failed try the next comes this much later, doubling up to the longest.
  std::chrono::milliseconds FirstRetry{30'000};
  std::chrono::milliseconds LongestRetry{600'000};
};

class TBoardClient : public IBoardView {
 public:
  // outboxDir and downloadDir with trailing separators; address names the board in the
  // log. Starts the thread, which sends what waits in the outbox from earlier runs.
  TBoardClient(std::unique_ptr<IBoardTransport> transport, std::string address,
               std::string outboxDir, std::string downloadDir, ILog& log, TBoardTiming timing = {});
  // Ends a request under way and the thread; games not yet written to the outbox are
  // written first.
  ~TBoardClient() override;
  TBoardClient(const TBoardClient&) = delete;
  TBoardClient& operator=(const TBoardClient&) = delete;

  // ---- From the tick thread; none of these waits for the network.
  void Send(TBoardGame game);
  const std::string& Address() const override { return fAddress; }
  void RequestTable(const std::string& mode, int limit) override;
  TBoardTable Table(const std::string& mode) const override;
  // Into the download folder.
  void RequestReplay(int64_t id) override;
  TBoardDownload Replay(int64_t id) const override;
  // Games handed to Send or waiting in the outbox, not yet taken or refused by the board.
  size_t Waiting() const;

 private:
  struct TJob {
    enum class TKind : uint8_t { Table, Replay } Kind;
    std::string Mode;
    int Limit = 0;
    int64_t Id = 0;
  };
  using TClock = std::chrono::steady_clock;

  void Run();
  // Writes the games handed over into the outbox.
  void KeepGames(std::deque<TBoardGame> games);
  // The games in the outbox and handed over, noted for Waiting().
  size_t CountWaiting();
  // Sends what waits, oldest first, until the board is out of reach.
  void SendOutbox();
  // Sends one game and logs what the board made of it.
  TBoardResponse SendGame(const TBoardGame& game);
  void NoteUnreachable(const TBoardResponse& response);
  void Fetch(const TJob& job);
  void FetchTable(const TJob& job);
  void FetchReplay(const TJob& job);

  std::unique_ptr<IBoardTransport> fTransport;
  std::string fAddress;
  TBoardOutbox fOutbox;
  std::string fDownloadDir;
  ILog& fLog;
  TBoardTiming fTiming;

  mutable std::mutex fMutex;
  std::condition_variable fWake;
  bool fStop = false;
  std::deque<TBoardGame> fNewGames;
  std::deque<TJob> fJobs;
  std::map<std::string, TBoardTable> fTables;
  std::map<int64_t, TBoardDownload> fDownloads;
  size_t fWaiting = 0;

  // The thread's own.
  TClock::time_point fNextTry;
  std::chrono::milliseconds fRetry{0};
  bool fUnreachable = false;

  std::thread fThread;
};

}  // namespace quellix
