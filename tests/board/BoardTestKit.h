// What the board's tests share: games the board takes (a hard game of the skilled bot,
// recorded once per program, and the same game under other names), a fresh database of
// either back end, a board served in this process on a free port, and the board's
// program run as a process of its own.
#pragma once

#include <httplib.h>
#include <sys/types.h>

#include <memory>
#include <string>

#include "boardlink/vtBoardOutbox.h"
#include "support/vtTempDir.h"
#include "vtBoardServer.h"
#include "vtBoardStore.h"

namespace quellix::testing {

// The game's data the board takes: the build's run folder, with a trailing separator.
std::string BoardDataDir();
// Recorded once per program.
const TBoardGame& BoardGame();
// The same game with the name "Skilled <i>" typed.
TBoardGame NamedGame(int i);

enum class TBackEnd { Sqlite, Postgres };
std::string BackEndName(TBackEnd backEnd);

// A database of its own for one test: an SQLite file in a temporary folder, or a new
// database on the PostgreSQL server the test script started (its address in
// QUELLIX_TEST_POSTGRES), dropped at the end.
class TTestDatabase {
 public:
  explicit TTestDatabase(TBackEnd backEnd);
  ~TTestDatabase();
  TTestDatabase(const TTestDatabase&) = delete;
  TTestDatabase& operator=(const TTestDatabase&) = delete;
  // What quellix-board's --db takes.
  const std::string& Db() const { return fDb; }

 private:
  TTempDir fFolder;
  std::string fServer;  // PostgreSQL: the server's address; empty for SQLite
  std::string fName;
  std::string fDb;
};

// A board in this process on 127.0.0.1 and a free port, with a client to it.
class TTestBoard {
 public:
  // Two workers, a queue of four, no rate worth the name, unless config says otherwise.
  static board::TServerConfig Config();
  explicit TTestBoard(const std::string& db, const board::TServerConfig& config = Config());
  ~TTestBoard();

  board::IBoardStore& Store() { return *fStore; }
  int Port() const { return fPort; }
  // Sends the game claiming its own score and level.
  httplib::Result Send(const TBoardGame& game);
  httplib::Result Send(const std::string& replay, const std::string& claim);
  httplib::Result Get(const std::string& path);

 private:
  std::unique_ptr<board::IBoardStore> fStore;
  std::unique_ptr<board::TBoardServer> fServer;
  int fPort = 0;
  std::thread fThread;
};

// quellix-board run as a process, answering on a free port.
class TBoardProcess {
 public:
  explicit TBoardProcess(const std::string& db);
  // Stops it with SIGTERM if it still runs.
  ~TBoardProcess();
  TBoardProcess(const TBoardProcess&) = delete;
  TBoardProcess& operator=(const TBoardProcess&) = delete;

  int Port() const { return fPort; }
  void Kill(int signal);

 private:
  pid_t fPid = -1;
  int fPort = 0;
};

// A reply's JSON field, or a note of what came instead.
std::string Field(const httplib::Result& reply, const std::string& key);

}  // namespace quellix::testing
