// The board's HTTP API (docs/board.md): POST /v1/games takes a game, proves it by
// playing it and answers its rank; GET /v1/board answers a difficulty's table,
// GET /v1/games/ID/replay a game's replay, GET /v1/health how the board is. Games are
// played on a bounded pool of workers; the guards (sizes, ticks, a rate per address,
// the queue, time limits on slow clients) keep one client from taking the board over.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/vtDataDigest.h"
#include "vtBoardStore.h"
#include "vtCheckPool.h"
#include "vtRateLimit.h"
#include "vtSubmission.h"

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

namespace quellix::board {

struct TServerConfig {
  std::string Host = "127.0.0.1";
  int Port = 8080;  // 0: any free port
  // The game's data, with its trailing separator: the board takes games of this data.
  std::string DataDir;
  TBoardLimits Limits;
  int Workers = 1;
  int Queue = 8;
  // Games one address may send a minute.
  int RatePerMinute = 6;
  // Threads answering requests; 0 for enough that reads never wait behind a full queue.
  int Threads = 0;
  // A client that sends or takes nothing for this long is dropped.
  int TimeoutSeconds = 10;
  // Take the client's address from X-Forwarded-For when the request comes from this
  // machine (a reverse proxy on it).
  bool BehindProxy = false;
};

// The difficulties a board keeps apart, as the game names them.
inline constexpr const char* Difficulties[] = {"child", "easy", "normal", "hard"};
inline constexpr int DefaultLimit = 10;
inline constexpr int MaxLimit = 100;

class TBoardServer {
 public:
  using TLogLine = std::function<void(const std::string&)>;

  // Throws std::runtime_error when the data folder lacks a data file.
  TBoardServer(IBoardStore& store, const TServerConfig& config, TLogLine log);
  ~TBoardServer();
  TBoardServer(const TBoardServer&) = delete;
  TBoardServer& operator=(const TBoardServer&) = delete;

  // Binds the address; returns the port (the one chosen for port 0). Throws
  // std::runtime_error when it cannot.
  int Bind();
  // Answers requests until Stop; games under way are finished first.
  void Run();
  // From any thread.
  void Stop();

 private:
  void Route();
  void PostGame(const httplib::Request& request, httplib::Response& response);
  void GetBoard(const httplib::Request& request, httplib::Response& response);
  void GetReplay(const httplib::Request& request, httplib::Response& response);
  void GetHealth(const httplib::Request& request, httplib::Response& response);
  std::string ClientAddress(const httplib::Request& request) const;

  IBoardStore& fStore;
  TServerConfig fConfig;
  TLogLine fLog;
  std::vector<TDataDigest> fData;
  TRateLimit fRate;
  TCheckPool fPool;
  std::unique_ptr<httplib::Server> fServer;
};

}  // namespace quellix::board
